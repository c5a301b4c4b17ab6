// c4d_ids.h - host identifiers the plug-in uses, under the host's own symbol
// names. The numbers are the host's; the plug-in's own ids live in
// res/c4d_symbols.h and source/.
#pragma once

#include "c4d_abi.h"
#include "c4d_types.h"

// Render settings: entries of a RenderData container.
constexpr Int32 RDATA_ANTIALIASING = 5002;
constexpr Int32 RDATA_ANTIALIASING_NONE = 0;
constexpr Int32 RDATA_ANTIALIASING_GEOMETRY = 1;
constexpr Int32 RDATA_ANTIALIASING_BEST = 2;
constexpr Int32 RDATA_XRES = 5008;
constexpr Int32 RDATA_YRES = 5009;
constexpr Int32 RDATA_FRAMESEQUENCE = 5016;
constexpr Int32 RDATA_FRAMESEQUENCE_MANUAL = 0;
constexpr Int32 RDATA_FRAMESEQUENCE_CURRENTFRAME = 1;
constexpr Int32 RDATA_FRAMESEQUENCE_ALLFRAMES = 2;
constexpr Int32 RDATA_FRAMESEQUENCE_PREVIEWRANGE = 3;
constexpr Int32 RDATA_ACTIVEOBJECTONLY = 5021;
constexpr Int32 RDATA_VOLUMETRICLIGHTING = 5052;
constexpr Int32 RDATA_TEXTURES = 5064;
constexpr Int32 RDATA_ENABLEBLURRY = 5069;
constexpr Int32 RDATA_AAFILTER = 5070;
constexpr Int32 RDATA_AAFILTER_STILL = 0;
constexpr Int32 RDATA_AAFILTER_ANIMATION = 1;
constexpr Int32 RDATA_SAVEIMAGE = 5076;
constexpr Int32 RDATA_MULTIPASS_ENABLE = 5202;
constexpr Int32 RDATA_RENDERENGINE = 5300;
constexpr Int32 RDATA_RENDERENGINE_STANDARD = 0;
constexpr Int32 RDATA_POSTEFFECTS_ENABLE = 5401;
constexpr Int32 RDATA_ENABLESPD = 5604;
constexpr Int32 RDATA_OPTION_TRANSPARENCY = 6016;
constexpr Int32 RDATA_OPTION_REFRACTION = 6017;
constexpr Int32 RDATA_OPTION_REFLECTION = 6018;
constexpr Int32 RDATA_OPTION_SHADOW = 6019;
constexpr Int32 RDATA_LIMITREFLECTION = 6020;
constexpr Int32 RDATA_LIMITSHADOW = 6021;
constexpr Int32 RDATA_RENDERREGION = 7004;
constexpr Int32 RDATA_FROMIRR = 28501;

// Post effects (video-post node types).
constexpr Int32 VPambientocclusion = 300001045;
constexpr Int32 VPcaustics = 1000970;
constexpr Int32 VPopticsuite_depthoffield = 1001400;
constexpr Int32 VPglobalillumination = 1021096;
constexpr Int32 VPopticsuite_glow = 1001401;
constexpr Int32 VPopticsuite_highlights = 1001402;
constexpr Int32 VPobjectglow = 1001007;
constexpr Int32 VPhair = 1017325;
constexpr Int32 VPscenemotionblur = 1001010;
constexpr Int32 VPvectormotionblur = 1002008;
constexpr Int32 VPlenseffects = 1001049;

// Node bits: a post effect with this bit set is switched off.
constexpr Int32 BIT_VPDISABLED = C4D_BIT_VPDISABLED;

// Node messages.
constexpr Int32 MSG_UPDATE = C4D_MSG_UPDATE;
constexpr Int32 MSG_DESCRIPTION_CHECKUPDATE = C4D_MSG_DESCRIPTION_CHECKUPDATE;
constexpr Int32 MSG_DESCRIPTION_COMMAND = C4D_MSG_DESCRIPTION_COMMAND;

// Applying a container to a node.
constexpr Int32 SETDATAFLAGS_NONE = 0;
constexpr Int32 SETDATAFLAGS_MERGE = C4D_SETDATA_MERGE;

// Parameter data types.
constexpr Int32 DTYPE_BUTTON = 8;

// Dialogs, menus and user-interface actions.
constexpr Int32 DLG_TYPE_MODAL = C4D_DLG_TYPE_MODAL;
constexpr Int32 DLG_TYPE_ASYNC = C4D_DLG_TYPE_ASYNC;
constexpr Int32 IDM_CM_CLOSEWINDOW = 12097;
constexpr Int32 BFM_ACTION = static_cast<Int32>(C4D_BFM_ACTION);
constexpr Int32 BFM_ACTION_ID = static_cast<Int32>(C4D_BFM_ACTION_ID);
constexpr Int32 BFM_ACTION_VALUE = static_cast<Int32>(C4D_BFM_ACTION_VALUE);

// Commands and events.
constexpr Int32 CMD_ENABLED = C4D_CMD_ENABLED;
constexpr Int32 EVENT_NONE = 0;
constexpr Int32 PLUGINTYPE_COMMAND = C4D_PLUGINTYPE_COMMAND;

// Message boxes.
constexpr Int32 GEMB_ICONEXCLAMATION = C4D_GEMB_ICONEXCLAMATION;

// Bitmaps.
constexpr Int32 IMAGERESULT_OK = C4D_IMAGERESULT_OK;
constexpr Int32 BASEBITMAP_DATA_GUIPIXELRATIO = 100;

// Module entry.
constexpr Int32 C4DPL_INIT_SYS = C4D_PL_INIT_SYS;
constexpr Int32 C4DPL_INIT = C4D_PL_INIT;
constexpr Int32 C4DPL_END = C4D_PL_END;
constexpr Int32 C4DPL_INIT_VERSION = C4D_PL_INIT_VERSION;
constexpr Int32 C4DPL_MESSAGE = C4D_PL_MESSAGE;
constexpr Int32 C4DPL_ERROR = C4D_PL_ERROR;
constexpr Int32 C4DPL_ERROR_VERSION = C4D_PL_ERROR_VERSION;
constexpr Int32 C4DMSG_PRIORITY = C4D_MSG_PRIORITY;
constexpr Int32 C4DMSG_INIT_SYS = C4D_MSG_INIT_SYS;
