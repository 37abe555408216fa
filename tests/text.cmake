target_sources(reedgunner_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/support/font_file.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/scripted_input.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/fonts_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/dialogs_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/input_test.cpp
)
