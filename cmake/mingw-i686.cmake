# The x86 flavour: 32-bit Windows (PE32).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PATHGRAB_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
