# Platform settings of a plug-in module: its file name and where the build
# lays it out (<plugins>/<Folder>/<File>), and what it may export.
#
#   Linux (simulated host)  <plugins>/Brevio/Brevio.xso64
#   Windows x86-64          <plugins>/Brevio/Brevio.xdl64
#   macOS arm64             <plugins>/BrevioR2026/BrevioR2026.xlib
#
# Every module registers itself in the global property BREVIO_MODULES and
# keeps its folder name in the target property BREVIO_MODULE_FOLDER, so the
# help document, the checks and the packaging (cmake/Packaging.cmake) can
# follow it.

function(brevio_module_platform target folder)
  # What the host looks up in a module; nothing else may be exported.
  set(exported_functions c4d_main)
  set(exported_data g_maxon g_CpuYieldDelegate)

  if(APPLE)
    # macOS module names carry the host release they are built for.
    set(folder "${folder}R2026")
    set(suffix ".xlib")
  elseif(WIN32)
    set(suffix ".xdl64")
  else()
    set(suffix ".xso64")
  endif()

  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME "${folder}"
    SUFFIX "${suffix}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY "${BREVIO_PLUGINS_DIR}/${folder}"
    RUNTIME_OUTPUT_DIRECTORY "${BREVIO_PLUGINS_DIR}/${folder}"
    BREVIO_MODULE_FOLDER "${folder}")
  set_property(GLOBAL APPEND PROPERTY BREVIO_MODULES ${target})

  set(exports_dir "${CMAKE_BINARY_DIR}/module-exports")
  if(WIN32)
    # A definition file names the exports; with it the linker exports nothing
    # of its own accord.
    set(def "${exports_dir}/${target}.def")
    set(lines "EXPORTS\n")
    foreach(name IN LISTS exported_functions)
      string(APPEND lines "  ${name}\n")
    endforeach()
    foreach(name IN LISTS exported_data)
      string(APPEND lines "  ${name} DATA\n")
    endforeach()
    file(CONFIGURE OUTPUT "${def}" CONTENT "${lines}")
    target_sources(${target} PRIVATE "${def}")
    if(MINGW)
      # The GCC runtime goes inside the module: it may import system DLLs only.
      target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
  elseif(APPLE)
    set(list "${exports_dir}/${target}.exp")
    set(lines "")
    foreach(name IN LISTS exported_functions exported_data)
      string(APPEND lines "_${name}\n")
    endforeach()
    file(CONFIGURE OUTPUT "${list}" CONTENT "${lines}")
    target_link_options(${target} PRIVATE "LINKER:-exported_symbols_list,${list}" "LINKER:-dead_strip")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${list}")
    if(BREVIO_MACOS_CROSS)
      # Cross build: the sysroot has no libc++ stub; one is written from the
      # module's own undefined symbols just before each link.
      set(stub_dir "${CMAKE_BINARY_DIR}/macos-libcxx-stub/${target}")
      set(launcher "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/macos/link-with-libcxx-stub.sh")
      cmake_path(NORMAL_PATH launcher)
      set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER
        "${launcher};${stub_dir}/libc++.tbd;${CMAKE_NM};${CMAKE_OSX_SYSROOT}/usr/lib/libSystem.tbd;--")
      target_link_options(${target} PRIVATE "-L${stub_dir}")
    endif()
  endif()
endfunction()
