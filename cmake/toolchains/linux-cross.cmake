# Cross-compiling for another processor that Debian runs on, with Debian's
# own cross compilers (g++-<triplet>), the tests run under QEMU's user-mode
# emulator (qemu-user) with the target's libraries from /usr/<triplet>.
# The preset gives the target:
#
#   TARNWICK_TARGET_TRIPLET   the GNU triplet, e.g. aarch64-linux-gnu
#   TARNWICK_TARGET_QEMU      QEMU's name for the processor, e.g. aarch64
#
# CMAKE_SYSTEM_PROCESSOR is the triplet's first part, as CMake names it.
# (The checks that CMake compiles and runs read this file again, and are
# told the target too.)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNWICK_TARGET_TRIPLET TARNWICK_TARGET_QEMU)
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${TARNWICK_TARGET_TRIPLET}")
set(CMAKE_LIBRARY_ARCHITECTURE ${TARNWICK_TARGET_TRIPLET})

set(CMAKE_C_COMPILER ${TARNWICK_TARGET_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${TARNWICK_TARGET_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_TARGET_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TARNWICK_QEMU qemu-${TARNWICK_TARGET_QEMU})
if(TARNWICK_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${TARNWICK_QEMU};-L;/usr/${TARNWICK_TARGET_TRIPLET}")
endif()
