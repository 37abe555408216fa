# Mixing and taking in sounds.
target_sources(reedgunner_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sound_bench.cpp)
