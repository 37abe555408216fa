# The monkey's sessions, kept as replays, play again headless to the end
# without drifting, and the last one leaves the options.dat the monkey's did:
# input a driver posts from its pump listener comes back at the same point of
# the same event call.
#   -DMONKEY=reedgunner-monkey -DSCRIPT=reedgunner-script -DDATA=build/data -DWORK=scratch
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${MONKEY}" --keep-replays --dir "${WORK}" --data "${DATA}" 300 3
  RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the monkey failed: ${errors}")
endif()
file(GLOB replays "${WORK}/seed-3/session-*.rgr")
list(SORT replays COMPARE NATURAL)
list(LENGTH replays count)
if(count LESS 2)
  message(FATAL_ERROR "the monkey kept ${count} replays, too few to show anything")
endif()
foreach(replay IN LISTS replays)
  set(play "${WORK}/play")
  file(REMOVE_RECURSE "${play}")
  file(MAKE_DIRECTORY "${play}/pellmar")
  file(WRITE "${play}/pellmar/Settings.ini" "[Settings]\nCDROM=${DATA}\n")
  set(ENV{XDG_CONFIG_HOME} "${play}")
  set(ENV{XDG_STATE_HOME} "${play}")
  set(ENV{XDG_DATA_HOME} "${play}")
  execute_process(COMMAND "${SCRIPT}" --replay "${replay}"
    WORKING_DIRECTORY "${play}" RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${replay} did not play to its end (${code}): ${errors}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
  "${play}/options.dat" "${WORK}/seed-3/options.dat" RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the last replay's options.dat differs from the monkey's")
endif()
