# The talking heads and their captions.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hunt/characters_test.cpp)
