# A few simulated minutes of random play for each of a fixed list of seeds, on
# the generated data; under ./test.sh also in the sanitizer build, where a
# report or a leak in any session fails it.
if(TARGET reedgunner_data)
  add_test(NAME monkey_short_play
    COMMAND reedgunner-monkey --dir ${CMAKE_CURRENT_BINARY_DIR}/monkey
            --data ${CMAKE_BINARY_DIR}/data 600 1 2 3 4 5 6)
  set_tests_properties(monkey_short_play PROPERTIES TIMEOUT 300)
endif()
