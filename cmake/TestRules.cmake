# GoogleTest, and a helper that adds one test executable of ours.

if(TARNWICK_GTEST_FROM_SOURCE)
    # Debian's libgtest-dev holds 64-bit libraries only; a 32-bit build compiles
    # GoogleTest itself from the sources the googletest package ships.
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    if(WIN32 OR EMSCRIPTEN)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    endif()
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest itself unoptimised, without debugging information: it is
    # compiled for every such build, and its own speed does not matter.
    if(NOT MSVC)
        target_compile_options(gtest PRIVATE -O0 -g0)
        target_compile_options(gtest_main PRIVATE -O0 -g0)
    endif()
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# A 32-bit x86 test binary on a 64-bit kernel that cannot run one (its ia32
# emulation switched off) runs under QEMU's user-mode emulator instead.
if(tarnwick_x86_32 AND NOT CMAKE_CROSSCOMPILING)
    try_run(tarnwick_x86_32_runs tarnwick_x86_32_compiles
        "${CMAKE_BINARY_DIR}/runs-32-bit" "${CMAKE_CURRENT_LIST_DIR}/says_it_runs.cpp")
    if(NOT tarnwick_x86_32_runs EQUAL 0)
        find_program(TARNWICK_QEMU_I386 qemu-i386 REQUIRED)
        set(CMAKE_CROSSCOMPILING_EMULATOR "${TARNWICK_QEMU_I386};-L;/")
        message(STATUS "32-bit binaries cannot run here natively; tests run under ${TARNWICK_QEMU_I386}")
    endif()
endif()

# Windows programs run under Wine where it can run them: a 64-bit Wine runs
# 64-bit programs on every machine, 32-bit ones need wine32 and a kernel that
# runs 32-bit code, which not every machine has. Asked, never assumed.
if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    unset(tarnwick_wine_runs CACHE)  # asked again at every configure, as Wine may have come since
    try_run(tarnwick_wine_runs tarnwick_wine_compiles
        "${CMAKE_BINARY_DIR}/wine-runs" "${CMAKE_CURRENT_LIST_DIR}/says_it_runs.cpp"
        RUN_OUTPUT_VARIABLE tarnwick_wine_output)
    # Debian's wine without wine32 explains itself and exits 0 for a 32-bit program.
    if(NOT tarnwick_wine_runs EQUAL 0 OR NOT tarnwick_wine_output MATCHES "(^|\n)runs(\r?\n|$)")
        message(STATUS "Wine cannot run these programs here: ${tarnwick_wine_output}")
        unset(CMAKE_CROSSCOMPILING_EMULATOR)
        unset(CMAKE_CROSSCOMPILING_EMULATOR CACHE)
    endif()
endif()

# The tests under Wine share one Wine session, started before them and ended
# after them. The first program of a session starts Wine's services, and a
# program started beside it while they come up can fail to start at all
# ("ShellExecuteEx failed"); started alone first, no test waits on it.
set(tarnwick_test_fixtures "")
if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(TARNWICK_WINESERVER NAMES wineserver wineserver-stable REQUIRED)
    add_test(NAME wine-session-start COMMAND "${CMAKE_CURRENT_LIST_DIR}/start_wine_session.sh"
        "${TARNWICK_WINESERVER}" "${CMAKE_CROSSCOMPILING_EMULATOR}")
    add_test(NAME wine-session-end COMMAND "${TARNWICK_WINESERVER}" -k)
    set_tests_properties(wine-session-start PROPERTIES FIXTURES_SETUP wine-session TIMEOUT 120)
    set_tests_properties(wine-session-end PROPERTIES FIXTURES_CLEANUP wine-session)
    set(tarnwick_test_fixtures wine-session)
endif()

# Cross-compiled tests run only where there is an emulator to run them (Wine);
# elsewhere they are built, which still compiles every line of them.
set(tarnwick_can_run_tests ON)
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(tarnwick_can_run_tests OFF)
    message(STATUS "No emulator for the target: tests are built, not run")
endif()

# tarnwick_add_gtest(<name> SOURCES <files...> LIBRARIES <targets...> [ENVIRONMENT <VAR=value...>]
#                    [RUN_SERIAL])
# Every test case becomes a CTest test of its own, named Suite.Case, where
# starting a program costs nothing. Where each start is an emulator's (Wine,
# Node.js, QEMU), the executable is one CTest test named after it and run
# once: its output in CTest's log (Testing/Temporary/LastTest.log) names
# every case and how it went, and a failed case fails the test and is shown.
# RUN_SERIAL runs each alone: for a locale of its own under Wine, where every
# program that starts writes its locale's settings to the registry the
# session's programs share.
function(tarnwick_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "RUN_SERIAL" "" "SOURCES;LIBRARIES;ENVIRONMENT")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main tarnwick-build-rules)
    if(tarnwick_can_run_tests AND CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
        add_test(NAME ${name} COMMAND ${name})
        set_property(TEST ${name} PROPERTY TIMEOUT 600)
        set_property(TEST ${name} PROPERTY ENVIRONMENT ${arg_ENVIRONMENT})
        set_property(TEST ${name} PROPERTY RUN_SERIAL ${arg_RUN_SERIAL})
        set_property(TEST ${name} PROPERTY FIXTURES_REQUIRED ${tarnwick_test_fixtures})
    elseif(tarnwick_can_run_tests)
        # Only properties with a value: an empty one would take the next
        # property's name for its value.
        set(properties "")
        if(arg_ENVIRONMENT)
            list(APPEND properties ENVIRONMENT "${arg_ENVIRONMENT}")
        endif()
        if(arg_RUN_SERIAL)
            list(APPEND properties RUN_SERIAL ON)
        endif()
        if(tarnwick_test_fixtures)
            list(APPEND properties FIXTURES_REQUIRED "${tarnwick_test_fixtures}")
        endif()
        gtest_discover_tests(${name} NO_PRETTY_VALUES DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST
            PROPERTIES ${properties})
    endif()
endfunction()
