# The game's own data: the data tools' writers, and every generated file loaded
# back through the game's loaders. Needs the data build (tools/).
if(TARGET reedgunner_data)
  target_sources(reedgunner_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/data/writers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/data_files_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/screen_art_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/payout_art_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/heads_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/marsh_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/hunt_figures_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/sprites_test.cpp
  )
  target_link_libraries(reedgunner_tests PRIVATE rg_art)
  target_compile_definitions(reedgunner_tests PRIVATE
    REEDGUNNER_DATA_DIR="${REEDGUNNER_DATA_DIR}/")
  add_dependencies(reedgunner_tests reedgunner_data)

  # Every tool run again into a scratch folder makes the same bytes.
  add_test(NAME DataBuild.SameSourceSameBytes
    COMMAND ${CMAKE_COMMAND} -DTOOLS_DIR=${CMAKE_BINARY_DIR}/tools
            -DDATA_DIR=${REEDGUNNER_DATA_DIR} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/data-again
            -P ${CMAKE_CURRENT_LIST_DIR}/data/same_bytes.cmake)
  add_test(NAME DataBuild.GalleryRendersThroughTheLoaders
    COMMAND ${CMAKE_COMMAND} -DGALLERY=$<TARGET_FILE:reedgunner-gallery>
            -DDATA_DIR=${REEDGUNNER_DATA_DIR} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/gallery-run
            -P ${CMAKE_CURRENT_LIST_DIR}/data/gallery.cmake)
endif()
