# The host tools (the image generator) run on the build machine. A native build builds
# them directly; a cross build builds them in a nested native build of this tree.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(CELESTRA_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  set(CELESTRA_IMAGEGEN ${CELESTRA_HOST_TOOLS_DIR}/tools/imagegen/celestra-imagegen)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CELESTRA_HOST_TOOLS_DIR}
    CMAKE_ARGS -DCELESTRA_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    CMAKE_CACHE_ARGS -DCMAKE_TOOLCHAIN_FILE:FILEPATH=
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${CELESTRA_IMAGEGEN}
  )
  set(CELESTRA_IMAGEGEN_TARGET host_tools)
else()
  add_subdirectory(tools)
  set(CELESTRA_IMAGEGEN $<TARGET_FILE:celestra-imagegen>)
  set(CELESTRA_IMAGEGEN_TARGET celestra-imagegen)
endif()
