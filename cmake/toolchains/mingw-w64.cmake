# What both mingw-w64 toolchains share; each sets tarnwick_mingw_triplet first.

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model lacks.
set(CMAKE_C_COMPILER ${tarnwick_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tarnwick_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${tarnwick_mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${tarnwick_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no mingw run-time DLLs to carry around.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the tests, where it can (see cmake/TestRules.cmake).
find_program(TARNWICK_WINE NAMES wine wine-stable)
if(TARNWICK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${TARNWICK_WINE}")
endif()
