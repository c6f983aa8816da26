# 32-bit Windows in the simulator's C++ ABI: the module's own platform.
set(VITALS_MSVC_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/clang-msvc.cmake)
