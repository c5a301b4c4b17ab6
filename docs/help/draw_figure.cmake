# Draws one figure of the user guide: the simulated host runs the built
# module through a script that ends in `snapshot NAME.pdf`, and NAME.tr tells
# groff the file and its size.
#   cmake -DSIMHOST=... -DPLUGINS=... -DSCRIPT=figures/NAME.txt -DDIR=... -P draw_figure.cmake
get_filename_component(name "${SCRIPT}" NAME_WE)
set(log "${DIR}/${name}.log")
file(MAKE_DIRECTORY "${DIR}")
execute_process(
  COMMAND "${SIMHOST}" --quiet --plugins "${PLUGINS}" --log "${log}" "${SCRIPT}"
  WORKING_DIRECTORY "${DIR}"
  RESULT_VARIABLE result)
file(STRINGS "${log}" events REGEX "\"event\":\"(snapshot|error|misuse)\"")
if(NOT result EQUAL 0)
  list(JOIN events "\n" report)
  message(FATAL_ERROR "simhost could not draw the figure ${name} (exit ${result}):\n${report}")
endif()
set(width "")
foreach(event IN LISTS events)
  string(JSON kind GET "${event}" event)
  if(kind STREQUAL "snapshot")
    string(JSON width GET "${event}" width)
    string(JSON height GET "${event}" height)
  endif()
endforeach()
if(width STREQUAL "")
  message(FATAL_ERROR "${SCRIPT} took no snapshot")
endif()
file(WRITE "${DIR}/${name}.tr"
  ".\\\" Written by draw_figure.cmake from ${SCRIPT}\n"
  ".ds fig-file ${DIR}/${name}.pdf\n"
  ".nr fig-px-w ${width}\n"
  ".nr fig-px-h ${height}\n")
