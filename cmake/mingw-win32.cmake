# The program: win32 thread model, so nothing imports what Windows 95 and NT 4 lack.
set(MINGW_ARCH i686)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
