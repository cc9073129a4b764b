# Compiler settings that every target of ours links privately.
#
# The estimate must be bit-exact on every build: each operation rounded on its
# own in IEEE double precision, never fused (FMA) and never carried in x87
# extended precision, and never reordered across the floating-point status
# tests. So: no -ffast-math anywhere, contraction off, and SSE2 arithmetic on
# 32-bit x86.

add_library(tarnwick-build-rules INTERFACE)
target_compile_features(tarnwick-build-rules INTERFACE cxx_std_20)

# (Emscripten's toolchain calls WebAssembly x86.)
set(tarnwick_x86_32 OFF)
if(NOT EMSCRIPTEN AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^([xX]86|i[3-6]86|x86_64|AMD64|amd64)$")
    set(tarnwick_x86_32 ON)
endif()

if(MSVC)
    target_compile_options(tarnwick-build-rules INTERFACE /fp:precise /W4 /permissive-)
    if(tarnwick_x86_32)
        target_compile_options(tarnwick-build-rules INTERFACE /arch:SSE2)
    endif()
    if(TARNWICK_WARNINGS_AS_ERRORS)
        target_compile_options(tarnwick-build-rules INTERFACE /WX)
    endif()
else()
    target_compile_options(tarnwick-build-rules INTERFACE
        -ffp-contract=off
        -Wall -Wextra -Wpedantic -Wconversion -Wdouble-promotion)
    if(tarnwick_x86_32)
        target_compile_options(tarnwick-build-rules INTERFACE -msse2 -mfpmath=sse)
    endif()
    if(TARNWICK_WARNINGS_AS_ERRORS)
        target_compile_options(tarnwick-build-rules INTERFACE -Werror)
    endif()
endif()

# Hardening, for the programs we hand out: Debian's flags (dpkg-buildflags with
# hardening=+all: stack protector, fortified functions, format checks, PIE,
# read-only relocations bound at start) and those Debian 12 does not add yet:
# stack-clash protection, and control-flow protection, which each processor
# has in its own form (x86's -fcf-protection, arm64's branch protection) and
# most have not at all. Each is asked of the compiler for the target, never
# assumed: an option the target lacks is an error, not a warning. On
# Windows, mingw-w64's stack protector, linked statically. None of them
# touches the arithmetic. The sanitizer and fuzz builds go without: their
# run-times check for themselves.
if(NOT MSVC AND NOT EMSCRIPTEN AND NOT TARNWICK_SANITIZE AND NOT TARNWICK_FUZZ)
    target_compile_options(tarnwick-build-rules INTERFACE -fstack-protector-strong -Wformat -Werror=format-security)
    target_link_options(tarnwick-build-rules INTERFACE -fstack-protector-strong)
    if(NOT WIN32)
        # Fortifying needs the optimiser, which every build but Debug has.
        target_compile_definitions(tarnwick-build-rules INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
        # Position-independent code and executables are Debian's GCC's default.
        include(CheckCXXCompilerFlag)
        foreach(flag -fstack-clash-protection -fcf-protection -mbranch-protection=standard)
            string(MAKE_C_IDENTIFIER "tarnwick_has${flag}" has_flag)
            check_cxx_compiler_flag(${flag} ${has_flag})
            if(${has_flag})
                target_compile_options(tarnwick-build-rules INTERFACE ${flag})
            endif()
        endforeach()
        target_link_options(tarnwick-build-rules INTERFACE -Wl,-z,relro -Wl,-z,now)
    endif()
endif()

# The same bytes from the same sources, wherever and whenever they are built:
# Windows programs carry no link time, and a release leaves out where its
# source and build folders were (debugging information, file names in
# messages). Kept in other builds, where a debugger wants them.
if(MINGW)
    target_link_options(tarnwick-build-rules INTERFACE -Wl,--no-insert-timestamp)
endif()
if(TARNWICK_REPRODUCIBLE AND NOT MSVC)
    target_compile_options(tarnwick-build-rules INTERFACE
        "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=tarnwick"
        "-ffile-prefix-map=${PROJECT_BINARY_DIR}=tarnwick-build")
endif()

# AddressSanitizer and UndefinedBehaviorSanitizer, for the sanitize preset.
if(TARNWICK_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "TARNWICK_SANITIZE needs GCC or Clang")
    endif()
    set(tarnwick_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
    target_compile_options(tarnwick-build-rules INTERFACE ${tarnwick_sanitizers} -fno-omit-frame-pointer)
    target_link_options(tarnwick-build-rules INTERFACE ${tarnwick_sanitizers})
endif()

# Coverage for libFuzzer, for the fuzz preset: every target of ours is
# instrumented; the fuzz targets link libFuzzer itself.
if(TARNWICK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TARNWICK_FUZZ needs Clang")
    endif()
    target_compile_options(tarnwick-build-rules INTERFACE -fsanitize=fuzzer-no-link)
endif()
