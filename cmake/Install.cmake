# Installed layout of Kalendo2 (paths relative to the install prefix):
#
#   lib/kalendo2/Kalendo2, lib/kalendo2/kalendo2-cli   the two programs
#   lib/kalendo2/元号.Def 祝日.Def 暦日.Def             shipped definitions (CP932)
#   lib/kalendo2/Usr.Def Schedule.Def                  templates of the user's files
#   lib/kalendo2/Help/index.html                       the help page
#   lib/kalendo2/kalendo2.installed                    marks an installed copy
#   bin/Kalendo2 -> ../lib/kalendo2/Kalendo2           symlinks for the PATH
#   bin/kalendo2-cli -> ../lib/kalendo2/kalendo2-cli
#   share/applications/kalendo2.desktop
#   share/metainfo/org.kalendo2.kalendo2.metainfo.xml  AppStream
#   share/icons/hicolor/<N>x<N>/apps/kalendo2.png      rendered at build time
#   share/icons/hicolor/scalable/apps/kalendo2.svg
#   share/man/man1/*.1.gz, share/man/ja/man1/*.1.gz    manual pages
#   share/doc/kalendo2/copyright, changelog.gz
#   share/lintian/overrides/kalendo2                   the one tag kept on purpose
#   lib/systemd/user/kalendo2-feed.{service,timer}     the daily feed, disabled
#
# The window's own files (desktop entry, metadata, icons, its manual page)
# are installed only with the window (K2_BUILD_GUI).
#
# The programs find the shipped definition files and Help/ beside their own
# executable (resolved through /proc/self/exe, so through the symlinks), which
# is why everything program-side shares one folder instead of following
# GNUInstallDirs. The marker file makes them keep each user's files in
# $XDG_DATA_HOME/Kalendo2 instead (ui/model/file_locations.h), whoever runs
# them and whether or not the folder is writable.
#
# Include this file once from the top-level CMakeLists.txt, anywhere after
# project(). The rules are deferred to the end of the including directory, so
# the targets exist by then whatever the position of the include.

