# The talking heads.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hunt/characters_test.cpp)
