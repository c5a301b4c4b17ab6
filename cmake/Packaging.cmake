# What this build makes: every plug-in module as the folder the host expects
# in its plug-ins folder, and an archive of it. These modules are built
# against our own layer (host/) and are test builds for the simulated host
# (Linux, Windows under Wine, macOS to inspect): Cinema 4D does not load
# them, and they are never releases. The releases hold the modules built with
# the real SDK (tools/release.sh, docs/deliverables.md).
#
#   cmake --install <build> --prefix <dir>  ->  <dir>/<Folder>/<module>
#                                               <dir>/<Folder>/Brevio.pdf
#                                               <dir>/<Folder>/res/...
#   cpack --config <build>/CPackConfig.cmake ->  <build>/packages/<Name>.zip
#                                               (.tar.gz for the Linux module)
#     <Name> = <Folder>-<version>-<platform>-simhost-test, and the archive's
#     one top folder is <Name>, holding <Folder>/ as installed above.
#
# Also here, because they follow every module: the user guide (docs/help) and,
# in cross builds, the checks that read a module's exports and imports.

# The checks of what ships are tests of their own: they need no test
# framework, so they also run where the test programs cannot (macOS cross).
option(BREVIO_CHECK_DELIVERABLES "Check the help document and cross-built modules as tests" ON)
if(BREVIO_CHECK_DELIVERABLES)
  enable_testing()
endif()

add_subdirectory(docs/help)
# The end-to-end tests open the guide from the plug-in folder.
if(TARGET brevio_help AND TARGET brevio_e2e_tests)
  add_dependencies(brevio_e2e_tests brevio_help)
endif()

get_property(_brevio_modules GLOBAL PROPERTY BREVIO_MODULES)
if(NOT _brevio_modules)
  message(FATAL_ERROR "No plug-in module: nothing calls brevio_module_platform()")
endif()

if(WIN32)
  find_program(BREVIO_PE_OBJDUMP NAMES ${CMAKE_OBJDUMP} x86_64-w64-mingw32-objdump objdump)
elseif(APPLE)
  # (On a Mac, Apple's objdump is LLVM's.)
  find_program(BREVIO_MACHO_OBJDUMP NAMES llvm-objdump-14 llvm-objdump objdump
    PATHS /usr/lib/llvm-14/bin)
endif()

foreach(_brevio_module IN LISTS _brevio_modules)
  get_target_property(_brevio_folder ${_brevio_module} BREVIO_MODULE_FOLDER)

  install(TARGETS ${_brevio_module}
    LIBRARY DESTINATION "${_brevio_folder}" COMPONENT plugin
    RUNTIME DESTINATION "${_brevio_folder}" COMPONENT plugin)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/res/" DESTINATION "${_brevio_folder}/res"
    COMPONENT plugin)
  if(BREVIO_HELP_PDF)
    install(FILES "${BREVIO_HELP_PDF}" DESTINATION "${_brevio_folder}" COMPONENT plugin)
  endif()

  # The host's view of a cross-built module: its export and import tables
  # and, on macOS, its platform. (A Linux module is tried by the simulated
  # host itself.)
  if(BREVIO_CHECK_DELIVERABLES AND WIN32 AND BREVIO_PE_OBJDUMP)
    add_test(NAME module_tables.${_brevio_folder}
      COMMAND "${PROJECT_SOURCE_DIR}/tools/check-windows-module.sh"
              "$<TARGET_FILE:${_brevio_module}>" "${BREVIO_PE_OBJDUMP}")
  elseif(BREVIO_CHECK_DELIVERABLES AND APPLE AND BREVIO_MACHO_OBJDUMP)
    add_test(NAME module_tables.${_brevio_folder}
      COMMAND "${PROJECT_SOURCE_DIR}/tools/check-macos-module.sh"
              "$<TARGET_FILE:${_brevio_module}>" "${BREVIO_MACHO_OBJDUMP}" "${CMAKE_NM}")
  endif()
endforeach()

# The checks and the macOS link launcher, tried on small modules with known
# faults: a check that passes everything would prove nothing.
if(BREVIO_CHECK_DELIVERABLES AND MINGW AND BREVIO_PE_OBJDUMP)
  # LLVM's MSVC-compatible linker makes a stand-in for the real module, which
  # is built with Visual Studio on Windows.
  find_program(BREVIO_LLD_LINK NAMES lld-link PATHS /usr/lib/llvm-19/bin /usr/lib/llvm-14/bin
    NO_DEFAULT_PATH)
  set(_brevio_llvm_bin "")
  if(BREVIO_LLD_LINK)
    cmake_path(GET BREVIO_LLD_LINK PARENT_PATH _brevio_llvm_bin)
  endif()
  add_test(NAME deliverable_tools.windows
    COMMAND "${PROJECT_SOURCE_DIR}/tools/tests/windows-tools-test.sh"
            "${CMAKE_CXX_COMPILER}" "${BREVIO_PE_OBJDUMP}" "${_brevio_llvm_bin}")
  unset(_brevio_llvm_bin)
elseif(BREVIO_CHECK_DELIVERABLES AND BREVIO_MACOS_CROSS AND BREVIO_MACHO_OBJDUMP)
  add_test(NAME deliverable_tools.macos
    COMMAND "${PROJECT_SOURCE_DIR}/tools/tests/macos-tools-test.sh"
            "${CMAKE_CXX_COMPILER}" "${CMAKE_OSX_SYSROOT}" "${CMAKE_NM}" "${BREVIO_MACHO_OBJDUMP}")
  # The real module's linker, lld 19, writes chained fixups, which lld 14
  # cannot: the checks are tried with it too when it is installed.
  find_program(BREVIO_CLANGXX_19 NAMES clang++ PATHS /usr/lib/llvm-19/bin NO_DEFAULT_PATH)
  if(BREVIO_CLANGXX_19)
    add_test(NAME deliverable_tools.macos.lld19
      COMMAND "${PROJECT_SOURCE_DIR}/tools/tests/macos-tools-test.sh"
              "${BREVIO_CLANGXX_19}" "${CMAKE_OSX_SYSROOT}" /usr/lib/llvm-19/bin/llvm-nm
              /usr/lib/llvm-19/bin/llvm-objdump)
  endif()
endif()

list(GET _brevio_modules 0 _brevio_module)
get_target_property(_brevio_folder ${_brevio_module} BREVIO_MODULE_FOLDER)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(_brevio_platform windows-x86_64)
elseif(APPLE)
  set(CPACK_GENERATOR ZIP)
  set(_brevio_platform macos-arm64)
else()
  set(CPACK_GENERATOR TGZ)
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" _brevio_platform)
endif()

set(CPACK_PACKAGE_NAME "Brevio")
set(CPACK_PACKAGE_VENDOR "Talvern Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Quick test renders: a test build for the simulated host, not for Cinema 4D")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "${_brevio_folder}-${PROJECT_VERSION}-${_brevio_platform}-simhost-test")
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/packages")
set(CPACK_PACKAGE_CHECKSUM SHA256)
# The plug-in folder sits inside a folder named as the archive, so that an
# unpacked test build says what it is wherever it is copied.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Without its symbol table the Windows module is a quarter of its size. The
# macOS module keeps its own: stripping would break its code signature.
if(NOT APPLE)
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL plugin)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

unset(_brevio_modules)
unset(_brevio_module)
unset(_brevio_folder)
unset(_brevio_platform)
