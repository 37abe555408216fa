# A whole headless hunt day on the generated data (or on whatever of it exists).
target_sources(reedgunner_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hunt_bench.cpp)
if(DEFINED REEDGUNNER_DATA_DIR)
  target_compile_definitions(reedgunner_bench PRIVATE
    REEDGUNNER_BENCH_DATA_DIR="${REEDGUNNER_DATA_DIR}/")
endif()
