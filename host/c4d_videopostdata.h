// c4d_videopostdata.h - type ids of the host's post effects.
#pragma once

#define VPlenseffects 1001049
#define VPobjectglow 1001007
#define VPscenemotionblur 1001010
#define VPvectormotionblur 1002008
#define VPopticsuite_depthoffield 1001400
#define VPopticsuite_glow 1001401
#define VPopticsuite_highlights 1001402
#define VPambientocclusion 300001045
