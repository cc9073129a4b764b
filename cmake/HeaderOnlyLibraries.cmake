# fast_float and {fmt}, the libraries that read and write the calculation's
# numbers, header-only from Debian's packages (libfast-float-dev,
# libfmt-dev) in every build: native, cross-compiled, for Windows and for
# the browser. Each is reached through an include folder of the build's that
# holds that library alone, so that a cross build never sees the rest of
# the build machine's /usr/include.

set(TARNWICK_SYSTEM_INCLUDE /usr/include CACHE PATH "Where Debian's header-only libraries are")

# tarnwick_header_only_library(<target> <folder under /usr/include> <package>)
function(tarnwick_header_only_library target folder package)
    set(headers "${TARNWICK_SYSTEM_INCLUDE}/${folder}")
    if(NOT IS_DIRECTORY "${headers}")
        message(FATAL_ERROR "${headers} is missing: install ${package} (scripts/install-deps)")
    endif()
    set(alone "${CMAKE_BINARY_DIR}/header-only/${folder}")
    file(MAKE_DIRECTORY "${alone}")
    file(CREATE_LINK "${headers}" "${alone}/${folder}" SYMBOLIC)
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE "${alone}")
endfunction()

tarnwick_header_only_library(tarnwick-fast-float fast_float libfast-float-dev)
tarnwick_header_only_library(tarnwick-fmt fmt libfmt-dev)
# The user's separators are the program's to apply, never std::locale's,
# which would link the C++ library's locales into every program.
target_compile_definitions(tarnwick-fmt INTERFACE FMT_HEADER_ONLY FMT_STATIC_THOUSANDS_SEPARATOR=',')
