# Cross toolchain: 32-bit Windows with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZADE_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZADE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZADE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZADE_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZADE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under Wine, each in the build folder's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
