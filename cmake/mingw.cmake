# Cross-compiling for Windows with MinGW-w64 (posix thread model). Included by
# the per-architecture toolchain files after they set CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(VEX_MINGW_TRIPLET ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${VEX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEX_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows test programs run under Wine, through a script that keeps Wine's
# helper programs from holding on to the tests' output.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
