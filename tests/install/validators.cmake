# SPDX-License-Identifier: GPL-2.0-or-later
# What a packager's checkers say of the desktop files: the metainfo passes
# `appstreamcli validate --no-net` without a warning, as built and with its
# screenshots listed; its newest release is the project's version; the menu
# entry, written as an install writes it, passes desktop-file-validate.
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DAPP_ID=... -DVERSION=... -P validators.cmake
cmake_minimum_required(VERSION 3.25)
string(RANDOM LENGTH 8 tag)
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(scratch "$ENV{TMPDIR}/reedgunner-validate-${tag}")
else()
  set(scratch "/tmp/reedgunner-validate-${tag}")
endif()
file(MAKE_DIRECTORY "${scratch}")
function(fail message)
  message(FATAL_ERROR "${message}\n(scratch folder kept: ${scratch})")
endfunction()

find_program(APPSTREAMCLI appstreamcli REQUIRED)
find_program(VALIDATE desktop-file-validate REQUIRED)

# Validates one metainfo file: no error, no warning (infos and pedantic
# remarks are advice).
function(validate_metainfo file)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --explain "${file}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT result EQUAL 0 OR report MATCHES "(^|\n)[EW]: ")
    fail("appstreamcli validate ${file}: ${result}\n${report}")
  endif()
endfunction()

set(metainfo "${BUILD_DIR}/desktop/${APP_ID}.metainfo.xml")
validate_metainfo("${metainfo}")

# The newest release is this version, dated; every released version of the
# changelog is there.
file(READ "${metainfo}" text)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([0-9-]*)\"" newest "${text}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  fail("the metainfo's newest release is '${CMAKE_MATCH_1}', the project's version ${VERSION}: give CHANGELOG.md a dated heading for ${VERSION}")
endif()
file(STRINGS "${SOURCE_DIR}/CHANGELOG.md" released REGEX "^## \\[[0-9][0-9.]*\\] - ")
string(REGEX MATCHALL "<release " releases "${text}")
list(LENGTH released want)
list(LENGTH releases have)
if(NOT want EQUAL have)
  fail("${have} releases in the metainfo, ${want} in CHANGELOG.md")
endif()

# With the screenshots listed, as a packager who publishes them builds it.
execute_process(COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${SOURCE_DIR}/tools/install/metainfo.xml.in
                        -DCHANGELOG=${SOURCE_DIR}/CHANGELOG.md -DOUT=${scratch}/${APP_ID}.metainfo.xml
                        -DREEDGUNNER_APP_ID=${APP_ID}
                        -DSCREENSHOT_URL=https://screenshots.example.org/reedgunner
                        "-DSHOTS=roster|The roster;hunt|A hunt"
                        -P ${SOURCE_DIR}/tools/install/metainfo.cmake
                RESULT_VARIABLE result ERROR_VARIABLE errors)
file(READ "${scratch}/${APP_ID}.metainfo.xml" shots)
if(NOT result EQUAL 0 OR NOT shots MATCHES "reedgunner/hunt\\.png</image>")
  fail("the metainfo with screenshots: ${result}: ${errors}")
endif()
validate_metainfo("${scratch}/${APP_ID}.metainfo.xml")

# The menu entry as `cmake --install` writes it.
execute_process(COMMAND ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=${scratch}/prefix
                        -DREEDGUNNER_DESKTOP_TEMPLATE=${SOURCE_DIR}/tools/install/entry.desktop.in
                        -DREEDGUNNER_DESKTOP_ENTRY=${scratch}/${APP_ID}.desktop
                        -DREEDGUNNER_APP_ID=${APP_ID}
                        -P ${SOURCE_DIR}/tools/install/install_entry.cmake
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
set(entry "${scratch}/prefix/share/applications/${APP_ID}.desktop")
if(NOT result EQUAL 0 OR NOT EXISTS "${entry}")
  fail("writing the menu entry: ${result}: ${errors}")
endif()
execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE result
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR NOT report STREQUAL "")
  fail("desktop-file-validate: ${report}")
endif()
file(STRINGS "${entry}" lines REGEX "^(Icon|StartupWMClass)=")
if(NOT lines STREQUAL "Icon=${APP_ID};StartupWMClass=${APP_ID}")
  fail("the menu entry's icon and window class: ${lines}")
endif()
file(REMOVE_RECURSE "${scratch}")
