# 64-bit Windows in the simulator's C++ ABI, for its 64-bit edition.
set(VITALS_MSVC_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-msvc.cmake)
