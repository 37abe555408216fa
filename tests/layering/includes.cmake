# SPDX-License-Identifier: GPL-2.0-or-later
# The floors of src/: every file includes only headers of its own room and of
# the rooms its room may read (HACKING.md draws the map), and only the
# stand-ins include SDL. Run with -DSRC=<source folder>.
cmake_minimum_required(VERSION 3.25)
set(allowed_sys     sys)
set(allowed_gdl     gdl sys)
set(allowed_aud     aud sys)
# The platform and the engine are one floor: the platform loads through the
# engine's files, log and graphic table; the engine draws on its pages.
set(allowed_platform platform engine gdl aud sys)
set(allowed_engine   engine platform gdl aud sys)
set(allowed_shell    shell engine platform gdl aud sys)
# The screens read the hunt's state; the hunt never includes a screen.
set(allowed_hunt     hunt shell engine platform gdl aud sys)
set(allowed_screens  screens hunt shell engine platform gdl aud sys)
set(allowed_app      app screens hunt shell engine platform gdl aud sys)
set(allowed_drivers  drivers app screens hunt shell engine platform gdl aud sys)
set(rooms sys gdl aud platform engine shell hunt screens app drivers)

set(faults "")
file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" room "${source}")
  if(NOT room IN_LIST rooms)
    string(APPEND faults "  ${source}: in no room of the map\n")
    continue()
  endif()
  file(STRINGS ${SRC}/${source} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      set(target "${CMAKE_MATCH_1}")
      if(NOT target IN_LIST allowed_${room})
        string(APPEND faults "  ${source}: ${line} (${room} may not read ${target})\n")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*[<\"]SDL" AND NOT room MATCHES "^(sys|gdl|aud)$")
      string(APPEND faults "  ${source}: ${line} (only the stand-ins use SDL)\n")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(count LESS 50)
  message(FATAL_ERROR "only ${count} source files under ${SRC}: wrong folder?")
endif()
if(faults)
  message(FATAL_ERROR "includes against the floors:\n${faults}")
endif()
message(STATUS "${count} files, every include goes down the floors")
