# 32-bit Windows: the stand-in host core for the 32-bit Orbiter.exe.
set(VITALS_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
