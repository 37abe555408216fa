# SPDX-License-Identifier: GPL-2.0-or-later
# The browser build (emcmake cmake -B build-web; ./web.sh does it all): the
# game and the script runner in reedgunner.js and reedgunner.wasm, the data
# of the native build packaged beside them in two parts (web/pack_data.cmake),
# and the page, all in site/.
set(web_data "${REEDGUNNER_NATIVE_BUILD}/data/ReedShot")
set(web_site ${PROJECT_BINARY_DIR}/site)
set(web_stage ${PROJECT_BINARY_DIR}/web_data)
file(GLOB web_data_files CONFIGURE_DEPENDS ${web_data}/*)
add_custom_command(
  OUTPUT ${web_stage}/early.js ${web_site}/reedgunner-start.data ${web_site}/reedgunner-hunt.data
         ${web_site}/reedgunner-hunt.json
  COMMAND ${CMAKE_COMMAND} -DDATA=${web_data} -DSITE=${web_site} -DSTAGE=${web_stage}
          -DPACKAGER=${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py
          -P ${PROJECT_SOURCE_DIR}/web/pack_data.cmake
  DEPENDS ${web_data_files} ${PROJECT_SOURCE_DIR}/web/pack_data.cmake
  COMMENT "Packing the game's data in two parts")
add_custom_target(reedgunner-web-data DEPENDS ${web_stage}/early.js)
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
  # The loader of the first part (the title up to the hunt), then the page's own.
  "SHELL:--pre-js ${web_stage}/early.js" "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/web/pre.js")
add_dependencies(reedgunner-web reedgunner-web-data)
set_property(TARGET reedgunner-web APPEND PROPERTY LINK_DEPENDS
             ${PROJECT_SOURCE_DIR}/web/pre.js ${web_stage}/early.js)

# The page around the canvas.
foreach(page_file index.html page.js page.css)
  configure_file(${PROJECT_SOURCE_DIR}/web/${page_file} ${web_site}/${page_file} COPYONLY)
endforeach()
