# Cross-building the Windows server (64-bit) with mingw-w64 on Debian.
set(QO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/qoMingw.cmake)
