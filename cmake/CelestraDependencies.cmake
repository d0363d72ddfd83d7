# Third-party libraries: GoogleTest from Debian's sources; libjpeg from the system on the
# host, and built from Debian's libjpeg-turbo source package for Windows and for fuzzing.

set(CELESTRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
if(NOT CELESTRA_TOOLS_ONLY)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(${CELESTRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

if(WIN32 OR CELESTRA_FUZZ)
  include(LibJpegTurbo)
else()
  find_package(JPEG REQUIRED)
endif()
