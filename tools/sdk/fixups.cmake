# Included into the SDK's top-level project (CMAKE_PROJECT_INCLUDE) by
# tools/check-sdk.sh, for every platform it builds. What must differ from the
# SDK's defaults is set here, from outside, without touching a file of the
# SDK: directory options now (right after project(), before the SDK adds its
# targets), target and source properties once every target exists.
#
# The macOS cross build reads these cache variables, set by check-sdk.sh:
#   BREVIO_MACOS_CF_INCLUDE   the CoreFoundation declarations (tools/macos/cf)
#   BREVIO_MACOS_LINK_LAUNCHER  the libc++ stub launcher, as a list
#   BREVIO_MACOS_STUB_DIR     where the launcher writes libc++.tbd
#   BREVIO_MODULE_OUTPUT_NAME the module's file name without suffix

if(APPLE)
  # The SDK empties CMAKE_CXX_FLAGS after project(), so the toolchain's flags
  # come in as directory options instead. The sysroot's libc++ headers have
  # no __config_site: its ABI is given here.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-stdlib=libc++>"
    -D_LIBCPP_ABI_VERSION=1 -D_LIBCPP_ABI_NAMESPACE=__1)
  if(BREVIO_MACOS_CF_INCLUDE)
    include_directories(SYSTEM "${BREVIO_MACOS_CF_INCLUDE}")
  endif()
  # The SDK asks for dead stripping only through an Xcode attribute
  # (DEAD_CODE_STRIPPING); without it, code that no export reaches pulls in
  # CoreFoundation. -dead_strip_dylibs then drops a library nothing uses.
  add_link_options(-fuse-ld=lld -stdlib=libc++ LINKER:-dead_strip LINKER:-dead_strip_dylibs)
  if(BREVIO_MACOS_STUB_DIR)
    add_link_options("-L${BREVIO_MACOS_STUB_DIR}")
  endif()
  # The SDK's Xcode build strips a module's local symbols and debug map in
  # Release (STRIP_STYLE non-global, debug information in a dSYM). Done by
  # the linker, the ad hoc code signature it writes stays valid.
  add_link_options("$<$<CONFIG:Release>:LINKER:-S,-x>")
endif()

# Every target below DIR, in the SDK's subdirectories too.
function(brevio_sdk_targets dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    brevio_sdk_targets("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} "${targets}" PARENT_SCOPE)
endfunction()

function(brevio_sdk_fixups)
  # One of the SDK's own sources trips its -Werror=missing-prototypes under
  # clang; that is the SDK's business, not the module's.
  set(c4d_file "${MAXON_FRAMEWORKS_DIR}/cinema.framework/source/c4d_file.cpp")
  if(EXISTS "${c4d_file}" AND TARGET cinema.framework)
    set_source_files_properties("${c4d_file}" TARGET_DIRECTORY cinema.framework
      PROPERTIES COMPILE_OPTIONS "-Wno-error=missing-prototypes")
  endif()

  if(NOT APPLE)
    return()
  endif()
  # The SDK's non-Xcode Apple branch passes "-Xarch_x86_64 -msse4.2" as one
  # word, which clang rejects (on a Mac too). An arm64 build needs no x86 ISA
  # option at all.
  brevio_sdk_targets("${CMAKE_SOURCE_DIR}" targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
      continue()
    endif()
    foreach(property COMPILE_OPTIONS INTERFACE_COMPILE_OPTIONS)
      get_target_property(options ${target} ${property})
      if(options)
        list(FILTER options EXCLUDE REGEX "-Xarch_x86_64")
        set_target_properties(${target} PROPERTIES ${property} "${options}")
      endif()
    endforeach()
  endforeach()

  # The module: the deliverable's file name, and the libc++ stub written from
  # its link's own undefined symbols just before the link.
  if(TARGET Brevio)
    if(BREVIO_MODULE_OUTPUT_NAME)
      set_target_properties(Brevio PROPERTIES OUTPUT_NAME "${BREVIO_MODULE_OUTPUT_NAME}")
    endif()
    if(BREVIO_MACOS_LINK_LAUNCHER)
      set_target_properties(Brevio PROPERTIES CXX_LINKER_LAUNCHER "${BREVIO_MACOS_LINK_LAUNCHER}")
    endif()
  endif()
endfunction()

cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL brevio_sdk_fixups)
