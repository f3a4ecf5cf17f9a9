# The part both mingw-w64 toolchains share; QO_MINGW_TRIPLE names the target.
# The posix thread model gives the standard library's threads and mutexes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QO_MINGW_TRIPLE})
set(CMAKE_C_COMPILER ${QO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
