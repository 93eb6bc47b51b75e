# The Windows tests built for x86-64, for hosts whose kernel runs no 32-bit code.
set(MINGW_ARCH x86_64)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
