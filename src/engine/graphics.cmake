# Graphic banks and pages, sprite blitters, transitions and fades.
target_sources(rg_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transitions.cpp
)
