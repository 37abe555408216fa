# The frugality program, run by bench/idle_cpu.sh under Xvfb.
add_executable(reedgunner_idle ${CMAKE_CURRENT_LIST_DIR}/idle_window.cpp)
target_link_libraries(reedgunner_idle PRIVATE rg_game)
