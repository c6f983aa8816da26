# Shared by the Microsoft-ABI toolchain files: clang in its MSVC mode and
# lld-link, as the simulator's own compiler lays out classes, decorates names
# and builds virtual tables. No MSVC headers or libraries exist here: the code
# is freestanding, and import libraries are made from .def files.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VITALS_MSVC_ARCH})

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${VITALS_MSVC_ARCH}-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET ${VITALS_MSVC_ARCH}-pc-windows-msvc)
set(CMAKE_LINKER lld-link)
set(CMAKE_AR llvm-ar)
set(CMAKE_RC_COMPILER llvm-rc)
# No C or C++ runtime library is chosen: the linked code names its own imports.
set(CMAKE_MSVC_RUNTIME_LIBRARY "")
set(VITALS_DLLTOOL llvm-dlltool)
# Nothing to link a test program against: check the compiler with a library.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Unwind tables on 64-bit, so the host can unwind through the module.
set(CMAKE_CXX_FLAGS_INIT "-ffreestanding -fno-exceptions -funwind-tables")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib")
