# Supplies the dependencies of the Qt-free build when cross-compiling for Windows or for the
# page (WebAssembly), where Debian has no builds of them. Read by the first project() call through
# CMAKE_PROJECT_TOP_LEVEL_INCLUDES (the `windows` preset sets it), so the project's own
# find_package calls stay as they are:
#
# - GoogleTest is compiled from Debian's source package (/usr/src/googletest) inside this build;
# - Boost, CLI11 and fast_float are header-only: a folder in the build holds links to just their
#   headers (and CLI11's package file), because adding /usr/include itself would mix the host's
#   C library headers into the Windows build.
set(quillet_googletest_source /usr/src/googletest CACHE PATH
    "GoogleTest source tree compiled for the cross build")

set(quillet_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(link IN ITEMS include/boost include/CLI include/fast_float share/cmake/CLI11)
  if(EXISTS /usr/${link} AND NOT EXISTS ${quillet_host_headers}/${link})
    get_filename_component(parent ${quillet_host_headers}/${link} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK /usr/${link} ${quillet_host_headers}/${link} SYMBOLIC)
  endif()
endforeach()
list(APPEND CMAKE_FIND_ROOT_PATH ${quillet_host_headers})
# FindBoost takes the header folder as it is; Boost's own package files would resolve the links
# back to /usr/include.
set(Boost_NO_BOOST_CMAKE ON)
set(Boost_INCLUDE_DIR ${quillet_host_headers}/include CACHE PATH "Boost headers for the cross build")
set(CLI11_DIR ${quillet_host_headers}/share/cmake/CLI11 CACHE PATH "CLI11 package for the cross build")

macro(quillet_provide_cross_dependency method package)
  if("${package}" STREQUAL "GTest")
    if(NOT TARGET GTest::gtest)
      # GoogleTest keeps its own warning flags; the project's -Werror is for the project's code.
      get_directory_property(quillet_saved_options COMPILE_OPTIONS)
      set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      # WebAssembly without threads: a program with them would need a browser's shared memory.
      if(EMSCRIPTEN)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
      endif()
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      add_subdirectory(${quillet_googletest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
      set_directory_properties(PROPERTIES COMPILE_OPTIONS "${quillet_saved_options}")
    endif()
    set(GTest_FOUND TRUE)
  endif()
endmacro()
cmake_language(SET_DEPENDENCY_PROVIDER quillet_provide_cross_dependency
               SUPPORTED_METHODS FIND_PACKAGE)
