# Saves that survive a crash: a helper that saves over and over, for the test
# that kills it at random moments.
add_executable(reedgunner_save_loop ${CMAKE_CURRENT_LIST_DIR}/app/save_loop.cpp)
target_include_directories(reedgunner_save_loop PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(reedgunner_save_loop PRIVATE rg_game)
target_sources(reedgunner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app/save_crash_test.cpp)
target_compile_definitions(reedgunner_tests PRIVATE
  REEDGUNNER_SAVE_LOOP_BIN="$<TARGET_FILE:reedgunner_save_loop>")
add_dependencies(reedgunner_tests reedgunner_save_loop)
