# The sound library stand-in and the game's sound module.
target_sources(reedgunner_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/aud/wav_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aud/aud_test.cpp
)
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform/sound_test.cpp)
