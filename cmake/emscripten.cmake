# Compiles for the page with Debian's Emscripten (package emscripten): the core as WebAssembly,
# the programs it builds run by Node.js, as test discovery and CTest expect.
#
#   cmake --preset web          (see CMakePresets.json and web/CMakeLists.txt)
#
# Debian's package comes with its system libraries built, in a cache it never writes to
# (FROZEN_CACHE), so a build here writes nothing outside the build folder.

# Emscripten runs part of itself in Node.js and needs Debian's acorn, which a Node.js from
# elsewhere (nodesource's, say) does not look for in Debian's module folder.
set(quillet_node_path "NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs")
set(CMAKE_CXX_COMPILER_LAUNCHER env ${quillet_node_path})
set(CMAKE_CXX_LINKER_LAUNCHER env ${quillet_node_path})

# Node.js 18 and later have fetch(), which Emscripten 3.1.6's loader then takes for a
# browser's and fails with; without it the loader reads the .wasm file from disk.
find_program(QUILLET_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLET_NODE} --no-experimental-fetch)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Programs can catch exceptions (Emscripten aborts on them by default). The code that catches
# them is compiled for it file by file (see web/CMakeLists.txt): catching routes every call of
# such code through JavaScript, which doubles the time of a run over loci when done everywhere.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-sDISABLE_EXCEPTION_CATCHING=0 -sALLOW_MEMORY_GROWTH=1")
