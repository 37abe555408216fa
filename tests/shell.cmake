# Start-up, the screen manager, the roster and the script runner.
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app/screens_test.cpp)
if(TARGET reedgunner_data)
  target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app/game_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/day_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/credits_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/jail_test.cpp)
  target_compile_definitions(reedgunner_tests PRIVATE
    REEDGUNNER_SCRIPT_BIN="$<TARGET_FILE:reedgunner-script>"
    REEDGUNNER_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")
  add_dependencies(reedgunner_tests reedgunner-script)
endif()
