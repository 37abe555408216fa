# The sound library stand-in over SDL2 audio (src/aud) and the game's sound module.
find_package(SDL2 REQUIRED)

add_library(rg_aud STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/aud/aud.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/aud/wav.cpp
)
target_include_directories(rg_aud PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rg_aud PUBLIC rg_sys PRIVATE SDL2::SDL2)

target_link_libraries(rg_game PUBLIC rg_aud)
