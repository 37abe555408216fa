# SPDX-License-Identifier: GPL-2.0-or-later
# Runs every audio tool into SCRATCH and compares what it made with DATA_DIR.
include(${CMAKE_CURRENT_LIST_DIR}/../support/compare_made.cmake)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(runs
  "make_sounds"
  "make_calls"
  "make_voices|04" "make_voices|20" "make_voices|21"
  "make_music|${SOUNDFONT}|mainmenu" "make_music|${SOUNDFONT}|credits"
  "make_music|${SOUNDFONT}|gameover"
  "make_captions")
foreach(run IN LISTS runs)
  string(REPLACE "|" ";" args "${run}")
  list(POP_FRONT args tool)
  execute_process(COMMAND ${TOOLS_DIR}/${tool} ${SCRATCH} ${args} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${tool} ${args} failed: ${result}")
  endif()
endforeach()
compare_made(${SCRATCH} ${DATA_DIR} 17)
