target_sources(reedgunner_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/engine/graphics_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine/blit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine/transitions_test.cpp
)
