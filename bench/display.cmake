# The frugality program, run by bench/idle_cpu.sh under Xvfb.
add_executable(reedgunner_idle ${CMAKE_CURRENT_LIST_DIR}/idle_window.cpp)
target_link_libraries(reedgunner_idle PRIVATE rg_game)
# The game's own screens, run by bench/idle_cpu.sh under Xvfb.
add_executable(reedgunner_idle_game ${CMAKE_CURRENT_LIST_DIR}/idle_game.cpp)
target_link_libraries(reedgunner_idle_game PRIVATE rg_game)
