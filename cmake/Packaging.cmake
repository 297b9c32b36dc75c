# Installation and the Debian package ("cpack -G DEB" in the build folder).
# Installed layout under the prefix (/usr in the package):
#   bin/                                  the programs
#   share/sorvan-gis-viewer/              catalogue and help pages; its presence
#                                         tells the viewer that it is installed
#   share/applications/, share/icons/     menu entry and icon
include(GNUInstallDirs)

set(SORVAN_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/sorvan-gis-viewer)

install(TARGETS sorvan-gis-viewer sorvan-gis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET sorvan-gis-shpdump)
  install(TARGETS sorvan-gis-shpdump RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${CATALOGUE_DB_FILE} DESTINATION ${SORVAN_SHARE_DIR})
# The help pages: whatever the folder help/ holds; the folder may be empty or
# missing, then the installed one is empty.
install(DIRECTORY DESTINATION ${SORVAN_SHARE_DIR}/help)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${SORVAN_SHARE_DIR}/help OPTIONAL
  PATTERN ".gitkeep" EXCLUDE)

install(FILES packaging/sorvan-gis-viewer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES app/icons/sorvan-gis-viewer.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES app/icons/sorvan-gis-viewer.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sorvan-gis-viewer)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvan-gis-viewer)
set(CPACK_PACKAGE_VENDOR "Sorvan")
set(CPACK_PACKAGE_CONTACT "Sorvan hotline <${SORVAN_SUPPORT_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop viewer for the field plots of farms")
set(CPACK_PACKAGE_DESCRIPTION
  "Shows the field plots of farms (one polygon shapefile per plot) on a map in\n"
  "their colours with area and scale, edits their attributes, imports GPS\n"
  "boundary measurements and prints map sheets with a plot list. German,\n"
  "English, French, Italian and Hungarian.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SORVAN_WEB_ADDRESS})
# The libraries the programs link come from dpkg-shlibdeps; Qt loads the
# SQLite driver as a plugin, which no linker sees, and printed sheets expect
# fonts with Arial's metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation2, qt6-translations-l10n")
# Help pages, mail and web links are handed to the desktop through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
