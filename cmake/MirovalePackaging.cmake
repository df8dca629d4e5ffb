# Installation and the Debian package. `cmake --install` puts the programs, their man pages
# and, with the desktop window, its desktop entry, icon and AppStream metainfo under the prefix;
# `cpack` (from the build folder) makes a .deb whose dependencies dpkg-shlibdeps computes from
# the installed binaries.
include(GNUInstallDirs)

set(MIROVALE_APP_ID org.mirovale.Mirovale)
set(packaging "${PROJECT_SOURCE_DIR}/packaging")

install(TARGETS mirovale-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${packaging}/mirovale-cli.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET mirovale)
  install(TARGETS mirovale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES "${packaging}/mirovale.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES "${packaging}/${MIROVALE_APP_ID}.desktop"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES "${packaging}/${MIROVALE_APP_ID}.svg"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES "${packaging}/${MIROVALE_APP_ID}.metainfo.xml"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirovale)
set(CPACK_PACKAGE_VENDOR "Mirovale")
set(CPACK_PACKAGE_CONTACT "Mirovale developers <mirovale@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Workbench for detecting and recognising pulse trains in noise")
set(CPACK_PACKAGE_INSTALL_DIRECTORY mirovale)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
