# Read by CTest before the i686 build's tests are listed: they run under
# 32-bit Wine, which wine64 does not bring. Without it, one line (kept whole
# by its leading space) says what to install.
if(NOT EXISTS /usr/lib/wine/wine)
  message(FATAL_ERROR " The i686 tests need 32-bit Wine: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386")
endif()
