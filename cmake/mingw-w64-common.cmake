# Cross build for Windows with Debian's MinGW-w64; the including toolchain
# file sets CMAKE_SYSTEM_PROCESSOR (x86_64 or i686).
set(CMAKE_SYSTEM_NAME Windows)
set(TARDO_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex; everything links statically.
set(CMAKE_C_COMPILER   ${TARDO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARDO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TARDO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARDO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
