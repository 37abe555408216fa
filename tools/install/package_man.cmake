# SPDX-License-Identifier: GPL-2.0-or-later
# Run by cpack between the staged install and the packing: Debian wants the
# manual pages compressed, and gzip -n keeps a name and a time out of them.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${page}: ${result}")
  endif()
endforeach()

# Debian keeps games in /usr/games: the .deb moves the game there and its menu
# entry with it. It still finds its data from its own folder (games/../share/).
# The tarball keeps the relocatable bin/ layout.
if(CPACK_GENERATOR STREQUAL "DEB")
  file(GLOB staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/reedgunner"
       "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/reedgunner")
  foreach(game IN LISTS staged)
    get_filename_component(bin "${game}" DIRECTORY)
    get_filename_component(usr "${bin}" DIRECTORY)
    file(MAKE_DIRECTORY "${usr}/games")
    file(RENAME "${game}" "${usr}/games/reedgunner")
    file(REMOVE_RECURSE "${bin}")
    file(GLOB entries "${usr}/share/applications/*.desktop")
    foreach(entry IN LISTS entries)
      file(READ "${entry}" text)
      string(REPLACE "/usr/bin/reedgunner" "/usr/games/reedgunner" text "${text}")
      file(WRITE "${entry}" "${text}")
    endforeach()
  endforeach()
  if(NOT staged)
    message(FATAL_ERROR "no staged usr/bin/reedgunner under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
  endif()
endif()
