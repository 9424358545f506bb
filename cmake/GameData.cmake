# Builds the complete default data folder the game runs in: the shipped settings and
# template, the rendered art, and the fonts taken from Debian's font packages.
set(HATCHLING_GAME_DATA ${PROJECT_BINARY_DIR}/game-data)

file(GLOB_RECURSE HATCHLING_ASSET_FILES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/assets/Settings/* ${PROJECT_SOURCE_DIR}/assets/Pets/*)
set(HATCHLING_DATA_STAMP ${PROJECT_BINARY_DIR}/game-data.settings.stamp)
add_custom_command(OUTPUT ${HATCHLING_DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HATCHLING_GAME_DATA}/Settings ${HATCHLING_GAME_DATA}/Pets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/assets/Settings ${HATCHLING_GAME_DATA}/Settings
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/assets/Pets ${HATCHLING_GAME_DATA}/Pets
  COMMAND ${CMAKE_COMMAND} -E touch ${HATCHLING_DATA_STAMP}
  DEPENDS ${HATCHLING_ASSET_FILES}
  COMMENT "Copying settings and pet template into game-data")

# Font paths the game names, each filled from a font in a Debian package, with its licence beside it.
set(HATCHLING_FONTS
  "Arial.ttf|/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf|/usr/share/doc/fonts-liberation/copyright"
  "CAMBRIAB.ttf|/usr/share/fonts/truetype/crosextra/Caladea-Bold.ttf|/usr/share/doc/fonts-crosextra-caladea/copyright"
  "Phaisarn.ttf|/usr/share/fonts/truetype/tlwg/Loma.ttf|/usr/share/doc/fonts-tlwg-loma-ttf/copyright"
  "Cookies.ttf|/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf|/usr/share/doc/fonts-comic-neue/copyright"
  "CheeseBurger.ttf|/usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf|/usr/share/doc/fonts-leckerli-one/copyright")
set(HATCHLING_FONT_OUTPUTS)
foreach(entry IN LISTS HATCHLING_FONTS)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 target_name)
  list(GET parts 1 source_font)
  list(GET parts 2 licence)
  if(NOT EXISTS ${source_font})
    message(FATAL_ERROR "Font ${source_font} is missing: run scripts/setup.sh")
  endif()
  set(out ${HATCHLING_GAME_DATA}/fonts/${target_name})
  add_custom_command(OUTPUT ${out} ${out}.LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HATCHLING_GAME_DATA}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${source_font} ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${licence} ${out}.LICENSE.txt
    DEPENDS ${source_font}
    COMMENT "Font ${target_name}")
  list(APPEND HATCHLING_FONT_OUTPUTS ${out})
endforeach()

add_custom_target(game_data ALL DEPENDS ${HATCHLING_DATA_STAMP} ${HATCHLING_FONT_OUTPUTS})

# The pictures are rendered from the art sources by the project's own tool.
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/artgen/CMakeLists.txt)
  add_subdirectory(tools/artgen)
endif()
# So are the sounds, from their note-and-envelope sources.
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/soundgen/CMakeLists.txt)
  add_subdirectory(tools/soundgen)
endif()
