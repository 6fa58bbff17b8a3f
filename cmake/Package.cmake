# The Debian package, built by CPack from the install rules (Install.cmake):
#   cmake --build <dir> && (cd <dir> && cpack -G DEB)   (scripts/package)
# gives <dir>/kalendo2_1.18_<arch>.deb with everything under /usr.
#
# The library dependencies are computed by dpkg-shlibdeps (package
# dpkg-dev) from the installed executables; a Japanese font and Qt's own
# Japanese translations are added by hand, since Qt finds both at run time:
# without the font the window cannot draw its texts, without qtbase_ja the
# save dialog and the text fields' context menus would be in English.
#
# The executables are stripped by cmake/PackageStrip.cmake, as dh_strip
# does, after CPack's install into its staging folder (CPack's own
# CPACK_STRIP_FILES keeps the .comment and .note sections). The build flags
# are Debian's (dpkg-buildflags), given by scripts/package.
#
# Include this file once from the top-level CMakeLists.txt, after project().

set(K2_PACKAGE_MAINTAINER "Kalendo2 maintainers <kalendo2@example.org>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kalendo2")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Kalendo2")
set(CPACK_PACKAGE_CONTACT "${K2_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES OFF)
set(CPACK_K2_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/PackageStrip.cmake")

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Japanese almanac: lunisolar calendar, day signs, moon, holidays and schedules")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${K2_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The control file's long description; CPack puts the summary above it and
# indents each line by one blank.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Kalendo2 shows a month with the traditional Japanese calendar of each day:
the lunisolar date with leap months, rokuyo, the sexagenary signs, the
twelve day officers, the twenty-eight lunar mansions, the moon's age and
phases, the solar terms, the era year, national holidays, calendar notes,
your recurring events and your schedules. kalendo2-cli prints the same
almanac as JSON for scripts.
.
旧暦・六曜・干支・十二直・二十八宿・月齢・祝日とスケジュールを表示する暦です。")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What Qt loads at run time, which dpkg-shlibdeps cannot see: a Japanese
# font, Qt's Japanese texts, and the Wayland platform plugin (without it a
# Wayland session with no X display has no platform the window can open on).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n, qt6-wayland")
# kalendo2_<version>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")

include(CPack)
