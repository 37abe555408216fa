# Fonts, text, dialogs, drawing routines and input with the software pointer.

# The built-in 8x16 font is rendered at build time from an open font.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
set(REEDGUNNER_BUILTIN_FONT /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf)
add_executable(make_builtin_font ${PROJECT_SOURCE_DIR}/tools/builtin_font/make_builtin_font.cpp)
target_include_directories(make_builtin_font PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(make_builtin_font PRIVATE PkgConfig::FREETYPE)
set_target_properties(make_builtin_font PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(builtin_glyphs ${CMAKE_BINARY_DIR}/generated/builtin_font_glyphs.cpp)
add_custom_command(
  OUTPUT ${builtin_glyphs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND make_builtin_font ${REEDGUNNER_BUILTIN_FONT} ${builtin_glyphs}
  DEPENDS make_builtin_font ${REEDGUNNER_BUILTIN_FONT}
  COMMENT "Rendering the built-in font"
  VERBATIM)

target_sources(rg_game PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/fonts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/draw.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/dialogs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/input.cpp
  ${builtin_glyphs}
)
