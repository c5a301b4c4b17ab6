// brevcore_bindings.h - which gadget shows which settings field, under which
// preference id, with which factory default.
#pragma once

#include "brevcore.h"

struct ChoiceBinding {
  Int32 gadget;
  Int32 prefId;
  Int32 BrevioSettings::*field;
  Int32 preset;
};

struct OptionBinding {
  Int32 gadget;
  Int32 prefId;
  Bool BrevioSettings::*field;
  Bool preset;
};

// In the order of the record (which is also the order of the gadgets).
inline constexpr ChoiceBinding kChoiceBindings[] = {
    {IDC_ANTIALIASING, 7000, &BrevioSettings::antialiasing, IDV_AA_NONE},
    {IDC_AAFILTER, 7001, &BrevioSettings::antialiasingFilter, IDV_AAFILTER_STILL},
    {IDC_FRAMERANGE, 7002, &BrevioSettings::frameRange, IDV_FRAMES_CURRENT},
    {IDC_RENDERTARGET, 7003, &BrevioSettings::renderTarget, IDV_TARGET_EDITOR},
    {IDC_RESOLUTION, 7004, &BrevioSettings::resolutionScale, IDV_SCALE_1_1},
};

// In the order of the record.
inline constexpr OptionBinding kOptionBindings[] = {
    {IDC_MULTIPASS, 7005, &BrevioSettings::option10005, false},
    {IDC_SAVEIMAGE, 7006, &BrevioSettings::option10006, false},
    {IDC_ACTIVEOBJECTONLY, 7025, &BrevioSettings::option10007, false},
    {IDC_RENDERREGION, 7026, &BrevioSettings::option10012, true},
    {IDC_REGIONFROMIRR, 7027, &BrevioSettings::option10013, false},
    {IDC_TRANSPARENCY, 7007, &BrevioSettings::option10021, false},
    {IDC_REFLECTION, 7008, &BrevioSettings::option10014, false},
    {IDC_LIMITREFLECTION, 7009, &BrevioSettings::option10016, false},
    {IDC_SHADOW, 7010, &BrevioSettings::option10015, true},
    {IDC_LIMITSHADOW, 7024, &BrevioSettings::option10017, false},
    {IDC_BLURRINESS, 7011, &BrevioSettings::option10018, false},
    {IDC_TEXTURES, 7012, &BrevioSettings::option10020, true},
    {IDC_VOLUMETRIC, 7013, &BrevioSettings::option10022, false},
    {IDC_DISPLACEMENT, 7014, &BrevioSettings::option10019, false},
    {IDC_POSTEFFECTS, 7015, &BrevioSettings::option10023, true},
    {IDC_AMBIENTOCCLUSION, 7016, &BrevioSettings::option10024, false},
    {IDC_CAUSTICS, 7017, &BrevioSettings::option10025, false},
    {IDC_DEPTHOFFIELD, 7018, &BrevioSettings::option10026, false},
    {IDC_GLOBALILLUMINATION, 7019, &BrevioSettings::option10027, true},
    {IDC_GLOW, 7020, &BrevioSettings::option10028, false},
    {IDC_LENSEFFECTS, 7021, &BrevioSettings::option10030, false},
    {IDC_HAIR, 7022, &BrevioSettings::option10029, false},
    {IDC_MOTIONBLUR, 7023, &BrevioSettings::option10031, false},
};

// The order in which the check boxes are written and read.
inline constexpr Int32 kOptionGadgetOrder[] = {
    IDC_MULTIPASS,
    IDC_SAVEIMAGE,
    IDC_ACTIVEOBJECTONLY,
    IDC_RENDERREGION,
    IDC_REGIONFROMIRR,
    IDC_TRANSPARENCY,
    IDC_REFLECTION,
    IDC_LIMITREFLECTION,
    IDC_SHADOW,
    IDC_LIMITSHADOW,
    IDC_BLURRINESS,
    IDC_TEXTURES,
    IDC_VOLUMETRIC,
    IDC_DISPLACEMENT,
    IDC_POSTEFFECTS,
    IDC_GLOBALILLUMINATION,
    IDC_AMBIENTOCCLUSION,
    IDC_CAUSTICS,
    IDC_DEPTHOFFIELD,
    IDC_GLOW,
    IDC_HAIR,
    IDC_MOTIONBLUR,
    IDC_LENSEFFECTS,
};

inline const ChoiceBinding* FindChoiceBinding(Int32 gadget) {
  for (const ChoiceBinding& b : kChoiceBindings)
    if (b.gadget == gadget) return &b;
  return nullptr;
}

inline const OptionBinding* FindOptionBinding(Int32 gadget) {
  for (const OptionBinding& b : kOptionBindings)
    if (b.gadget == gadget) return &b;
  return nullptr;
}
