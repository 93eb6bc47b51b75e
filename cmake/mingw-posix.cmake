# Test binaries for Wine: posix thread model, because GoogleTest needs std::mutex.
set(MINGW_ARCH i686)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
