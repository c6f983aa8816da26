# 32-bit Windows, the simulator's own platform.
set(VITALS_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
