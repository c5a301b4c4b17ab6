# nlohmann/json for cross builds: the header-only library of the build machine,
# copied on its own into the build tree so that no other host header comes
# along on the include path.
set(BREVIO_NLOHMANN_JSON_INCLUDE_DIR "/usr/include" CACHE PATH
  "Folder that holds nlohmann/json.hpp (header-only, used for every target)")

if(NOT TARGET nlohmann_json::nlohmann_json)
  set(_brevio_json_include "${CMAKE_BINARY_DIR}/cross-deps/nlohmann_json/include")
  file(COPY "${BREVIO_NLOHMANN_JSON_INCLUDE_DIR}/nlohmann" DESTINATION "${_brevio_json_include}")
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_brevio_json_include}")
  unset(_brevio_json_include)
endif()
