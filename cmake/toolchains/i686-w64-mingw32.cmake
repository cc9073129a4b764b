# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model lacks.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no mingw run-time DLLs to carry around.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The tests run under Wine where it is installed.
find_program(TARNWICK_WINE NAMES wine wine-stable)
if(TARNWICK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${TARNWICK_WINE}")
endif()
