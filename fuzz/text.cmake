reedgunner_fuzzer(fuzz_fonts ${CMAKE_CURRENT_SOURCE_DIR}/fonts_fuzz.cpp)
