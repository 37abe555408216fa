# SPDX-License-Identifier: GPL-2.0-or-later
# Writes the AppStream metainfo from its template: the releases are the
# CHANGELOG's released versions, newest first, each with its date and the
# first paragraph under its heading; the screenshots are listed only when
# SCREENSHOT_URL names where they are published (AppStream takes web
# addresses only, never local files).
# cmake -DTEMPLATE=... -DCHANGELOG=... -DOUT=... -DREEDGUNNER_APP_ID=...
#       [-DSCREENSHOT_URL=https://...] -DSHOTS="name|caption;..." -P metainfo.cmake
cmake_minimum_required(VERSION 3.25)

function(xml_text in out)
  string(REPLACE "&" "&amp;" text "${in}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "`" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(STRINGS "${CHANGELOG}" lines)
set(REEDGUNNER_RELEASES "")
set(version "")
set(summary "")
macro(finish_release)
  if(NOT version STREQUAL "")
    string(APPEND REEDGUNNER_RELEASES "    <release version=\"${version}\" date=\"${date}\"")
    if(summary STREQUAL "")
      string(APPEND REEDGUNNER_RELEASES "/>\n")
    else()
      xml_text("${summary}" summary)
      string(APPEND REEDGUNNER_RELEASES ">\n      <description>\n        <p>${summary}</p>\n"
             "      </description>\n    </release>\n")
    endif()
  endif()
  set(version "")
  set(summary "")
endmacro()
set(in_summary FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^## ")
    finish_release()
    set(in_summary FALSE)
    # "## [1.01] - 2026-12-07"; [Unreleased] has no date and is left out.
    if(line MATCHES "^## \\[([0-9][0-9.]*)\\] - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
      set(version "${CMAKE_MATCH_1}")
      set(date "${CMAKE_MATCH_2}")
      set(in_summary TRUE)
    endif()
  elseif(in_summary)
    if(line MATCHES "^#")
      set(in_summary FALSE)
    elseif(line STREQUAL "")
      if(NOT summary STREQUAL "")
        set(in_summary FALSE)
      endif()
    elseif(summary STREQUAL "")
      string(STRIP "${line}" summary)
    else()
      string(STRIP "${line}" more)
      string(APPEND summary " ${more}")
    endif()
  endif()
endforeach()
finish_release()
if(REEDGUNNER_RELEASES STREQUAL "")
  message(FATAL_ERROR "${CHANGELOG} names no released version")
endif()

set(REEDGUNNER_SCREENSHOTS "")
if(NOT SCREENSHOT_URL STREQUAL "")
  string(APPEND REEDGUNNER_SCREENSHOTS "  <screenshots>\n")
  set(kind " type=\"default\"")
  foreach(shot IN LISTS SHOTS)
    string(REPLACE "|" ";" shot "${shot}")
    list(GET shot 0 name)
    list(GET shot 1 caption)
    string(APPEND REEDGUNNER_SCREENSHOTS "    <screenshot${kind}>\n"
           "      <caption>${caption}</caption>\n"
           "      <image type=\"source\" width=\"640\" height=\"480\">${SCREENSHOT_URL}/${name}.png</image>\n"
           "    </screenshot>\n")
    set(kind "")
  endforeach()
  string(APPEND REEDGUNNER_SCREENSHOTS "  </screenshots>\n")
endif()
configure_file("${TEMPLATE}" "${OUT}" @ONLY)
