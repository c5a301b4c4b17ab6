// ge_prepass.h - the host's enum classes and flag values that the plug-in
// passes or reads.
#pragma once

#include "c4d_abi.h"
#include "maxon/apibase.h"

namespace cinema {

// Message-box styles (buttons, icon) for GeOutString.
enum class GEMB {
  OK = 0x0000,
  OKCANCEL = 0x0001,
  ABORTRETRYIGNORE = 0x0002,
  YESNOCANCEL = 0x0003,
  YESNO = 0x0004,
  RETRYCANCEL = 0x0005,
  FORCEDIALOG = 0x8000,
  ICONSTOP = 0x0010,
  ICONQUESTION = 0x0020,
  ICONEXCLAMATION = C4D_GEMB_ICONEXCLAMATION,
  ICONASTERISK = 0x0040,
  MULTILINE = 0x0080
} MAXON_ENUM_FLAGS(GEMB);

// The button a message box was closed with.
enum class GEMB_R {
  V_UNDEFINED = 0,
  V_OK = 1,
  V_CANCEL = 2,
  V_ABORT = 3,
  V_RETRY = 4,
  V_IGNORE = 5,
  V_YES = 6,
  V_NO = 7
} MAXON_ENUM_LIST(GEMB_R);

// Flags of a global update event.
enum class EVENT {
  NONE = 0,
  FORCEREDRAW = 1 << 0,
  ANIMATE = 1 << 1,
  NOEXPRESSION = 1 << 2
} MAXON_ENUM_FLAGS(EVENT);

// Kinds of dialog window.
enum class DLG_TYPE {
  MODAL = C4D_DLG_TYPE_MODAL,
  MODAL_RESIZEABLE,
  ASYNC = C4D_DLG_TYPE_ASYNC
} MAXON_ENUM_LIST(DLG_TYPE);

enum class OPENDIALOGFLAGS { NONE = 0 } MAXON_ENUM_FLAGS(OPENDIALOGFLAGS);

// Results of reading an image.
enum class IMAGERESULT {
  OK = 1,
  NOTEXISTING = -1,
  WRONGTYPE = -2,
  OUTOFMEMORY = -3,
  FILEERROR = -4,
  FILESTRUCTURE = -5,
  MISC_ERROR = -6,
  PARAM_ERROR = -7,
  THREADCANCELED = -8
} MAXON_ENUM_LIST(IMAGERESULT);

// How a container is copied.
enum class COPYFLAGS { NONE = 0 } MAXON_ENUM_FLAGS(COPYFLAGS);

// Kinds of plug-in.
enum class PLUGINTYPE { COMMAND = C4D_PLUGINTYPE_COMMAND } MAXON_ENUM_LIST(PLUGINTYPE);

}  // namespace cinema

// BIT_VPDISABLED, ID_OLDCAUSTICS and VPglobalillumination.
#include "c4d_host_numbers.h"
