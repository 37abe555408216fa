target_sources(reedgunner_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/graphics_bench.cpp)
# A whole headless hunt day on the generated data.
if(DEFINED REEDGUNNER_DATA_DIR)
  target_sources(reedgunner_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/day_bench.cpp)
  target_compile_definitions(reedgunner_bench PRIVATE REEDGUNNER_DATA_DIR="${REEDGUNNER_DATA_DIR}/")
endif()
