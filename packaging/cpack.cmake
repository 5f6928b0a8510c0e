# The Debian package of the tool set: cpack -G DEB, or the "package" target.
# Its dependencies are computed from the libraries the programs link.
set(KOLIBRA_PACKAGE_NAME kolibra2-tools)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KOLIBRA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${KOLIBRA_PUBLISHER})
set(CPACK_PACKAGE_CONTACT "${KOLIBRA_PUBLISHER} <kolibra2-tools@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop tools for the Kolibra 2 barcode terminal")
# The summary is the control file's first Description line; this text follows it.
set(CPACK_PACKAGE_DESCRIPTION "tgen, the Kolibra 2 Application Generator, designs the application
a Kolibra 2 hand-held barcode terminal runs, plays it on a simulated terminal,
downloads it over a serial port or an IR transceiver, sends lookup files and
receives the collected records. irfetch receives records through a serial IR
transceiver, lkpsend sends one lookup file, and k2term plays the terminal on a
pseudo-terminal so the programs can be tried without hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
