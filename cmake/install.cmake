# Installation under a prefix, and the Debian package (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(KORVANE_APP_ID org.korvane.Korvane)
set(KORVANE_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KORVANE_PACKAGING}/${KORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KORVANE_PACKAGING}/${KORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 256)
  install(FILES ${KORVANE_PACKAGING}/icons/korvane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KORVANE_APP_ID}.png)
endforeach()
install(FILES ${KORVANE_PACKAGING}/icons/korvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KORVANE_APP_ID}.svg)

# The screen saver checks passwords under the PAM service "korvane". Its rules live in
# /etc/pam.d whatever the prefix, so they are installed only for the system prefix /usr
# (which is also what the Debian package is built with); under any other prefix the check
# falls back on the system's "other" rules, which often refuse everyone.
set(KORVANE_PAM_RULES ${KORVANE_PACKAGING}/pam.d/korvane)
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    file(INSTALL DESTINATION \"/etc/pam.d\" TYPE FILE FILES \"${KORVANE_PAM_RULES}\"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  else()
    message(STATUS \"Skipping /etc/pam.d/korvane: installed only with the prefix /usr\")
  endif()")
# In the package the rules are a configuration file the administrator may edit.
set(KORVANE_CONFFILES ${CMAKE_BINARY_DIR}/conffiles)
file(WRITE ${KORVANE_CONFFILES} "/etc/pam.d/korvane\n")

# Debian wants the changelog compressed and reproducible.
set(KORVANE_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${KORVANE_CHANGELOG_GZ}
                   COMMAND gzip -9nc ${KORVANE_PACKAGING}/changelog > ${KORVANE_CHANGELOG_GZ}
                   DEPENDS ${KORVANE_PACKAGING}/changelog VERBATIM)
add_custom_target(korvane_changelog ALL DEPENDS ${KORVANE_CHANGELOG_GZ})
install(FILES ${KORVANE_PACKAGING}/copyright ${KORVANE_CHANGELOG_GZ}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korvane)

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvane developers <dev@korvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multi-document text editor with a small toolbox")
set(CPACK_PACKAGE_DESCRIPTION "Korvane is a desktop toolbox with a Simplified Chinese interface: a text
editor for up to 30 documents (GB18030 files, printing, find, ciphers) and
small tools: a falling-block game, a tile puzzle, a calendar, a calculator,
a media player and a screen saver.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-zenhei | fonts-noto-cjk, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, libpam-runtime")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KORVANE_CONFFILES})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://korvane.example.org/)

set(KORVANE_MAN_GZ ${CMAKE_BINARY_DIR}/korvane.1.gz)
add_custom_command(OUTPUT ${KORVANE_MAN_GZ}
                   COMMAND gzip -9nc ${KORVANE_PACKAGING}/korvane.1 > ${KORVANE_MAN_GZ}
                   DEPENDS ${KORVANE_PACKAGING}/korvane.1 VERBATIM)
add_custom_target(korvane_manpage ALL DEPENDS ${KORVANE_MAN_GZ})
install(FILES ${KORVANE_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
include(CPack)
