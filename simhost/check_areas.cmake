# check_areas.cmake - the simulated host's areas depend downwards only: no
# file of an area includes a header of an area that builds on it, and an
# area that has internals is reached through its public headers only.
#
#   cmake -DSOURCE_DIR=<simhost/src> -P check_areas.cmake
#
cmake_minimum_required(VERSION 3.20)

# The layers, lowest first, and what each may include besides itself.
set(areas platform core resource dialog document paint)
set(below_platform "")
set(below_core platform)
set(below_resource platform core)
set(below_dialog platform core resource)
set(below_document platform core)
set(below_paint platform core resource dialog)
# Areas with internals: the headers other areas may include.
set(public_resource resource_set.h resource_area.h)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<simhost/src> -P check_areas.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(faults "")
foreach(area IN LISTS areas)
  file(GLOB files "${SOURCE_DIR}/${area}/*.h" "${SOURCE_DIR}/${area}/*.cpp")
  if(NOT files)
    message(FATAL_ERROR "no sources in ${SOURCE_DIR}/${area}: is the list of areas out of date?")
  endif()
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/[^\"]+\"")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([a-z_]+)/([^\"]+)\".*$" "\\1" target "${line}")
      string(REGEX REPLACE "^[^\"]*\"([a-z_]+)/([^\"]+)\".*$" "\\2" header "${line}")
      if(target STREQUAL area OR NOT target IN_LIST areas)
        continue()  # its own area, or not an area (the public simhost/ header)
      endif()
      if(NOT target IN_LIST below_${area})
        list(APPEND faults "${shown} (${area}) includes ${target}/${header}: ${target} is not below ${area}")
      elseif(DEFINED public_${target} AND NOT header IN_LIST public_${target})
        list(APPEND faults "${shown} (${area}) includes ${target}/${header}: an internal header of ${target}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "areas must depend downwards only:\n  ${text}")
endif()
message(STATUS "areas depend downwards only")
