# The test command's builds compile through ccache where it is installed, so
# that a later run on the same machine compiles only what changed. Never a
# release's builds (scripts/release turns it off): their bytes are compared.
#
# The cache is ${TARNWICK_CACHE:-~/.cache/tarnwick}/ccache. ccache hashes the
# compiler, every flag, and the preprocessed source with all it includes, so
# a change to any of them compiles again. Paths under the source folder are
# taken relative to it, so that another clone finds what this one compiled.

option(TARNWICK_COMPILER_CACHE "Compile through ccache, where it is installed" OFF)

if(TARNWICK_COMPILER_CACHE)
    find_program(TARNWICK_CCACHE ccache)
    if(TARNWICK_CCACHE)
        if(DEFINED ENV{TARNWICK_CACHE})
            set(tarnwick_cache "$ENV{TARNWICK_CACHE}")
        elseif(DEFINED ENV{XDG_CACHE_HOME})
            set(tarnwick_cache "$ENV{XDG_CACHE_HOME}/tarnwick")
        else()
            set(tarnwick_cache "$ENV{HOME}/.cache/tarnwick")
        endif()
        set(CMAKE_CXX_COMPILER_LAUNCHER
            env "CCACHE_DIR=${tarnwick_cache}/ccache" "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}" CCACHE_NOHASHDIR=1
            "${TARNWICK_CCACHE}")
        set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_CXX_COMPILER_LAUNCHER})
        message(STATUS "Compiling through ccache, its cache in ${tarnwick_cache}/ccache")
    else()
        message(STATUS "ccache not found: compiling without a cache")
    endif()
endif()