get_filename_component(K2_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(K2_INSTALL_PROGRAM_DIR "lib/kalendo2")
set(K2_INSTALL_BIN_DIR "bin")
set(K2_INSTALL_APPLICATIONS_DIR "share/applications")
set(K2_INSTALL_ICON_DIR "share/icons/hicolor")
set(K2_INSTALL_METAINFO_DIR "share/metainfo")
set(K2_INSTALL_MAN_DIR "share/man")
set(K2_INSTALL_DOC_DIR "share/doc/kalendo2")

# The help page beside the built programs, so that build/bin/Kalendo2 opens
# build/bin/Help/index.html like an installed copy. The folder is replaced as
# a whole so that a page removed from help/ does not linger. The page's table
# of where the two almanac modes differ is then computed by k2_help_page.
file(GLOB_RECURSE K2_HELP_FILES CONFIGURE_DEPENDS "${K2_SOURCE_ROOT}/help/*")
set(K2_HELP_STAMP "${CMAKE_BINARY_DIR}/help.stamp")
add_custom_command(
  OUTPUT "${K2_HELP_STAMP}"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${CMAKE_BINARY_DIR}/bin/Help"
  COMMAND "${CMAKE_COMMAND}" -E copy_directory "${K2_SOURCE_ROOT}/help" "${CMAKE_BINARY_DIR}/bin/Help"
  COMMAND k2_help_page "${K2_SOURCE_ROOT}/help/index.html" "${CMAKE_BINARY_DIR}/bin/Help/index.html"
  COMMAND "${CMAKE_COMMAND}" -E touch "${K2_HELP_STAMP}"
  DEPENDS ${K2_HELP_FILES} k2_help_page
  COMMENT "Help page into bin/Help")
add_custom_target(k2_help ALL DEPENDS "${K2_HELP_STAMP}")

function(k2_install_rules)
  foreach(program Kalendo2 kalendo2-cli)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION "${K2_INSTALL_PROGRAM_DIR}")
      # A relative link stays right under DESTDIR staging (packages) and when
      # the whole prefix is moved.
      install(CODE "
        set(k2_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${K2_INSTALL_BIN_DIR}\")
        file(MAKE_DIRECTORY \"\${k2_bin}\")
        file(REMOVE \"\${k2_bin}/${program}\")
        message(STATUS \"Installing: \${k2_bin}/${program} -> ../${K2_INSTALL_PROGRAM_DIR}/${program}\")
        file(CREATE_LINK \"../${K2_INSTALL_PROGRAM_DIR}/${program}\" \"\${k2_bin}/${program}\" SYMBOLIC)
      ")
    endif()
  endforeach()

  # Built by data/ as CP932 from the UTF-8 sources; install requires a build.
  install(FILES
      "${CMAKE_BINARY_DIR}/bin/元号.Def"
      "${CMAKE_BINARY_DIR}/bin/祝日.Def"
      "${CMAKE_BINARY_DIR}/bin/暦日.Def"
      "${CMAKE_BINARY_DIR}/bin/Usr.Def"
      "${CMAKE_BINARY_DIR}/bin/Schedule.Def"
    DESTINATION "${K2_INSTALL_PROGRAM_DIR}")

  install(FILES "${K2_SOURCE_ROOT}/app/kalendo2.installed"
    DESTINATION "${K2_INSTALL_PROGRAM_DIR}")

  # The built Help/ (with its computed table): the program opens
  # <its folder>/Help/index.html.
  install(DIRECTORY "${CMAKE_BINARY_DIR}/bin/Help/"
    DESTINATION "${K2_INSTALL_PROGRAM_DIR}/Help")

  install(FILES "${K2_SOURCE_ROOT}/packaging/copyright" "${K2_DOC_DIR}/changelog.gz"
    DESTINATION "${K2_INSTALL_DOC_DIR}")
  install(FILES "${K2_SOURCE_ROOT}/packaging/lintian-overrides"
    DESTINATION "share/lintian/overrides" RENAME kalendo2)
  install(FILES "${K2_DOC_DIR}/man/man1/kalendo2-cli.1.gz"
    DESTINATION "${K2_INSTALL_MAN_DIR}/man1")
  install(FILES "${K2_DOC_DIR}/man/ja/man1/kalendo2-cli.1.gz"
    DESTINATION "${K2_INSTALL_MAN_DIR}/ja/man1")
  # The feed's user units: installed, never enabled by the package (each
  # user decides: systemctl --user enable --now kalendo2-feed.timer).
  install(FILES "${K2_SOURCE_ROOT}/packaging/systemd/kalendo2-feed.service"
      "${K2_SOURCE_ROOT}/packaging/systemd/kalendo2-feed.timer"
    DESTINATION "lib/systemd/user")

  if(NOT TARGET Kalendo2)
    return()
  endif()
  install(FILES "${K2_DOC_DIR}/man/man1/Kalendo2.1.gz"
    DESTINATION "${K2_INSTALL_MAN_DIR}/man1")
  install(FILES "${K2_DOC_DIR}/man/ja/man1/Kalendo2.1.gz"
    DESTINATION "${K2_INSTALL_MAN_DIR}/ja/man1")
  install(FILES "${K2_SOURCE_ROOT}/app/kalendo2.desktop"
    DESTINATION "${K2_INSTALL_APPLICATIONS_DIR}")
  install(FILES "${K2_SOURCE_ROOT}/app/org.kalendo2.kalendo2.metainfo.xml"
    DESTINATION "${K2_INSTALL_METAINFO_DIR}")
  foreach(size IN LISTS K2_ICON_SIZES)
    install(FILES "${K2_ICON_DIR}/${size}x${size}/apps/kalendo2.png"
      DESTINATION "${K2_INSTALL_ICON_DIR}/${size}x${size}/apps")
  endforeach()
  install(FILES "${K2_SOURCE_ROOT}/app/icons/kalendo2.svg"
    DESTINATION "${K2_INSTALL_ICON_DIR}/scalable/apps")
endfunction()

cmake_language(DEFER CALL k2_install_rules)
