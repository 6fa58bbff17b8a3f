# k2_cp932_texts(<target> <texts.txt>)
# Generates <build>/generated/<dir>/<name>.h with the CP932 bytes of the
# UTF-8 text table and makes <target> depend on it.
function(k2_cp932_texts target source)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  get_filename_component(dir ${rel} DIRECTORY)
  get_filename_component(stem ${rel} NAME_WE)
  set(out ${K2_GENERATED_DIR}/${dir}/${stem}.h)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${K2_GENERATED_DIR}/${dir}
    COMMAND cp932gen --texts ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${out}
    DEPENDS cp932gen ${CMAKE_CURRENT_SOURCE_DIR}/${source}
    COMMENT "CP932 texts ${rel}")
  target_sources(${target} PRIVATE ${out})
endfunction()

# k2_cp932_file(<target> <utf8 source> <output path>)
function(k2_cp932_file target source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND cp932gen --file ${source} ${output}
    DEPENDS cp932gen ${source}
    COMMENT "CP932 file ${output}")
  target_sources(${target} PRIVATE ${output})
endfunction()
