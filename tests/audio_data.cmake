# The game's own sounds and music: the audio tools' writers and note data, and
# every generated bank and music file loaded through the game's sound module.
# Needs the audio data build (tools/audio).
if(TARGET reedgunner_audio)
  target_sources(reedgunner_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/audio_data/audio_writers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio_data/audio_files_test.cpp
  )
  target_link_libraries(reedgunner_tests PRIVATE rg_audio_art)
  target_compile_definitions(reedgunner_tests PRIVATE
    REEDGUNNER_AUDIO_DIR="${CMAKE_BINARY_DIR}/data/ReedShot/")
  add_dependencies(reedgunner_tests reedgunner_audio)

  # Every audio tool run again into a scratch folder makes the same bytes.
  add_test(NAME AudioBuild.SameSourceSameBytes
    COMMAND ${CMAKE_COMMAND} -DTOOLS_DIR=${CMAKE_BINARY_DIR}/tools/audio
            -DDATA_DIR=${CMAKE_BINARY_DIR}/data/ReedShot -DSOUNDFONT=${REEDGUNNER_SOUNDFONT}
            -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/audio-again
            -P ${CMAKE_CURRENT_LIST_DIR}/audio_data/same_bytes.cmake)
endif()

if(TARGET reedgunner-listen)
  add_test(NAME AudioBuild.ListenWritesWhatWasMixed
    COMMAND ${CMAKE_COMMAND} -DLISTEN=$<TARGET_FILE:reedgunner-listen>
            -DDATA_DIR=${CMAKE_BINARY_DIR}/data/ReedShot
            -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/audio-listen
            -P ${CMAKE_CURRENT_LIST_DIR}/audio_data/listen.cmake)
endif()
