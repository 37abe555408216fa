# SPDX-License-Identifier: GPL-2.0-or-later
# `cmake --install` into a scratch prefix outside the source tree, then the
# installed game started from there as a player would: no CDROM setting, the
# settings, log and saves in folders of its own.
# cmake -DBUILD_DIR=... -DICON_TOOL=... -DAPP_ID=... -DSCRIPT=... -P installed_game.cmake
cmake_minimum_required(VERSION 3.25)
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(tmp "$ENV{TMPDIR}")
else()
  set(tmp /tmp)
endif()
string(RANDOM LENGTH 8 tag)
set(scratch "${tmp}/reedgunner-install-${tag}")
set(prefix "${scratch}/prefix with space")
file(MAKE_DIRECTORY "${scratch}/run")

function(fail message)
  message(FATAL_ERROR "${message}\n(scratch folder kept: ${scratch})")
endfunction()

# The install lists what it wrote in the build's manifest: the player's own
# list (what an uninstall removes) is put back afterwards.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(COPY_FILE "${manifest}" "${scratch}/players_manifest.txt")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(EXISTS "${scratch}/players_manifest.txt")
  file(RENAME "${scratch}/players_manifest.txt" "${manifest}")
else()
  file(REMOVE "${manifest}")
endif()
if(NOT result EQUAL 0)
  fail("install: ${result}: ${errors}")
endif()

# The game alone in bin/, the developer programs in libexec/reedgunner/, and
# nothing of the data build.
file(GLOB programs RELATIVE "${prefix}/bin" "${prefix}/bin/*")
set(libexec "${prefix}/libexec/reedgunner")
file(GLOB tools RELATIVE "${libexec}" "${libexec}/*")
list(SORT tools)
if(NOT programs STREQUAL "reedgunner"
   OR NOT tools STREQUAL "reedgunner-gallery;reedgunner-listen;reedgunner-script")
  fail("bin/ holds: ${programs}; libexec/reedgunner/ holds: ${tools}")
endif()
# Every data file the build made, none missing.
set(data "${prefix}/share/reedgunner/ReedShot")
file(GLOB built RELATIVE "${BUILD_DIR}/data/ReedShot" "${BUILD_DIR}/data/ReedShot/*")
file(GLOB installed RELATIVE "${data}" "${data}/*")
list(SORT built)
list(SORT installed)
if(NOT installed STREQUAL built OR NOT "icons.256" IN_LIST installed)
  fail("data installed: ${installed}\nbuilt: ${built}")
endif()
# Icons of the named sizes: PNG files whose header says so, the same bytes
# when drawn again.
execute_process(COMMAND "${ICON_TOOL}" "${scratch}/icons" "${APP_ID}" RESULT_VARIABLE result)
foreach(size 16 32 48 64 128 256)
  set(icon "${prefix}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${icon}"
                          "${scratch}/icons/${size}x${size}/apps/${APP_ID}.png"
                  RESULT_VARIABLE differ)
  if(NOT result EQUAL 0 OR NOT differ EQUAL 0)
    fail("the ${size}x${size} icon is missing or differs from one drawing to the next")
  endif()
  file(READ "${icon}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 wide)
  string(SUBSTRING "${header}" 40 8 high)
  math(EXPR wide "0x${wide}")
  math(EXPR high "0x${high}")
  if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452" OR NOT wide EQUAL size
     OR NOT high EQUAL size)
    fail("${size}x${size} icon: header ${header}")
  endif()
endforeach()
# The menu entry runs the installed program itself, its path quoted for the
# space: the game finds its saves folder by itself.
set(entry "${prefix}/share/applications/${APP_ID}.desktop")
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"${prefix}/bin/reedgunner\"")
  fail("menu entry: ${exec}")
endif()
find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} "${entry}" RESULT_VARIABLE result
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR NOT report STREQUAL "")
  fail("desktop-file-validate: ${report}")
endif()
# The installed tree as a software centre reads it: the metainfo, the menu
# entry it launches and the icon that entry names agree.
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net "${prefix}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR report MATCHES "(^|\n)[EW]: ")
  fail("appstreamcli validate-tree: ${result}\n${report}")
