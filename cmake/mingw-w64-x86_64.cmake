# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's mingw-w64: the posix thread model (GCC 12's win32
# model has no std::thread or std::mutex) and windres for the resource script. Wine runs what it
# makes, so CTest can run the unit tests on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLMOOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLMOOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLMOOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLMOOR_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${QUILLMOOR_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMOOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++, libgcc or winpthread DLL ships with the program: they are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUILLMOOR_WINE wine)
if(QUILLMOOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLMOOR_WINE})
endif()
