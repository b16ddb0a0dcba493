# The Debian package: `cpack -G DEB` in the build folder, after a build,
# makes kelvane_<version>-1_<arch>.deb from the install rules (Install.cmake)
# under /usr, with the programs moved to /usr/games as Debian keeps games.
# Library dependencies are worked out from the binaries.

set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR "The Kelvane developers")
set(CPACK_PACKAGE_CONTACT "The Kelvane developers <developers@kelvane.invalid>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://kelvane.invalid/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game about mowing lawns against the clock")
# dpkg's extended description: paragraphs separated by a line of " .".
set(CPACK_PACKAGE_DESCRIPTION
  "Kelvane is a single-player, top-down arcade game. Steer a ride-on mower
with the arrow keys or WASD and mow every patch of grass on the field before
time runs out; grass grows back in the shade of the clouds. Levels are played
one after another at one of three skill levels, and progress is kept in eight
saved-game slots.
.
The game comes with the map, tile and sprite editors its levels were made
with, and kelvane-tool, which reads and writes the game's data files for
modders.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/debian_games_folder.cmake)

include(CPack)

# Making the package and running lintian over it take most of a minute on a
# quiet machine, several on a busy one.
if(BUILD_TESTING)
  set_tests_properties(window.package PROPERTIES TIMEOUT 360)
endif()
