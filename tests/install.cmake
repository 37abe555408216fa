# The installed game: installed into a scratch prefix and started from there.
if(TARGET reedgunner_icon)
  add_test(NAME installed_game
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DICON_TOOL=$<TARGET_FILE:draw_app_icon>
            -DSCRIPT=${CMAKE_CURRENT_LIST_DIR}/install/installed_script.txt
            -P ${CMAKE_CURRENT_LIST_DIR}/install/installed_game.cmake)
  set_tests_properties(installed_game PROPERTIES TIMEOUT 300)
endif()
