# Run by CPack after the install into its staging folder and before the
# package is made (CPACK_PRE_BUILD_SCRIPTS): strips every ELF file as
# Debian's dh_strip does, so that the package carries neither debugging
# symbols nor the .comment and .note sections (compiler versions), which
# lintian reports as unneeded. Shared objects also lose their unneeded
# symbols; executables keep their dynamic symbols either way.

if(NOT CPACK_K2_STRIP)
  message(FATAL_ERROR "PackageStrip: no strip program (CMAKE_STRIP) was found")
endif()

file(GLOB_RECURSE k2_staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
set(k2_stripped 0)
foreach(file IN LISTS k2_staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")  # "\177ELF"
    continue()
  endif()
  set(options --remove-section=.comment --remove-section=.note)
  if(file MATCHES "\\.so(\\.[0-9]+)*$")
    list(APPEND options --strip-unneeded)
  endif()
  execute_process(COMMAND "${CPACK_K2_STRIP}" ${options} "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "PackageStrip: strip failed on ${file}")
  endif()
  math(EXPR k2_stripped "${k2_stripped} + 1")
endforeach()
if(k2_stripped EQUAL 0)
  message(FATAL_ERROR "PackageStrip: no executable in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
message(STATUS "PackageStrip: stripped ${k2_stripped} files")
