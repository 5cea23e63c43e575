# Builds libpng statically for the Windows target from Debian's source package, which
# scripts/setup.sh fetched into .deps/libpng. dpkg-source applies Debian's own patches.
file(GLOB _png_dsc "${PROJECT_SOURCE_DIR}/.deps/libpng/libpng1.6_*.dsc")
if(NOT _png_dsc)
  message(FATAL_ERROR "libpng source package missing: run scripts/setup.sh")
endif()
list(GET _png_dsc 0 _png_dsc)
set(_png_src "${CMAKE_BINARY_DIR}/_deps/libpng-src")
if(NOT EXISTS "${_png_src}/png.h")
  file(REMOVE_RECURSE "${_png_src}")
  file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/_deps")
  execute_process(
    COMMAND dpkg-source --no-check -x "${_png_dsc}" "${_png_src}"
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/_deps"
    RESULT_VARIABLE _rc OUTPUT_QUIET)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "dpkg-source could not unpack ${_png_dsc}")
  endif()
endif()

# The static zlib of the mingw package, not its import library: nothing but system DLLs at run time.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(ld-version-script OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON)
add_subdirectory("${_png_src}" "${CMAKE_BINARY_DIR}/_deps/libpng-build" EXCLUDE_FROM_ALL)
add_library(sysclean_png INTERFACE)
target_link_libraries(sysclean_png INTERFACE png_static ZLIB::ZLIB)
target_include_directories(sysclean_png INTERFACE "${_png_src}" "${CMAKE_BINARY_DIR}/_deps/libpng-build")
