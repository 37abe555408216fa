# The display library and the game's display interface, all headless.
find_package(PNG REQUIRED)
target_sources(reedgunner_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/support/display_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/raster_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/palette_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/events_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/scale_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/present_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdl/headless_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/graphics_test.cpp
)
target_link_libraries(reedgunner_tests PRIVATE PNG::PNG)
