# The talking heads.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hunt/characters_test.cpp)
# Captions: captions.txt and the box while a character speaks.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hunt/captions_test.cpp)
