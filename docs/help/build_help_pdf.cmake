# Runs groff on the guide; any diagnostic fails the build, so that broken
# markup is not shipped silently.
# FIGURES is the folder of the figures' .tr files (draw_figure.cmake).
#   cmake -DGROFF=... -DSOURCE=Brevio.ms -DOUTPUT=Brevio.pdf -DFIGURES=... -P build_help_pdf.cmake
execute_process(
  COMMAND "${GROFF}" -mspdf -t -Tpdf "-dfigures=${FIGURES}" "${SOURCE}"
  OUTPUT_FILE "${OUTPUT}.tmp"
  ERROR_VARIABLE diagnostics
  RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT diagnostics STREQUAL "")
  file(REMOVE "${OUTPUT}.tmp")
  message(FATAL_ERROR "groff failed on ${SOURCE} (${result}):\n${diagnostics}")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
