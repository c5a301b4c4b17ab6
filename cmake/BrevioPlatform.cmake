# Platform settings of a plug-in module: its file name and where the build
# lays it out (<plugins>/<Folder>/<File>), and what it may export.
function(brevio_module_platform target folder)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME "${folder}"
    SUFFIX ".xso64"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY "${BREVIO_PLUGINS_DIR}/${folder}"
    RUNTIME_OUTPUT_DIRECTORY "${BREVIO_PLUGINS_DIR}/${folder}")
endfunction()
