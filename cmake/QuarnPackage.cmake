# The Debian package, built by CPack from the install rules
# (cmake/QuarnInstall.cmake): `cpack --preset package`, or `cpack -G DEB` in a
# release build folder configured with CMAKE_INSTALL_PREFIX=/usr.
set(CPACK_PACKAGE_NAME quarnsoft)
set(CPACK_PACKAGE_VENDOR "QuarnSoft developers")
set(CPACK_PACKAGE_CONTACT "${QUARN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for Zel radar motion sensors")
set(CPACK_PACKAGE_DESCRIPTION
    "QuarnSoft sets up and watches a Zel radar motion sensor through the QuarnProg
USB programmer (an FTDI adapter): it reads and writes the sensor's parameters,
shows its live detection signal, keeps a signal history, runs a walk test,
saves and applies parameter files and writes a PDF service report. Texts come
in Italian and English. quarnsoft-cli does the same work from a terminal.

The package brings a udev rule that lets the user at the seat open the
programmer without root. The programmer is reached through libftdi1; the
adapter vendor's D2XX library is used instead when it is installed, but is
not needed.")
# Stripped as Debian strips, once the files are staged.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/QuarnStripPackage.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUARN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executables link come from dpkg-shlibdeps, with the
# versions they need: Qt, the C++ runtime, libusb and libftdi1-2, through
# which the programmer is reached. Naming libftdi1-2 here as well would only
# list it twice.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(linux_debian ${PROJECT_SOURCE_DIR}/resources/linux/debian)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${linux_debian}/postinst ${linux_debian}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

set(CPACK_GENERATOR DEB)
include(CPack)
