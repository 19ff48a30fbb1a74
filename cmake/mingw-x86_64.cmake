# The x64 flavour: 64-bit Windows (PE32+).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PATHGRAB_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
