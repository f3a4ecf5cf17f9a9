# Cross-building the Windows server (32-bit) with mingw-w64 on Debian.
set(QO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/qoMingw.cmake)
