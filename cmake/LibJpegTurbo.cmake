# Builds libjpeg-turbo as a static library from Debian's source package, once per build
# tree (cross-compiled for Windows, instrumented for fuzzing), and offers it as JPEG::JPEG.
include(ExternalProject)

set(LJT_SOURCE ${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo-src)
set(LJT_PREFIX ${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo)
set(LJT_INSTALL ${LJT_PREFIX}/install)
set(LJT_LIBRARY ${LJT_INSTALL}/lib/libjpeg.a)

set(LJT_EXTRA_ARGS)
if(CELESTRA_FUZZ)
  # Plain C only: the sanitizers and the fuzzer's coverage see nothing of the SIMD
  # assembly, and speed does not matter here.
  list(APPEND LJT_EXTRA_ARGS -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
    "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer"
    -DWITH_SIMD=OFF)
else()
  # The Windows builds: the SIMD decoder (MMX/SSE2 chosen at run time on 32-bit x86,
  # SSE2/AVX2 on x86-64). REQUIRE_SIMD makes a missing NASM an error instead of a quietly
  # slower library.
  find_program(CELESTRA_NASM nasm REQUIRED)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ljt_object_format win64)
  else()
    set(ljt_object_format win32)
  endif()
  list(APPEND LJT_EXTRA_ARGS -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
    -DCMAKE_ASM_NASM_COMPILER=${CELESTRA_NASM} -DCMAKE_ASM_NASM_OBJECT_FORMAT=${ljt_object_format})
endif()

ExternalProject_Add(libjpeg_turbo
  PREFIX ${LJT_PREFIX}
  SOURCE_DIR ${LJT_SOURCE}
  DOWNLOAD_COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/fetch-debian-source.sh libjpeg-turbo ${LJT_SOURCE}
  UPDATE_COMMAND ""
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${LJT_INSTALL}
    # An absolute path: libjpeg-turbo resolves a relative one against its build tree.
    -DCMAKE_INSTALL_LIBDIR=${LJT_INSTALL}/lib
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    ${LJT_EXTRA_ARGS}
  BUILD_BYPRODUCTS ${LJT_LIBRARY}
)

file(MAKE_DIRECTORY ${LJT_INSTALL}/include)
add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
set_target_properties(JPEG::JPEG PROPERTIES
  IMPORTED_LOCATION ${LJT_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${LJT_INSTALL}/include)
add_dependencies(JPEG::JPEG libjpeg_turbo)
