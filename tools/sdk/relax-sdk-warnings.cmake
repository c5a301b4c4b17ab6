# Included into the SDK's top-level project (CMAKE_PROJECT_INCLUDE) by
# tools/check-sdk.sh. The SDK's build resets CMAKE_CXX_FLAGS, so what must
# differ from its defaults is set on targets and sources once every target
# exists, from here, without touching a file of the SDK.
function(brevio_relax_sdk_warnings)
  # One of the SDK's own sources trips its -Werror=missing-prototypes under
  # clang on Linux; that is the SDK's business, not the module's.
  set(c4d_file "${MAXON_FRAMEWORKS_DIR}/cinema.framework/source/c4d_file.cpp")
  if(EXISTS "${c4d_file}" AND TARGET cinema.framework)
    set_source_files_properties("${c4d_file}" TARGET_DIRECTORY cinema.framework
      PROPERTIES COMPILE_OPTIONS "-Wno-error=missing-prototypes")
  endif()
endfunction()

cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL brevio_relax_sdk_warnings)
