// brevcore_bindings.h - one table per kind of setting: which gadget shows
// which settings field, under which preference id, with which factory
// default, where it comes in the gadget order and which switch enables it.
// Every list of gadgets elsewhere is derived from these two tables.
#pragma once

#include <array>
#include <cstddef>

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
  // Place of the check box in the order the gadgets are written and read
  // (after the combo boxes).
  Int32 gadgetOrder;
  // A post-effect keep switch: enabled only while post effects are kept.
  Bool keepsPostEffect;
};

// In the order of the record, which is also the order the combo boxes are
// written and read.
inline constexpr ChoiceBinding kChoiceBindings[] = {
    {IDC_ANTIALIASING, 7000, &BrevioSettings::antialiasing, IDV_AA_NONE},
    {IDC_AAFILTER, 7001, &BrevioSettings::antialiasingFilter, IDV_AAFILTER_STILL},
    {IDC_FRAMERANGE, 7002, &BrevioSettings::frameRange, IDV_FRAMES_CURRENT},
    {IDC_RENDERTARGET, 7003, &BrevioSettings::renderTarget, IDV_TARGET_EDITOR},
    {IDC_RESOLUTION, 7004, &BrevioSettings::resolutionScale, IDV_SCALE_1_1},
};

// In the order of the record (the order they are stored in).
inline constexpr OptionBinding kOptionBindings[] = {
    {IDC_MULTIPASS, 7005, &BrevioSettings::option10005, false, 0, false},
    {IDC_SAVEIMAGE, 7006, &BrevioSettings::option10006, false, 1, false},
    {IDC_ACTIVEOBJECTONLY, 7025, &BrevioSettings::option10007, false, 2, false},
    {IDC_RENDERREGION, 7026, &BrevioSettings::option10012, true, 3, false},
    {IDC_REGIONFROMIRR, 7027, &BrevioSettings::option10013, false, 4, false},
    {IDC_TRANSPARENCY, 7007, &BrevioSettings::option10021, false, 5, false},
    {IDC_REFLECTION, 7008, &BrevioSettings::option10014, false, 6, false},
    {IDC_LIMITREFLECTION, 7009, &BrevioSettings::option10016, false, 7, false},
    {IDC_SHADOW, 7010, &BrevioSettings::option10015, true, 8, false},
    {IDC_LIMITSHADOW, 7024, &BrevioSettings::option10017, false, 9, false},
    {IDC_BLURRINESS, 7011, &BrevioSettings::option10018, false, 10, false},
    {IDC_TEXTURES, 7012, &BrevioSettings::option10020, true, 11, false},
    {IDC_VOLUMETRIC, 7013, &BrevioSettings::option10022, false, 12, false},
    {IDC_DISPLACEMENT, 7014, &BrevioSettings::option10019, false, 13, false},
    {IDC_POSTEFFECTS, 7015, &BrevioSettings::option10023, true, 14, false},
    {IDC_AMBIENTOCCLUSION, 7016, &BrevioSettings::option10024, false, 16, true},
    {IDC_CAUSTICS, 7017, &BrevioSettings::option10025, false, 17, true},
    {IDC_DEPTHOFFIELD, 7018, &BrevioSettings::option10026, false, 18, true},
    {IDC_GLOBALILLUMINATION, 7019, &BrevioSettings::option10027, true, 15, true},
    {IDC_GLOW, 7020, &BrevioSettings::option10028, false, 19, true},
    {IDC_LENSEFFECTS, 7021, &BrevioSettings::option10030, false, 22, true},
    {IDC_HAIR, 7022, &BrevioSettings::option10029, false, 20, true},
    {IDC_MOTIONBLUR, 7023, &BrevioSettings::option10031, false, 21, true},
};

inline constexpr size_t kOptionCount = sizeof(kOptionBindings) / sizeof(kOptionBindings[0]);

// The check boxes in the order they are written and read, as places in
// kOptionBindings, derived from the table's gadgetOrder column.
inline constexpr std::array<size_t, kOptionCount> kOptionGadgetOrder = [] {
  std::array<size_t, kOptionCount> order{};
  for (size_t& place : order) place = kOptionCount;
  for (size_t i = 0; i < kOptionCount; ++i)
    order[static_cast<size_t>(kOptionBindings[i].gadgetOrder)] = i;
  return order;
}();

// Every place in the gadget order is taken exactly once.
static_assert([] {
  for (size_t i : kOptionGadgetOrder)
    if (i >= kOptionCount) return false;
  return true;
}());

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
