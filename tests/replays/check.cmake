# Plays a recorded session headless and holds it to what the session itself
# saw: every checkpoint's screen and frame hash, the final options.dat byte for
# byte, and every record of the recording used.
#   -DSCRIPT=reedgunner-script -DDATA=build/data -DWORK=scratch -DREPLAY=NAME.rgr
# Expects NAME.checkpoints and NAME.options.dat beside NAME.rgr.
string(REGEX REPLACE "\\.rgr$" "" stem "${REPLAY}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/pellmar")
file(WRITE "${WORK}/pellmar/Settings.ini" "[Settings]\nCDROM=${DATA}\n")
set(ENV{XDG_CONFIG_HOME} "${WORK}")
set(ENV{XDG_STATE_HOME} "${WORK}")
set(ENV{XDG_DATA_HOME} "${WORK}")
execute_process(COMMAND "${SCRIPT}" --replay "${REPLAY}"
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE code OUTPUT_VARIABLE seen ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the replay failed (${code}): ${errors}")
endif()
file(READ "${stem}.checkpoints" wanted)
if(NOT seen STREQUAL wanted)
  message(FATAL_ERROR "the replay's checkpoints differ from the session's:\n"
    "session:\n${wanted}\nreplay:\n${seen}")
endif()
string(REGEX MATCHALL "checkpoint" count "${wanted}")
list(LENGTH count count)
if(count LESS 2)
  message(FATAL_ERROR "${stem}.checkpoints holds too few checkpoints to show anything")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
  "${WORK}/options.dat" "${stem}.options.dat" RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the replay's options.dat differs from the one the session saved")
endif()
