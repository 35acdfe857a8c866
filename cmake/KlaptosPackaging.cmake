# Desktop integration and the Debian package: the desktop entry, the icon and the AppStream
# file named after the application id, and CPack's DEB generator.

set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
set(KLAPTOS_DESKTOP_FILE ${packaging_dir}/${KLAPTOS_APP_ID}.desktop)
set(KLAPTOS_METAINFO_FILE ${packaging_dir}/${KLAPTOS_APP_ID}.metainfo.xml)

set(KLAPTOS_METAINFO_URLS "")
if(KLAPTOS_HOMEPAGE_URL)
  string(APPEND KLAPTOS_METAINFO_URLS "  <url type=\"homepage\">${KLAPTOS_HOMEPAGE_URL}</url>\n")
endif()
if(KLAPTOS_CONTACT_EMAIL)
  string(APPEND KLAPTOS_METAINFO_URLS "  <update_contact>${KLAPTOS_CONTACT_EMAIL}</update_contact>\n")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/klaptos.desktop.in ${KLAPTOS_DESKTOP_FILE} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/klaptos.metainfo.xml.in ${KLAPTOS_METAINFO_FILE}
  @ONLY)

install(FILES ${KLAPTOS_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KLAPTOS_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/assets/app/klaptos.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${KLAPTOS_APP_ID}.svg)

# cpack packs what the build folder already holds: installing must not build everything
# (tests included) a second time.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klaptos)
set(CPACK_PACKAGE_VENDOR "Klaptos")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch typing tutor for the Czech keyboard")
set(CPACK_PACKAGE_INSTALL_DIRECTORY klaptos)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What shlibdeps cannot see: Qt's platform plugin and SVG image plugin, Qt SQL's SQLite driver
# (loaded when the history is first opened), libcanberra (opened with the first sound), the
# sound theme, the fonts, and Qt's Czech translations for its own dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, libqt6sql6-sqlite, libcanberra0, sound-theme-freedesktop, fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Klaptos teaches touch typing with all ten fingers on the Czech keyboard.\n44 graded lessons for the QWERTZ and QWERTY layouts, own text files,\nlive speed statistics and an evaluation at the end of each text.")
if(KLAPTOS_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KLAPTOS_HOMEPAGE_URL})
endif()
if(KLAPTOS_CONTACT_EMAIL)
  set(CPACK_PACKAGE_CONTACT "Klaptos team <${KLAPTOS_CONTACT_EMAIL}>")
else()
  set(CPACK_PACKAGE_CONTACT "Klaptos team")
endif()
include(CPack)