endif()

# The licence, the data's copyright, the documents, the manual page and the
# screenshots the game played at build time (640x480 PNG files).
foreach(file share/doc/reedgunner/LICENSE share/doc/reedgunner/COPYING.data
        share/doc/reedgunner/README.md share/doc/reedgunner/CHANGELOG.md
        share/man/man6/reedgunner.6 share/metainfo/${APP_ID}.metainfo.xml)
  if(NOT EXISTS "${prefix}/${file}")
    fail("not installed: ${file}")
  endif()
endforeach()
file(GLOB shots "${prefix}/share/reedgunner/screenshots/*.png")
list(LENGTH shots count)
if(count LESS 2)
  fail("screenshots installed: ${shots}")
endif()
foreach(shot IN LISTS shots)
  file(READ "${shot}" header LIMIT 24 HEX)
  if(NOT header MATCHES "^89504e470d0a1a0a0000000d4948445200000280000001e0")
    fail("${shot}: header ${header}")
  endif()
endforeach()
# Every stanza of COPYING.data names files the install holds, so none is
# left behind when a file is renamed (the first, "*", holds everything).
file(STRINGS "${prefix}/share/doc/reedgunner/COPYING.data" lines)
set(patterns "")
set(in_files FALSE)
foreach(line IN LISTS lines ".")
  if(line MATCHES "^Files: (.*)$")
    set(patterns "${CMAKE_MATCH_1}")
    set(in_files TRUE)
  elseif(in_files AND line MATCHES "^ (.+)$")
    list(APPEND patterns "${CMAKE_MATCH_1}")
  elseif(in_files)
    set(in_files FALSE)
    set(found "")
    foreach(pattern IN LISTS patterns)
      file(GLOB matched "${prefix}/${pattern}")
      list(APPEND found ${matched})
    endforeach()
    if(found STREQUAL "")
      fail("COPYING.data: no installed file is one of ${patterns}")
    endif()
  endif()
endforeach()

set(player_env HOME=${scratch}/home XDG_CONFIG_HOME=${scratch}/config
    XDG_STATE_HOME=${scratch}/state XDG_DATA_HOME=${scratch}/data --unset=REEDGUNNER_HEADLESS)
set(game "${prefix}/bin/reedgunner")

# --help and --version print and touch nothing; anything else is refused.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env} "${game}" --help
                WORKING_DIRECTORY "${scratch}/run" RESULT_VARIABLE result
                OUTPUT_VARIABLE help ERROR_VARIABLE errors TIMEOUT 30)
string(FIND "${help}" "${scratch}/config/pellmar/Settings.ini" settings_at)
string(FIND "${help}" "options.dat in ${scratch}/data/pellmar/" saves_at)
string(FIND "${help}" "${data}/" data_at)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "" OR NOT help MATCHES "^Usage: .*1\\.01"
   OR settings_at LESS 0 OR saves_at LESS 0 OR data_at LESS 0)
  fail("--help: ${result}\n${help}${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env} "${game}" --version
                RESULT_VARIABLE result OUTPUT_VARIABLE version TIMEOUT 30)
if(NOT result EQUAL 0 OR NOT version STREQUAL "reedgunner (Talmadge Reed Gunner) 1.01\n")
  fail("--version: ${result}: ${version}")
endif()
foreach(bad "--fullscreen" "-v" "")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env} "${game}" "${bad}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE errors TIMEOUT 30)
  if(NOT result EQUAL 2 OR NOT out STREQUAL "" OR NOT errors MATCHES "Usage: ")
    fail("'${bad}': ${result}: ${out}${errors}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env} "${game}" --help --version
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET TIMEOUT 30)
if(NOT result EQUAL 2 OR EXISTS "${scratch}/config" OR EXISTS "${scratch}/state"
   OR EXISTS "${scratch}/data")
  fail("a second option is refused (${result}) and no option writes settings, log or saves")
endif()

# The installed script runner, headless, finds its data by itself from
# libexec/reedgunner/, reaches
# the roster and saves options.dat where it was started (a test driver keeps
# the current folder).
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env}
                        "${libexec}/reedgunner-script" "${SCRIPT}"
                WORKING_DIRECTORY "${scratch}/run" RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 120)
