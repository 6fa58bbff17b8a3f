# The documents the install carries besides the programs, built into
# <build>/doc/ in the form they are installed in:
#
#   <build>/doc/man/man1/{Kalendo2,kalendo2-cli}.1.gz      from man/en/
#   <build>/doc/man/ja/man1/{Kalendo2,kalendo2-cli}.1.gz   from man/ja/
#   <build>/doc/changelog.gz                               from packaging/changelog
#
# compressed with gzip -9n (no name, no time stamp), as Debian's policy asks,
# so that two builds give the same bytes. The manual pages keep the layout of
# share/man below doc/man, which is also how man-db tells a Japanese page:
# by its folder. The target k2_docs builds them all.
#
# The version is written in three places that must agree: project(), the
# newest changelog entry, and the program's own (ui/model/settings.h). A
# mismatch stops the configuration.
#
# Include this file once from the top-level CMakeLists.txt, after project().

set(K2_DOC_DIR "${CMAKE_BINARY_DIR}/doc")
set(K2_MAN_LANGUAGES en ja)
set(K2_MAN_PAGES Kalendo2.1 kalendo2-cli.1)

find_program(K2_GZIP gzip REQUIRED)

file(STRINGS "${CMAKE_SOURCE_DIR}/packaging/changelog" k2_changelog_head LIMIT_COUNT 1)
file(STRINGS "${CMAKE_SOURCE_DIR}/ui/model/settings.h" k2_version_line
  REGEX "kProgramVersion\\[\\] = \"[^\"]+\"")
string(REGEX MATCH "\"([^\"]+)\"" k2_match "${k2_version_line}")
set(k2_program_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "^kalendo2 \\(([^)]+)\\)" k2_match "${k2_changelog_head}")
set(k2_changelog_version "${CMAKE_MATCH_1}")
if(NOT k2_changelog_version STREQUAL PROJECT_VERSION OR
   NOT k2_program_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The version differs: project ${PROJECT_VERSION}, "
    "packaging/changelog '${k2_changelog_version}', ui/model/settings.h '${k2_program_version}'")
endif()

# k2_gzip_document(<source> <output>): one compressed copy.
function(k2_gzip_document source output)
  get_filename_component(folder "${output}" DIRECTORY)
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}"
    COMMAND "${K2_GZIP}" -9nc "${source}" > "${output}"
    DEPENDS "${source}"
    COMMENT "gzip -9n ${output}")
  set_property(GLOBAL APPEND PROPERTY K2_DOC_FILES "${output}")
endfunction()

foreach(language IN LISTS K2_MAN_LANGUAGES)
  if(language STREQUAL "en")
    set(folder "${K2_DOC_DIR}/man/man1")
  else()
    set(folder "${K2_DOC_DIR}/man/${language}/man1")
  endif()
  foreach(page IN LISTS K2_MAN_PAGES)
    k2_gzip_document("${CMAKE_SOURCE_DIR}/man/${language}/${page}" "${folder}/${page}.gz")
  endforeach()
endforeach()
k2_gzip_document("${CMAKE_SOURCE_DIR}/packaging/changelog" "${K2_DOC_DIR}/changelog.gz")

get_property(k2_doc_files GLOBAL PROPERTY K2_DOC_FILES)
add_custom_target(k2_docs ALL DEPENDS ${k2_doc_files})
