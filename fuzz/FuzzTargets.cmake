# libFuzzer targets; included only with VISTELLO_FUZZ (see cmake/Sanitizers.cmake).
foreach(target fuzz_settings_file fuzz_leading_number fuzz_pictures)
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${target}.cpp)
  target_link_libraries(${target} PRIVATE vistello_settings vistello_slideshow)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,address)
endforeach()