set(log "${scratch}/state/pellmar/PELLMAR.TXT")
file(READ "${log}" log_text)
if(NOT result EQUAL 0 OR log_text MATCHES "ERROR")
  fail("the installed game: ${result}: ${out}\n${log_text}")
endif()
file(READ "${scratch}/config/pellmar/Settings.ini" settings)
file(SIZE "${scratch}/run/options.dat" saved)
file(READ "${scratch}/run/options.dat" saved_bytes HEX)
string(FIND "${saved_bytes}" "00416e6e" ann_at)  # "Ann" starting a name field
if(settings MATCHES "CDROM" OR NOT saved EQUAL 877 OR ann_at LESS 0)
  fail("settings '${settings}', options.dat of ${saved} bytes, Ann at ${ann_at}")
endif()

# The game itself, headless, started from an empty folder: it finds those
# saves in $XDG_DATA_HOME/pellmar/ (no "Cannot find" line) and writes them
# back there when SIGTERM ends it, leaving the folder it started in empty.
file(MAKE_DIRECTORY "${scratch}/data/pellmar" "${scratch}/empty")
file(COPY_FILE "${scratch}/run/options.dat" "${scratch}/data/pellmar/options.dat")
file(REMOVE "${scratch}/run/options.dat")
file(SIZE "${scratch}/data/pellmar/options.dat" before)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env} REEDGUNNER_HEADLESS=1
                        timeout --preserve-status -s TERM 4 "${game}"
                WORKING_DIRECTORY "${scratch}/empty" RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 60)
file(READ "${log}" log_text)
file(GLOB left_behind "${scratch}/empty/*")
file(READ "${scratch}/data/pellmar/options.dat" saved_bytes HEX)
string(FIND "${saved_bytes}" "00416e6e" ann_at)
if(NOT result EQUAL 0 OR log_text MATCHES "Cannot find options.dat|ERROR" OR left_behind
   OR ann_at LESS 0)
  fail("the game from an empty folder: ${result}: ${out}\nleft: ${left_behind}\n${log_text}")
endif()

# A CDROM folder that holds ReedShot/ still wins over the installed data...
file(MAKE_DIRECTORY "${scratch}/elsewhere/ReedShot")
file(WRITE "${scratch}/config/pellmar/Settings.ini" "[Settings]\nCDROM=${scratch}/elsewhere\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env}
                        "${libexec}/reedgunner-script" "${SCRIPT}"
                WORKING_DIRECTORY "${scratch}/run" RESULT_VARIABLE result OUTPUT_QUIET
                ERROR_QUIET TIMEOUT 120)
file(READ "${log}" log_text)
string(FIND "${log_text}" "${scratch}/elsewhere/ReedShot/icons.256" named)
if(NOT result EQUAL 1 OR named LESS 0)
  fail("with CDROM set elsewhere: ${result}\n${log_text}")
endif()
# ... and one without it (a moved folder) gives way to the installed data.
file(REMOVE_RECURSE "${scratch}/elsewhere")
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${player_env}
                        "${libexec}/reedgunner-script" "${SCRIPT}"
                WORKING_DIRECTORY "${scratch}/run" RESULT_VARIABLE result OUTPUT_QUIET
                ERROR_QUIET TIMEOUT 120)
file(READ "${log}" log_text)
string(FIND "${log_text}" "CDROM folder ${scratch}/elsewhere/ holds no ReedShot/: using the data in ${data}/" fell_back)
if(NOT result EQUAL 0 OR fell_back LESS 0)
  fail("with CDROM naming a folder that is gone: ${result}\n${log_text}")
endif()

# The installed listening tool plays from the installed data.
execute_process(COMMAND "${libexec}/reedgunner-listen" "${data}/sounds.16b" 0
                        "${scratch}/quack.wav"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0 OR NOT EXISTS "${scratch}/quack.wav")
  fail("reedgunner-listen: ${result}")
endif()

file(REMOVE_RECURSE "${scratch}")
