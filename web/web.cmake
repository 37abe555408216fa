# SPDX-License-Identifier: GPL-2.0-or-later
# The browser build (emcmake cmake -B build-web; ./web.sh does it all): the
# game and the script runner in reedgunner.js and reedgunner.wasm, the data
# of the native build packaged beside them, and the page, all in site/.
set(web_data "${REEDGUNNER_NATIVE_BUILD}/data/ReedShot")
set(web_site ${PROJECT_BINARY_DIR}/site)
add_executable(reedgunner-web ${PROJECT_SOURCE_DIR}/src/drivers/web_main.cpp)
target_link_libraries(reedgunner-web PRIVATE rg_script)
set_target_properties(reedgunner-web PROPERTIES OUTPUT_NAME reedgunner SUFFIX .js
                                                RUNTIME_OUTPUT_DIRECTORY ${web_site})
target_link_options(reedgunner-web PRIVATE
  # The game waits in loops; Asyncify lets those waits yield to the page.
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sTOTAL_STACK=1048576
  -sUSE_SDL=0 -sENVIRONMENT=web -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 -sFORCE_FILESYSTEM=1
  -sEXPORTED_RUNTIME_METHODS=FS,callMain -lidbfs.js
  --pre-js ${PROJECT_SOURCE_DIR}/web/pre.js
  --preload-file ${web_data}@/usr/share/reedgunner/ReedShot)
set_property(TARGET reedgunner-web APPEND PROPERTY LINK_DEPENDS
             ${PROJECT_SOURCE_DIR}/web/pre.js)

# The page around the canvas.
foreach(page_file index.html page.js page.css)
  configure_file(${PROJECT_SOURCE_DIR}/web/${page_file} ${web_site}/${page_file} COPYONLY)
endforeach()
