# The screens between hunts: the goal table, and the store, the overlays and
# the payout on the generated data.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/screens/goals_test.cpp)
if(TARGET reedgunner_data)
  target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/screens/between_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/between_script_test.cpp)
  target_compile_definitions(reedgunner_tests PRIVATE
    REEDGUNNER_SNAP_DIR="${CMAKE_CURRENT_BINARY_DIR}/snaps")
endif()
