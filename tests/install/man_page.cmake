# SPDX-License-Identifier: GPL-2.0-or-later
# The manual page renders at 80 columns without a warning from man or groff.
# cmake -DPAGE=... -P man_page.cmake
cmake_minimum_required(VERSION 3.25)
find_program(MAN man REQUIRED)
execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 "${MAN}" --warnings -l "${PAGE}"
                RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT page MATCHES "EXIT STATUS")
  message(FATAL_ERROR "man --warnings -l ${PAGE}: ${result}\n${warnings}")
endif()
