# Optional instrumented builds.
#   VISTELLO_SANITIZE=address,undefined  builds everything (library, programs, tests)
#                                        with those sanitizers; see tests/run-sanitizers.sh.
#   VISTELLO_FUZZ=ON                     builds the libFuzzer targets in fuzz/ (clang only;
#                                        the library gets -fsanitize=fuzzer-no-link,address);
#                                        see fuzz/run-fuzzers.sh.
set(VISTELLO_SANITIZE "" CACHE STRING "Comma-separated sanitizers for the whole build (e.g. address,undefined)")
option(VISTELLO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(VISTELLO_SANITIZE)
  add_compile_options(-fsanitize=${VISTELLO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VISTELLO_SANITIZE})
endif()

if(VISTELLO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VISTELLO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address)
  # The targets link against the library, which the top-level file defines after this one.
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${CMAKE_SOURCE_DIR}/fuzz/FuzzTargets.cmake)
endif()
