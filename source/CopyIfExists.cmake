# Copies SOURCE into the folder DEST when SOURCE exists (the help document
# may not be written yet).
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}" DESTINATION "${DEST}")
endif()
