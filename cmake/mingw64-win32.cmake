# The program built for x86-64, for hosts whose kernel runs no 32-bit code: the same sources
# under Wine's 64-bit loader. Never shipped.
set(MINGW_ARCH x86_64)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
