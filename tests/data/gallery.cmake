# SPDX-License-Identifier: GPL-2.0-or-later
# The gallery renders every generated file, refuses a damaged one with a
# message and a failing status, and writes PNG sheets of the right sizes.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GALLERY} ${SCRATCH}/all RESULT_VARIABLE result OUTPUT_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the gallery failed on the generated data: ${result}")
endif()
file(GLOB sheets ${SCRATCH}/all/*.png)
list(LENGTH sheets count)
if(count LESS 18)
  message(FATAL_ERROR "${count} sheets: ${sheets}")
endif()
# A PNG's width and height are big-endian at bytes 16 and 20.
file(READ ${SCRATCH}/all/bkg_01.png header LIMIT 24 HEX)
string(SUBSTRING "${header}" 32 16 size)
if(NOT size STREQUAL "00000280000001e0")
  message(FATAL_ERROR "a background's sheet is not 640 x 480: ${size}")
endif()

# Only the named files; a truncated bank (its header and part of the first
# record) is refused.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${DATA_DIR}/spr_03.256 ${SCRATCH}/spr_03.256)
execute_process(COMMAND head -c 900 ${DATA_DIR}/pointers.256 OUTPUT_FILE ${SCRATCH}/short.256)
execute_process(COMMAND ${GALLERY} ${SCRATCH}/some ${SCRATCH}/spr_03.256 ${SCRATCH}/short.256
                RESULT_VARIABLE result ERROR_VARIABLE err)
if(result EQUAL 0)
  message(FATAL_ERROR "a truncated bank was rendered without complaint")
endif()
if(NOT err MATCHES "short.256: cannot load")
  message(FATAL_ERROR "no message for the truncated bank: ${err}")
endif()
if(NOT EXISTS ${SCRATCH}/some/spr_03.png OR EXISTS ${SCRATCH}/some/bkg_01.png)
  message(FATAL_ERROR "the named files only, each rendered")
endif()
file(REMOVE_RECURSE ${SCRATCH})
