# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64) and
# runs what it builds under Wine, so that test discovery and CTest work as they do natively.
#
#   cmake --preset windows          (see CMakePresets.json and scripts/windows-core.sh)
#
# Only the Qt-free libraries, their tests and the command-line program are built this way:
# Debian ships no Qt for MinGW.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
# The posix thread model: std::thread, std::mutex and friends exist only in that variant.
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Libraries and headers come from the MinGW tree only; programs (the build tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in, so a program needs no DLL beside it, neither on
# Windows nor under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine: gtest_discover_tests lists the tests through it and CTest
# runs them through it. A prefix of the build's own keeps the user's ~/.wine out of it; Wine's
# debug chatter, its offers to install Mono and Gecko and its windows on the user's display are
# turned off (the tests are console programs).
find_program(QUILLET_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QUILLET_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env -u DISPLAY -u WAYLAND_DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
      WINEPREFIX=${CMAKE_BINARY_DIR}/wine ${QUILLET_WINE64})
endif()
