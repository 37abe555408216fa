# SPDX-License-Identifier: GPL-2.0-or-later
# Packs the native build's data for the page in two parts (web/web.cmake runs
# this at build time): reedgunner-start.data, everything up to the hunt, which
# the page loads before the title, and reedgunner-hunt.data with its table of
# files reedgunner-hunt.json, what only the hunt and the screens after it
# read, which web/pre.js fetches once the title is up. Every file goes in
# exactly one part. Needs DATA, SITE, STAGE (a scratch folder) and PACKAGER.
foreach(variable DATA SITE STAGE PACKAGER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "pack_data.cmake: ${variable} not given")
  endif()
endforeach()
set(installed /usr/share/reedgunner/ReedShot)
# The hunt's scenes, sprites, talking heads and calls, the jail and game over
# that only follow a hunt, and the 8-bit banks (a player who picks 8-bit sound
# waits for them at the start instead).
set(hunt_patterns scn_*.256 sprites.256 char*.256 char*.16b calls.16b jail.256
                  bkg_08.256 spr_08.256 gameover.16b *.8b)

file(GLOB all RELATIVE ${DATA} ${DATA}/*)
set(hunt_globs)
foreach(pattern ${hunt_patterns})
  list(APPEND hunt_globs ${DATA}/${pattern})
endforeach()
file(GLOB hunt RELATIVE ${DATA} ${hunt_globs})
set(early ${all})
list(REMOVE_ITEM early ${hunt})
if(NOT early OR NOT hunt)
  message(FATAL_ERROR "pack_data.cmake: nothing to pack in ${DATA}")
endif()

function(pack target js names)
  set(arguments)
  foreach(name ${names})
    list(APPEND arguments ${DATA}/${name}@${installed}/${name})
  endforeach()
  execute_process(COMMAND python3 ${PACKAGER} ${target} --preload ${arguments}
                          --js-output=${js} ${ARGN}
                  WORKING_DIRECTORY ${SITE} RESULT_VARIABLE failed OUTPUT_QUIET
                  ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "file_packager failed for ${target}: ${errors}")
  endif()
endfunction()

file(MAKE_DIRECTORY ${STAGE} ${SITE})
pack(reedgunner-start.data ${STAGE}/early.js "${early}" --no-node)
pack(reedgunner-hunt.data ${STAGE}/hunt.js "${hunt}" --no-node --separate-metadata)
# The page reads the hunt part's table itself (pre.js); its loader is unused.
file(COPY_FILE ${STAGE}/hunt.js.metadata ${SITE}/reedgunner-hunt.json ONLY_IF_DIFFERENT)
