# The application icon in the hicolor sizes desktops ask for, rendered at
# build time from the one drawn source, app/icons/kalendo2.svg, with
# rsvg-convert (librsvg2-bin):
#
#   <build>/icons/<N>x<N>/apps/kalendo2.png   for every N in K2_ICON_SIZES
#
# K2_ICON_DIR is that folder; the target k2_icons renders them. The window's
# own icon (its resource file) is the 48-pixel rendering.
#
# Include this file once from the top-level CMakeLists.txt, before the
# folders whose targets use the icons.

set(K2_ICON_SOURCE "${CMAKE_CURRENT_LIST_DIR}/../app/icons/kalendo2.svg")
set(K2_ICON_SIZES 16 22 24 32 48 64 128 256)
set(K2_ICON_DIR "${CMAKE_BINARY_DIR}/icons")

find_program(K2_RSVG_CONVERT rsvg-convert REQUIRED)

set(k2_icon_files)
foreach(size IN LISTS K2_ICON_SIZES)
  set(png "${K2_ICON_DIR}/${size}x${size}/apps/kalendo2.png")
  add_custom_command(
    OUTPUT "${png}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${K2_ICON_DIR}/${size}x${size}/apps"
    COMMAND "${K2_RSVG_CONVERT}" --width=${size} --height=${size}
            --output "${png}" "${K2_ICON_SOURCE}"
    DEPENDS "${K2_ICON_SOURCE}"
    COMMENT "Icon ${size}x${size}"
    VERBATIM)
  list(APPEND k2_icon_files "${png}")
endforeach()
add_custom_target(k2_icons ALL DEPENDS ${k2_icon_files})
