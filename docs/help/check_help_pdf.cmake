# Checks a built user guide: a readable PDF with the expected title, whose
# text holds every section heading of the source and the texts a user will
# search it for.
#   cmake -DPDF=... -DSOURCE=Brevio.ms -DPDFINFO=... -DPDFTOTEXT=... -P check_help_pdf.cmake
set(failures "")

execute_process(COMMAND "${PDFINFO}" "${PDF}"
  OUTPUT_VARIABLE info ERROR_VARIABLE info_errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pdfinfo cannot read ${PDF}:\n${info_errors}")
endif()
if(NOT info MATCHES "Title: +Brevio User Guide")
  list(APPEND failures "title is not \"Brevio User Guide\"")
endif()
if(NOT info MATCHES "Pages: +([0-9]+)" OR CMAKE_MATCH_1 LESS 2)
  list(APPEND failures "fewer than two pages")
endif()
if(NOT info_errors STREQUAL "")
  list(APPEND failures "pdfinfo reports: ${info_errors}")
endif()

execute_process(COMMAND "${PDFTOTEXT}" -enc UTF-8 "${PDF}" -
  OUTPUT_VARIABLE text ERROR_VARIABLE text_errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT text_errors STREQUAL "")
  message(FATAL_ERROR "pdftotext cannot read ${PDF}:\n${text_errors}")
endif()
# Compare words, not line breaks.
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")

# Every numbered heading of the source, in order, with its number.
file(STRINGS "${SOURCE}" lines)
set(level1 0)
set(level2 0)
set(level 1)
set(headings "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\\.NH +([12])")
    set(level ${CMAKE_MATCH_1})
  elseif(line MATCHES "^\\.XN +\"(.*)\"")
    if(level EQUAL 1)
      math(EXPR level1 "${level1} + 1")
      set(level2 0)
      list(APPEND headings "${level1}. ${CMAKE_MATCH_1}")
    else()
      math(EXPR level2 "${level2} + 1")
      list(APPEND headings "${level1}.${level2}. ${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()
list(LENGTH headings count)
if(count LESS 8)
  list(APPEND failures "only ${count} headings found in ${SOURCE}")
endif()

set(position -1)
foreach(heading IN LISTS headings)
  string(FIND "${text}" "${heading}" found)
  if(found EQUAL -1)
    list(APPEND failures "heading \"${heading}\" missing")
  elseif(found LESS position)
    list(APPEND failures "heading \"${heading}\" out of order")
  else()
    set(position ${found})
  endif()
endforeach()

foreach(phrase
    "Installation" "Troubleshooting" "How your render settings are restored" "Saving and resetting"
    "Brevio only works with the standard renderer in Cinema 4D."
    "The current render engine is not the standard renderer; please change the engine and try again"
    "Save Settings" "Reset settings" "About Brevio..." "Show Help File (.PDF)..."
    "Brevio.xdl64" "BrevioR2026.xlib")
  string(FIND "${text}" "${phrase}" found)
  if(found EQUAL -1)
    list(APPEND failures "text \"${phrase}\" missing")
  endif()
endforeach()

# The figures the build draws of the window.
foreach(figure "Figure 1: The Brevio window" "Figure 2: Picture Viewer")
  string(FIND "${text}" "${figure}" found)
  if(found EQUAL -1)
    list(APPEND failures "caption \"${figure}\" missing")
  endif()
endforeach()
string(FIND "${text}" "not drawn in this build" found)
if(NOT found EQUAL -1)
  list(APPEND failures "a figure was not drawn")
endif()

if(failures)
  list(JOIN failures "\n  " report)
  message(FATAL_ERROR "${PDF}:\n  ${report}")
endif()
list(JOIN headings ", " report)
message(STATUS "${PDF}: ${count} headings in order: ${report}")
