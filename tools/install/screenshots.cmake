# SPDX-License-Identifier: GPL-2.0-or-later
# Run at build time: the script runner plays screenshots.txt headless on the
# build's data in a scratch folder of its own, and its snaps become the
# metainfo's screenshots in OUT.
# cmake -DRUNNER=... -DSCRIPT=... -DDATA_ROOT=... -DOUT=... -P screenshots.cmake
cmake_minimum_required(VERSION 3.25)
set(scratch "${OUT}.scratch")
file(REMOVE_RECURSE "${scratch}")
file(MAKE_DIRECTORY "${scratch}/pellmar" "${scratch}/snaps")
file(WRITE "${scratch}/pellmar/Settings.ini" "[Settings]\nCDROM=${DATA_ROOT}\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${scratch} XDG_CONFIG_HOME=${scratch}
                        XDG_STATE_HOME=${scratch} XDG_DATA_HOME=${scratch}
                        "${RUNNER}" "${SCRIPT}" "${scratch}/snaps"
                WORKING_DIRECTORY "${scratch}" RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 300)
if(NOT result EQUAL 0)
  file(READ "${scratch}/pellmar/PELLMAR.TXT" log)
  message(FATAL_ERROR "the screenshots' script: ${result}: ${out}\n${log}")
endif()
file(MAKE_DIRECTORY "${OUT}")
foreach(name IN LISTS NAMES)
  file(COPY_FILE "${scratch}/snaps/${name}.png" "${OUT}/${name}.png")
endforeach()
file(REMOVE_RECURSE "${scratch}")
