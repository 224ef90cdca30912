# The Debian package (scripts/package): the program, the simulated radio,
# the desktop entry and icon and the manual pages. Its dependencies are
# found by dpkg-shlibdeps from the libraries the binaries link.
include(GNUInstallDirs)
# Installing and packaging take what is built and build nothing more.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(FILES ${PROJECT_SOURCE_DIR}/resources/rcp720.1 ${PROJECT_SOURCE_DIR}/resources/qx720-sim.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rcp720)
set(CPACK_PACKAGE_VERSION 1.10)
set(CPACK_PACKAGE_VENDOR "RCP-720 maintainers")
set(CPACK_PACKAGE_CONTACT "RCP-720 maintainers <maintainers@users.noreply.c-seed-28860b74.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remote-control panel for the QX-720 transceiver")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows the front panel of a QX-720 amateur-radio transceiver joined by one serial port and operates it over its CAT text protocol: frequency, mode, indicators and meter, keys, dials and knobs, the setup menu, keyer and voice memories, and a CAT monitor. Comes with qx720-sim, a simulated transceiver on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which Qt only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# A radio on another computer is reached through ser2net there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ser2net")
include(CPack)
