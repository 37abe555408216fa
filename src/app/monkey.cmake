# reedgunner-monkey: the whole game on the headless backend under random input.
add_executable(reedgunner-monkey app/monkey_main.cpp app/monkey.cpp)
target_link_libraries(reedgunner-monkey PRIVATE rg_game)
