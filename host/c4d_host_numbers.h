/*
 * c4d_host_numbers.h - the host's numbers that both sides of the boundary use:
 * render-setting ids and their values, post-effect types, node bits, host
 * commands and node messages, under the host's own symbol names. Plain C, so
 * that a host (the simulated one in simhost/) reads the very same numbers the
 * module's layer hands to the plug-in. The layer's SDK-named headers
 * (drendersettings.h, c4d_videopostdata.h, lib_hair.h, ge_prepass.h, ...)
 * take their numbers from here.
 */
#ifndef C4D_HOST_NUMBERS_H
#define C4D_HOST_NUMBERS_H

#include "c4d_abi.h"

/* ---- render settings: entries of a render-settings container ------------ */
#define RDATA_ANTIALIASING 5002
#define RDATA_ANTIALIASING_NONE 0
#define RDATA_ANTIALIASING_GEOMETRY 1
#define RDATA_ANTIALIASING_BEST 2
#define RDATA_XRES 5008
#define RDATA_YRES 5009
#define RDATA_FRAMESEQUENCE 5016
#define RDATA_FRAMESEQUENCE_MANUAL 0
#define RDATA_FRAMESEQUENCE_CURRENTFRAME 1
#define RDATA_FRAMESEQUENCE_ALLFRAMES 2
#define RDATA_FRAMESEQUENCE_PREVIEWRANGE 3
#define RDATA_ACTIVEOBJECTONLY 5021
#define RDATA_VOLUMETRICLIGHTING 5052
#define RDATA_TEXTURES 5064
#define RDATA_ENABLEBLURRY 5069
#define RDATA_AAFILTER 5070
#define RDATA_AAFILTER_STILLIMAGE 0
#define RDATA_AAFILTER_ANIMATION 1
#define RDATA_SAVEIMAGE 5076
#define RDATA_MULTIPASS_ENABLE 5202
#define RDATA_RENDERENGINE 5300
#define RDATA_RENDERENGINE_STANDARD 0
#define RDATA_POSTEFFECTS_ENABLE 5401
#define RDATA_ENABLESPD 5604
#define RDATA_OPTION_TRANSPARENCY 6016
#define RDATA_OPTION_REFRACTION 6017
#define RDATA_OPTION_REFLECTION 6018
#define RDATA_OPTION_SHADOW 6019
#define RDATA_LIMITREFLECTION 6020
#define RDATA_LIMITSHADOW 6021
#define RDATA_RENDERREGION 7004
#define RDATA_FROMIRR 28501

/* ---- post effects (video-post node types) ------------------------------- */
#define VPambientocclusion 300001045
#define ID_OLDCAUSTICS 1000970
#define VPopticsuite_depthoffield 1001400
#define VPglobalillumination 1021096
#define VPopticsuite_glow 1001401
#define VPopticsuite_highlights 1001402
#define VPobjectglow 1001007
#define VPhair 1017325
#define VPscenemotionblur 1001010
#define VPvectormotionblur 1002008
#define VPlenseffects 1001049

/* A post effect with this bit set is switched off. */
#define BIT_VPDISABLED C4D_BIT_VPDISABLED

/* ---- host commands -------------------------------------------------------- */
/* The host's "Close" entry for a dialog's own menu. */
#define IDM_CM_CLOSEWINDOW 12097
/* Render the active document in the editor view, and into the Picture Viewer
   (the host names neither with a symbol). */
#define C4D_COMMAND_RENDER_VIEW 12163
#define C4D_COMMAND_RENDER_PICTUREVIEWER 12099

/* ---- node messages -------------------------------------------------------- */
#define MSG_UPDATE C4D_MSG_UPDATE
#define MSG_DESCRIPTION_CHECKUPDATE C4D_MSG_DESCRIPTION_CHECKUPDATE
#define MSG_DESCRIPTION_COMMAND C4D_MSG_DESCRIPTION_COMMAND

#endif /* C4D_HOST_NUMBERS_H */
