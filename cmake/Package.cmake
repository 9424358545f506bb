# Installing the game (cmake --install) and packing it as a Debian package (cpack).
include(GNUInstallDirs)
# cpack installs what is built; it must not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Debian keeps games in /usr/games; scripts/package.sh sets "games" here.
set(HATCHLING_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the game's binary is installed")
set(HATCHLING_APP_ID io.github.hatchling.hatchling)
set(HATCHLING_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/hatchling)
set(HATCHLING_DESKTOP_FILES ${PROJECT_BINARY_DIR}/desktop-files)

# The desktop icons, rendered from their art source; the manual page and the changelog, packed
# as Debian wants them.
set(HATCHLING_ICONS_STAMP ${PROJECT_BINARY_DIR}/desktop-icons.stamp)
add_custom_command(OUTPUT ${HATCHLING_ICONS_STAMP}
  COMMAND artgen --icons ${PROJECT_SOURCE_DIR}/assets/art ${HATCHLING_DESKTOP_FILES}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${HATCHLING_ICONS_STAMP}
  DEPENDS artgen ${PROJECT_SOURCE_DIR}/assets/art/icons/hatchling.art ${PROJECT_SOURCE_DIR}/assets/art/stamps.txt
    ${PROJECT_SOURCE_DIR}/assets/art/palette.txt
  COMMENT "Rendering the desktop icons")
set(HATCHLING_PACKED)
foreach(pair "hatchling.6|hatchling.6.gz" "changelog|changelog.gz")
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 source)
  list(GET parts 1 packed)
  add_custom_command(OUTPUT ${HATCHLING_DESKTOP_FILES}/${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HATCHLING_DESKTOP_FILES}
    COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/assets/install/${source}' > '${HATCHLING_DESKTOP_FILES}/${packed}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/assets/install/${source} VERBATIM)
  list(APPEND HATCHLING_PACKED ${HATCHLING_DESKTOP_FILES}/${packed})
endforeach()
add_custom_target(desktop_files ALL DEPENDS ${HATCHLING_ICONS_STAMP} ${HATCHLING_PACKED})

# The fonts stay in their Debian packages: the installed data folder links to them.
foreach(entry IN LISTS HATCHLING_FONTS)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 target_name)
  list(GET parts 1 source_font)
  file(MAKE_DIRECTORY ${HATCHLING_DESKTOP_FILES}/fonts)
  file(CREATE_LINK ${source_font} ${HATCHLING_DESKTOP_FILES}/fonts/${target_name} SYMBOLIC)
endforeach()

install(TARGETS hatchling RUNTIME DESTINATION ${HATCHLING_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/Settings DESTINATION ${HATCHLING_INSTALL_DATA})
install(FILES ${PROJECT_SOURCE_DIR}/assets/Pets/Default.default DESTINATION ${HATCHLING_INSTALL_DATA}/Pets)
install(DIRECTORY ${HATCHLING_GAME_DATA}/imgs DESTINATION ${HATCHLING_INSTALL_DATA})
install(DIRECTORY ${HATCHLING_GAME_DATA}/sounds DESTINATION ${HATCHLING_INSTALL_DATA})
install(DIRECTORY ${HATCHLING_DESKTOP_FILES}/fonts DESTINATION ${HATCHLING_INSTALL_DATA})
install(FILES ${PROJECT_SOURCE_DIR}/assets/install/${HATCHLING_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/install/${HATCHLING_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${HATCHLING_DESKTOP_FILES}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${HATCHLING_DESKTOP_FILES}/hatchling.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/assets/install/copyright ${HATCHLING_DESKTOP_FILES}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hatchling)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hatchling)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Hatchling developers <hatchling@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "virtual pet to hatch, feed and look after")
set(CPACK_PACKAGE_DESCRIPTION "Hatchling is a small desktop virtual pet. You hatch an egg, give your\n\
pet a name and look after it: feed it, play paper-scissors-stone with it,\n\
clean it, cure it and check how it is doing. The pet grows through ten\n\
stages while the game runs and dies if it starves.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-liberation, fonts-crosextra-caladea, fonts-tlwg-loma-ttf, fonts-comic-neue, fonts-leckerli-one")
include(CPack)
