# SPDX-License-Identifier: GPL-2.0-or-later
# compare_made(SCRATCH DATA_DIR EXPECTED): every file the tools made in SCRATCH
# must equal the one of the same name in DATA_DIR; with EXPECTED, exactly that
# many files must have been made, otherwise at least 16. Removes SCRATCH after.
function(compare_made scratch data_dir expected)
  file(GLOB made RELATIVE ${scratch} ${scratch}/*)
  list(LENGTH made count)
  if((expected AND NOT count EQUAL expected) OR (NOT expected AND count LESS 16))
    message(FATAL_ERROR "${count} files made: ${made}")
  endif()
  foreach(name IN LISTS made)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${scratch}/${name}
                            ${data_dir}/${name} RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      message(FATAL_ERROR "${name} differs from one run to the next")
    endif()
  endforeach()
  file(REMOVE_RECURSE ${scratch})
endfunction()
