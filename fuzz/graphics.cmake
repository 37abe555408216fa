reedgunner_fuzzer(fuzz_graphics ${CMAKE_CURRENT_LIST_DIR}/graphics_fuzz.cpp)
reedgunner_fuzzer(fuzz_background ${CMAKE_CURRENT_LIST_DIR}/background_fuzz.cpp)
