# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh does it) packs
# the installation under /usr into munchtrail_2.01-1_<arch>.deb, with its library
# dependencies worked out from the programs by dpkg-shlibdeps and the programs stripped.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME munchtrail)
set(CPACK_PACKAGE_VERSION ${MT_VERSION_STRING})
set(CPACK_PACKAGE_VENDOR Quillfern)
set(CPACK_PACKAGE_CONTACT "Quillfern <games@quillfern.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game of a worm on a rippling pond, with its scene editor")
# The first line of the control file's description is the summary; CPack indents the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Munch Trail is a single-player arcade game. A worm crawls over a rippling
pond, eats coloured beans and grows; five beans of one colour in a row give
it a power. Each scene has an objective, beans fall from the sky and day
turns to night.
.
The package also holds KELV, the scene editor, which paints new scenes into
the player's own folder, and scenetool, which converts scene files to and
from a readable text form.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillfern.example/munchtrail)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
