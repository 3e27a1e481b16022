# The Debian package zembra32_VERSION-REVISION_ARCH.deb, built by
# scripts/package with `cpack -G DEB`: both programs in /usr/bin and what
# packaging/ installs. Its dependencies come from the programs' shared
# libraries (dpkg-shlibdeps), plus the window's Japanese fonts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zembra32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "zembra32 developers")
set(CPACK_PACKAGE_CONTACT "${ZEMBRA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped after staging, as dh_strip would (packaging/strip.cmake).
set(CPACK_ZEMBRA_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/strip.cmake")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the decimal digits of pi (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION [=[
zembra32 computes up to 327,640 decimal places of pi with Machin's formula,
pi = 16 arctan(1/5) - 4 arctan(1/239), in fixed point on limbs of ten
decimal digits, and shows them in lines of five ten-digit groups with a
running count. All 327,640 digits take about half a second on two cores.

The window, in Japanese, shows the start time, the number of series terms,
a term counter and the end time of a run, lists the digits (up to 45,000)
and writes them to a Shift-JIS result file. The command-line tool
zembra32-cli runs the same computation, for batch use and benchmarks.
]=])

set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZEMBRA_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZEMBRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zembra32.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
