# 64-bit Windows: the stand-in host core for the 64-bit Orbiter.exe.
set(VITALS_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
