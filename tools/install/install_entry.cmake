# SPDX-License-Identifier: GPL-2.0-or-later
# Run by `cmake --install`: writes the menu entry with the path of the program
# as installed (under any --prefix and DESTDIR) and installs it.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
# The program path as one quoted argument of Exec: the characters the entry's
# quoting reserves get a backslash, then every backslash is doubled once more
# for the entry's string escapes.
set(exe "${prefix}/bin/reedgunner")
string(REPLACE "\\" "\\\\" exe "${exe}")
foreach(reserved "\"" "$" "`")
  string(REPLACE "${reserved}" "\\${reserved}" exe "${exe}")
endforeach()
string(REPLACE "\\" "\\\\" exe "${exe}")
set(REEDGUNNER_EXEC "\"${exe}\"")
configure_file("${REEDGUNNER_DESKTOP_TEMPLATE}" "${REEDGUNNER_DESKTOP_ENTRY}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${REEDGUNNER_DESKTOP_ENTRY}")
