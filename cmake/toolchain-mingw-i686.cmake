# Cross-building the Windows server (32-bit) with mingw-w64 on Debian.
set(QO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/qoMingw.cmake)
# SSE arithmetic: x87's wider intermediates would round dates and pixels
# differently from the 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
