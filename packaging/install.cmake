# Installing and the Debian package: the programs into bin/, the menu entry and icon into share/,
# and the language files and help into share/vorta/, where an installed program looks for them
# (platform/program_dir.cpp). Settings then live in the user's configuration folder.
include(GNUInstallDirs)
set(VORTA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vorta)

if(TARGET vorta)
  install(TARGETS vorta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS vorta-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vorta-cli)
  install(TARGETS vorta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vorta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vorta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
file(GLOB vorta_language_files ${CMAKE_SOURCE_DIR}/docs/lang/*.lan)
install(FILES ${vorta_language_files} DESTINATION ${VORTA_DATA_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/help/ DESTINATION ${VORTA_DATA_DIR})

# cpack -G DEB in the build folder makes vorta_<version>_<arch>.deb; its dependencies are
# Debian 12's own Qt 6 packages (and the C++ runtime), so apt installs it on a fresh machine.
set(CPACK_PACKAGE_NAME vorta)
set(CPACK_PACKAGE_VERSION 3.12.0)
set(CPACK_PACKAGE_VENDOR "Vorta Configurator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for Vorta 4-20 mA temperature transmitters")
set(CPACK_PACKAGE_CONTACT "Vorta Configurator developers <vorta@localhost>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries the programs link come from dpkg-shlibdeps; the platform plugins that show the
# windows are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads, edits, writes and verifies the configuration of Vorta programmable transmitters\n over a serial line, with a simulated transmitter (vorta-sim) to try it without hardware.")
include(CPack)
