# Cross build for 32-bit x86 Windows, the program's home, with Debian's
# g++-mingw-w64-i686; its tests need a kernel that runs 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
