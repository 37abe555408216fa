# `cpack -G DEB` and `cpack -G TGZ` in the build folder: the installed game as a
# Debian package and as a tarball, made from the stripped install. Both are
# reproducible: CPack stamps every file with SOURCE_DATE_EPOCH, which
# package_epoch.cmake takes from the last commit when the caller gives none.
set(REEDGUNNER_MAINTAINER "Pellmar Games <reedgunner@pellmar.net>"
    CACHE STRING "The package's maintainer, as Debian wants it: Name <address>")

set(CPACK_PACKAGE_NAME reedgunner)
set(CPACK_PACKAGE_VENDOR "Pellmar Games")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${REEDGUNNER_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "1990s-style duck-hunting game on a marsh")
set(CPACK_PACKAGE_INSTALL_DIRECTORY reedgunner)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed under DESTDIR, so that the menu entry names /usr/bin/reedgunner and
# not the folder the package was staged in.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_SOURCE_GENERATOR "")
# One package of everything installed, not one per component.
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)

set(CPACK_DEBIAN_PACKAGE_NAME reedgunner)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${REEDGUNNER_MAINTAINER})
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The control file's Description: CPack puts the summary on its first line,
# then this text, each line of it indented by one space.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A single-player duck-hunting game in the manner of the mid-1990s:
640x480 in 256 colours, mouse and sound. Keep saved games, buy decoys,
duck calls, shells and guns in the store, pick one of four hunting clubs
with their own fees, bag limits and shooting hours, then call and shoot
Mallard, Pintail, Redhead and Canvasback from a blind on the marsh while
a partner comments and the game warden judges the day at dusk.
.
Every picture, font, sound and piece of music was generated from source
when the package was built.")

# What Debian looks for in every package's share/doc/reedgunner/: the changes,
# compressed without a name or time in the gzip header, and (once the tree has
# it) the machine-readable copyright file.
set(doc_dir share/doc/reedgunner)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/CHANGELOG.md > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(reedgunner_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
if(EXISTS ${PROJECT_SOURCE_DIR}/COPYING.data)
  install(FILES ${PROJECT_SOURCE_DIR}/COPYING.data DESTINATION ${doc_dir} RENAME copyright)
endif()
# The file name of the tarball carries the machine, as the .deb's does.
set(CPACK_SYSTEM_NAME Linux-${CMAKE_SYSTEM_PROCESSOR})
# Between staging and packing: manual pages compressed, the .deb's game in /usr/games.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_man.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/package_epoch.cmake)
execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                OUTPUT_VARIABLE REEDGUNNER_COMMIT_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
configure_file(${CMAKE_CURRENT_LIST_DIR}/package_epoch.cmake.in
               ${CMAKE_CURRENT_BINARY_DIR}/package_epoch.cmake @ONLY)
include(CPack)
