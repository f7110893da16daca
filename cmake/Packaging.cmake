# The Debian package (cpack -G DEB); packaging/build-deb.sh builds it.
set(VISTELLO_PACKAGE_MAINTAINER "Vistello developers <dev@vistello.invalid>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME vistello)
set(CPACK_PACKAGE_VENDOR "Vistello developers")
set(CPACK_PACKAGE_CONTACT "${VISTELLO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${VISTELLO_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture screen saver with a Japanese user interface")
# Debian wraps nothing: lines are kept under 80 columns here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vistello shows the JPEG, GIF and BMP pictures of a folder full screen:"
  "each picture centred, at a random place, or gliding across the screen,"
  "in name order or at random, until a key, a click or a mouse movement"
  "ends the show."
  ""
  "The package holds the screen saver (Vistello /s runs the show,"
  "Vistello /c opens its settings), the manual edition Vistello_manual,"
  "desktop launchers, and vistello-idle, which starts the show when an"
  "X11 or Wayland session has been idle, unless a program such as a video"
  "player holds the screen on. The show also runs inside XScreenSaver and"
  "the screen savers of MATE and Xfce, which then lock the screen.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The launchers are written during the install with the prefix in them: the
# staging folder must come from DESTDIR, never from the prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ libraries come from dpkg-shlibdeps. Qt's xcb platform and image
# format plugins, loaded at run time, ship in libqt6gui6, which that list holds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform plugin is loaded at run time, so the library scan does not find it.
# The layer shell reaches through Qt's platform interface, which keeps no ABI
# across Qt releases: the package holds to the Qt it was built with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-wayland, qt6-base-abi (= ${Qt6Core_VERSION})")

include(CPack)
