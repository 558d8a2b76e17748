# Cross-build for 64-bit Windows with mingw-w64 (posix thread model, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSORIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSORIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSORIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSORIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSORIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained exe: libgcc, libstdc++ and winpthread linked in, no DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run the cross-built executables under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
