# Shared by the MinGW-w64 toolchain files of the stand-in host's core
# (vitals-host.dll): a cross build for Windows with the win32 thread model and
# the compiler runtime linked in, so no MinGW DLLs are needed beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VITALS_MINGW_ARCH})

set(_prefix ${VITALS_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${_prefix}-gcc-win32)
set(CMAKE_CXX_COMPILER ${_prefix}-g++-win32)
set(CMAKE_RC_COMPILER ${_prefix}-windres)
set(CMAKE_OBJDUMP ${_prefix}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
