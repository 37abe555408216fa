# The sound library stand-in over SDL2 audio (src/aud) and the game's sound module.
if(NOT TARGET PkgConfig::SDL2)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
endif()

add_library(rg_aud STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../aud/aud.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../aud/wav.cpp
)
target_include_directories(rg_aud PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(rg_aud PUBLIC rg_sys PRIVATE PkgConfig::SDL2)

target_sources(rg_game PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sound.cpp)
target_link_libraries(rg_game PUBLIC rg_aud)
