# Whether the target's processor keeps the floating-point flags that the
# estimate tests (invalid operation, division by zero, overflow). Where it
# does, the calculation reads the processor's own; where it does not (soft
# float, as on Debian's armel; WebAssembly), it derives them from each
# operation by IEEE 754's rules, so that every failure is reported on every
# architecture.
#
# Asked of the target: a program that raises each flag by real arithmetic is
# run, natively or under the build's emulator (QEMU). Where nothing can run
# it (a cross build without an emulator), and for Windows (whose every
# processor keeps the flags, and where each start of Wine costs seconds), the
# compiler is asked whether it compiles floating point in software (the
# predefined macros of soft-float ABIs).
#
# Sets TARNWICK_FP_FLAGS_KEPT (a cache variable, which a build may set itself).

if(DEFINED TARNWICK_FP_FLAGS_KEPT)
    return()
endif()

set(how "")
if(EMSCRIPTEN)
    set(kept OFF)
    set(how "WebAssembly keeps none")
elseif(NOT WIN32 AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
    try_run(tarnwick_fp_probe_runs tarnwick_fp_probe_compiles
        "${CMAKE_BINARY_DIR}/fp-flags-probe" "${CMAKE_CURRENT_LIST_DIR}/fp_flags_probe.cpp"
        RUN_OUTPUT_VARIABLE probe_output)
    # A Wine without 32-bit support, say, runs nothing: then the compiler is asked.
    if(tarnwick_fp_probe_runs EQUAL 0 AND probe_output MATCHES "(^|\n)(kept|lost)")
        if(probe_output MATCHES "kept")
            set(kept ON)
        else()
            set(kept OFF)
        endif()
        set(how "asked of the processor")
    endif()
endif()
if(NOT how)
    include(CheckCXXSourceCompiles)
    check_cxx_source_compiles([[
        #include <cfenv>
        #if defined(__SOFTFP__) || defined(__riscv_float_abi_soft) || defined(__mips_soft_float) \
            || defined(_SOFT_FLOAT) || defined(__NO_FPRS__) || !defined(FE_INVALID) || !defined(FE_OVERFLOW) \
            || !defined(FE_DIVBYZERO)
        #error floating point in software
        #endif
        int main() { return 0; }]] tarnwick_fp_in_hardware)
    set(kept ${tarnwick_fp_in_hardware})
    set(how "asked of the compiler, as no program of the target could be run here")
endif()

set(TARNWICK_FP_FLAGS_KEPT ${kept} CACHE BOOL "Whether the target's processor keeps the floating-point flags")
if(TARNWICK_FP_FLAGS_KEPT)
    message(STATUS "Floating-point flags: the processor's own (${how})")
else()
    message(STATUS "Floating-point flags: derived from each operation, the processor keeps none (${how})")
endif()
