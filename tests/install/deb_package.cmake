# The Debian package: made by CPack from the build, checked by lintian,
# unpacked into a throwaway root and played headless from there, roster to
# club map and back, by the script runner the package installs.
# cmake -DBUILD_DIR=... -DCPACK=... -DVERSION=... -DSCRIPT=... -DSCRATCH=...
#       -P deb_package.cmake
cmake_minimum_required(VERSION 3.25)

# Without Debian's packaging tools there is nothing to check (ctest shows the
# test as skipped on this line).
foreach(tool dpkg-deb dpkg-shlibdeps lintian)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(STATUS "SKIPPED: no ${tool} (apt-get install dpkg-dev lintian)")
    return()
  endif()
endforeach()

function(fail message)
  message(FATAL_ERROR "${message}\n(scratch folder kept: ${SCRATCH})")
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/packages" "${SCRATCH}/run" "${SCRATCH}/snaps")
execute_process(COMMAND "${CPACK}" -G DEB -B "${SCRATCH}/packages"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${SCRATCH}/packages/*.deb")
list(LENGTH debs count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
  fail("cpack -G DEB: ${result}\n${out}")
endif()
message(STATUS "package: ${debs}")

# The control file: name, section, version, and dependencies found by
# dpkg-shlibdeps (SDL2 among them).
execute_process(COMMAND dpkg-deb --field "${debs}" Package Section Version Depends
                OUTPUT_VARIABLE fields RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT fields MATCHES "Package: reedgunner\n"
   OR NOT fields MATCHES "Section: games\n" OR NOT fields MATCHES "Version: ${VERSION}\n"
   OR NOT fields MATCHES "Depends: [^\n]*libsdl2-2\\.0-0")
  fail("control fields:\n${fields}")
endif()

# lintian: errors fail the test; warnings are shown (HACKING.md says which are
# accepted and why).
execute_process(COMMAND lintian --allow-root --tag-display-limit 0 "${debs}"
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
message(STATUS "lintian:\n${report}")
string(REGEX MATCHALL "(^|\n)E: [^\n]*" errors "${report}")
if(errors)
  fail("lintian errors:${errors}")
endif()

# Unpacked into a throwaway root: the game in games/ as Debian wants it, the
# developer programs in libexec/reedgunner/, stripped, nothing in bin/.
set(root "${SCRATCH}/root")
execute_process(COMMAND dpkg-deb -x "${debs}" "${root}" RESULT_VARIABLE result)
file(GLOB bin RELATIVE "${root}/usr/games" "${root}/usr/games/*")
file(GLOB libexec RELATIVE "${root}/usr/libexec/reedgunner" "${root}/usr/libexec/reedgunner/*")
list(SORT libexec)
if(NOT result EQUAL 0 OR NOT bin STREQUAL "reedgunner" OR EXISTS "${root}/usr/bin"
   OR NOT libexec STREQUAL "reedgunner-gallery;reedgunner-listen;reedgunner-script")
  fail("dpkg -x: ${result}; games: ${bin}; libexec: ${libexec}")
endif()
execute_process(COMMAND readelf -S "${root}/usr/games/reedgunner" OUTPUT_VARIABLE sections)
if(sections MATCHES "\\.debug_info|\\.symtab")
  fail("usr/games/reedgunner is not stripped")
endif()
file(GLOB entries "${root}/usr/share/applications/*.desktop")
file(STRINGS "${entries}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"/usr/games/reedgunner\"")
  fail("the menu entry runs: ${exec}")
endif()

# The game from that root: its version, then the script runner from
# libexec/reedgunner/ finds the packaged data by itself (no CDROM setting) and
# plays roster to club map and back, its settings and saves in a scratch home.
set(env HOME=${SCRATCH}/home XDG_CONFIG_HOME=${SCRATCH}/config XDG_STATE_HOME=${SCRATCH}/state
    XDG_DATA_HOME=${SCRATCH}/data)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} "${root}/usr/games/reedgunner" --version
                RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version STREQUAL "reedgunner (Talmadge Reed Gunner) ${VERSION}\n")
  fail("the packaged game's --version: ${result}: ${version}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env}
                        "${root}/usr/libexec/reedgunner/reedgunner-script" "${SCRIPT}"
                        "${SCRATCH}/snaps"
                WORKING_DIRECTORY "${SCRATCH}/run" RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 120)
set(log "${SCRATCH}/state/pellmar/PELLMAR.TXT")
if(EXISTS "${log}")
  file(READ "${log}" log_text)
endif()
# No CDROM setting and a scratch folder: the data can only be the package's.
if(NOT result EQUAL 0 OR log_text MATCHES "ERROR"
   OR NOT EXISTS "${SCRATCH}/snaps/map.png" OR NOT EXISTS "${SCRATCH}/snaps/roster.png"
   OR NOT EXISTS "${SCRATCH}/run/options.dat")
  fail("the packaged script runner: ${result}: ${out}\n${log_text}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
