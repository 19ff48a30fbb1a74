# Cross toolchain for the shipped program, MinGW-w64 with a static runtime; the flavour's toolchain file
# names the target triplet and the processor before it includes this one.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix variants: GoogleTest needs std::thread and friends.
set(CMAKE_C_COMPILER ${PATHGRAB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PATHGRAB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PATHGRAB_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PATHGRAB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
