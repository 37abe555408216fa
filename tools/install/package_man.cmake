# Run by cpack between the staged install and the packing: Debian wants the
# manual pages compressed, and gzip -n keeps a name and a time out of them.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${page}: ${result}")
  endif()
endforeach()
