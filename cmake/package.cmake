# The Debian package (scripts/package): the two programs, the launcher entry,
# the icons, the metainfo and the manual pages, installed under /usr.
# Depends is worked out by dpkg-shlibdeps from the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vxc32)
set(CPACK_PACKAGE_VENDOR "Ostrano")
set(CPACK_PACKAGE_CONTACT "VXC32 maintainers <vxc32@ostrano.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RPN desktop calculator with 256-bit REAL and integer modes")
set(CPACK_PACKAGE_DESCRIPTION
  "A four-level stack with LastX, REAL mode with a 256-bit mantissa shown in
FIX, SCI or ENG, integer modes DEC, HEX, OCT and BIN with word sizes of 64,
32, 16 and 8 bits, memory registers, clipboard copy and paste. vxc32-keys
drives the same calculator from a terminal or a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian ships the platform plugins (X11, Wayland) apart from the Qt libraries
# and only recommends them; the window cannot open without one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)  # Tahoma, the font the window prefers
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ostrano.example.org/vxc32/")
include(CPack)
