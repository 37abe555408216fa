target_sources(reedgunner_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/graphics_bench.cpp)
