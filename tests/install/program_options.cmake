# Every program of the game answers --help and --version, and refuses an
# unknown option with a usage line on standard error and status 2, creating
# nothing (the gallery once made a folder named after the option).
# cmake -DPROGRAMS=a;b;... -DVERSION=... -DSCRATCH=... -P program_options.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/run")
set(env HOME=${SCRATCH}/home XDG_CONFIG_HOME=${SCRATCH}/config XDG_STATE_HOME=${SCRATCH}/state
    XDG_DATA_HOME=${SCRATCH}/data REEDGUNNER_HEADLESS=1)
set(faults "")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name "${program}" NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} "${program}" --help
                  WORKING_DIRECTORY "${SCRATCH}/run" RESULT_VARIABLE result
                  OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  if(NOT result EQUAL 0 OR NOT out MATCHES "^Usage: [^\n]*${name} " OR NOT out MATCHES "--version"
     OR NOT err STREQUAL "")
    string(APPEND faults "${name} --help: ${result}\n${out}${err}\n")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} "${program}" --version
                  WORKING_DIRECTORY "${SCRATCH}/run" RESULT_VARIABLE result
                  OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "${name} (Talmadge Reed Gunner) ${VERSION}\n")
    string(APPEND faults "${name} --version: ${result}\n${out}${err}\n")
  endif()
  # An unknown option first, last, or after good arguments; and a lone "-".
  foreach(args "--bogus" "/tmp;--bogus" "-x;a;b;c" "-")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} "${program}" ${args}
                    WORKING_DIRECTORY "${SCRATCH}/run" RESULT_VARIABLE result
                    OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
    file(GLOB made "${SCRATCH}/run/*")
    if(NOT result EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "Usage: [^\n]*${name}"
       OR made)
      string(APPEND faults "${name} ${args}: ${result}\n${out}${err}made: ${made}\n")
      if(made)
        file(REMOVE_RECURSE ${made})
      endif()
    endif()
  endforeach()
endforeach()
if(NOT faults STREQUAL "")
  message(FATAL_ERROR "${faults}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
