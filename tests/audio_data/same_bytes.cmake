# Runs every audio tool into SCRATCH and compares what it made with DATA_DIR.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(runs
  "make_sounds"
  "make_calls"
  "make_voices|04" "make_voices|20" "make_voices|21"
  "make_music|${SOUNDFONT}|mainmenu" "make_music|${SOUNDFONT}|credits"
  "make_music|${SOUNDFONT}|gameover")
foreach(run IN LISTS runs)
  string(REPLACE "|" ";" args "${run}")
  list(POP_FRONT args tool)
  execute_process(COMMAND ${TOOLS_DIR}/${tool} ${SCRATCH} ${args} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${tool} ${args} failed: ${result}")
  endif()
endforeach()
file(GLOB made RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(LENGTH made count)
if(NOT count EQUAL 16)
  message(FATAL_ERROR "${count} files made, not 16: ${made}")
endif()
foreach(name IN LISTS made)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${DATA_DIR}/${name}
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name} differs from one run to the next")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
