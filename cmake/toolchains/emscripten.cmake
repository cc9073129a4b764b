# Compiling for the browser with Debian's Emscripten (package emscripten):
# C++ to WebAssembly, with the JavaScript that loads it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# C++ exceptions, in everything compiled (GoogleTest too): a handler's failure
# reaches the page's event dispatch as one, and Emscripten leaves them out
# unless asked.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

# Node.js runs the tests. Emscripten 3.1.6's JavaScript would fetch its .wasm
# by file path under a Node.js that has fetch (18 and later), and fail: it
# reads the file instead without it.
find_program(TARNWICK_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${TARNWICK_NODE};--no-experimental-fetch" CACHE STRING
    "Runs the WebAssembly tests" FORCE)
