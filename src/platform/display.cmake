# The display library over SDL2 (with a headless backend) and the game's
# routines that bring it up.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
find_package(PNG REQUIRED)

add_library(rg_gdl STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/raster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/present.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/capture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdl/keys.cpp
)
target_include_directories(rg_gdl PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(rg_gdl PUBLIC rg_sys PRIVATE PkgConfig::SDL2 PNG::PNG)

target_sources(rg_game PRIVATE ${CMAKE_CURRENT_LIST_DIR}/graphics.cpp)
target_link_libraries(rg_game PUBLIC rg_gdl)
