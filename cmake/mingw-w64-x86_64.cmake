# Cross build of the same sources for 64-bit Windows with Debian's
# g++-mingw-w64-x86-64, so that the Windows suite runs under 64-bit Wine on
# every machine, also where 32-bit programs cannot run.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
