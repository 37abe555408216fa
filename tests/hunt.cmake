# The hunt: flights, shooting and judgement, the frame, the panel and clock.
target_sources(reedgunner_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/hunt/flights_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hunt/judgement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hunt/hunt_test.cpp
)
