// brevcore_bindings.h - one table per kind of setting: which gadget shows
// which settings field (with its items, for a combo box), under which
// preference id, with which factory default, where it comes in the gadget
// order, which gadget enables it, and what an unticked box switches off in
// the test render. Every list of gadgets and post effects elsewhere is
// derived from these two tables.
#pragma once

#include <array>
#include <cstddef>

#include "brevcore.h"
#include "lib_hair.h"

// One item of a combo box: its value id and its text.
struct ComboItem {
  Int32 id;
  const Char* text;
};

inline constexpr ComboItem kAntialiasingItems[] = {
    {IDV_AA_NONE, "None"}, {IDV_AA_GEOMETRY, "Geometry"}, {IDV_AA_BEST, "Best"}};
inline constexpr ComboItem kFilterItems[] = {{IDV_AAFILTER_STILL, "Still"},
                                             {IDV_AAFILTER_ANIMATION, "Animation"}};
inline constexpr ComboItem kFrameItems[] = {{IDV_FRAMES_CURRENT, "Current frame"},
                                            {IDV_FRAMES_PREVIEW, "Preview range"},
                                            {IDV_FRAMES_ALL, "All"}};
inline constexpr ComboItem kTargetItems[] = {{IDV_TARGET_EDITOR, "Editor"},
                                             {IDV_TARGET_PICTUREVIEWER, "Picture Viewer"}};
inline constexpr ComboItem kScaleItems[] = {{IDV_SCALE_1_1, "1:1"}, {IDV_SCALE_1_2, "1:2"},
                                            {IDV_SCALE_1_3, "1:3"}, {IDV_SCALE_1_4, "1:4"},
                                            {IDV_SCALE_1_8, "1:8"}, {IDV_SCALE_1_16, "1:16"}};
inline constexpr ComboItem kQualityItems[] = {{IDV_QUALITY_LOW_NOFILTER, "Low - no filter"},
                                              {IDV_QUALITY_LOW, "Low"},
                                              {IDV_QUALITY_NOCHANGE, "No change"}};

// A combo box and its items.
struct ComboBox {
  Int32 gadget;
  const ComboItem* items;
  Int32 count;
};

template <size_t N>
constexpr ComboBox Combo(Int32 gadget, const ComboItem (&items)[N]) {
  return {gadget, items, static_cast<Int32>(N)};
}

// No gadget: a gadget that no switch enables, an option that switches no
// render setting off.
inline constexpr Int32 kNone = 0;

struct ChoiceBinding {
  ComboBox combo;
  Int32 prefId;
  Int32 BrevioSettings::*field;
  Int32 preset;
  // The gadget whose field decides whether this one is enabled.
  Int32 enabledBy;
  Int32 gadget() const { return combo.gadget; }
};

// A post effect an option keeps, and the dialog's flag that remembers that
// a test render switched it off.
struct KeptEffect {
  Int32 type;
  Bool BrevioDialog::*suppressed;
};

struct OptionBinding {
  Int32 gadget;
  Int32 prefId;
  Bool BrevioSettings::*field;
  Bool preset;
  // Place of the check box in the order the gadgets are written and read
  // (after the combo boxes); the post effects are handled in this order too.
  Int32 gadgetOrder;
  // The gadget whose field decides whether this one is enabled.
  Int32 enabledBy;
  // The render setting the test render switches off while the box is
  // unticked (kNone: the option steers the render some other way).
  Int32 switchesOff;
  // The post effects the option keeps; while it is unticked the test render
  // switches them off.
  KeptEffect keeps[3];
};

// In the order of the record, which is also the order the combo boxes are
// filled, written and read.
inline constexpr ChoiceBinding kChoiceBindings[] = {
    {Combo(IDC_ANTIALIASING, kAntialiasingItems), 7000, &BrevioSettings::antialiasing, IDV_AA_NONE,
     kNone},
    {Combo(IDC_AAFILTER, kFilterItems), 7001, &BrevioSettings::antialiasingFilter,
     IDV_AAFILTER_STILL, IDC_ANTIALIASING},
    {Combo(IDC_FRAMERANGE, kFrameItems), 7002, &BrevioSettings::frameRange, IDV_FRAMES_CURRENT,
     kNone},
    {Combo(IDC_RENDERTARGET, kTargetItems), 7003, &BrevioSettings::renderTarget, IDV_TARGET_EDITOR,
     kNone},
    {Combo(IDC_RESOLUTION, kScaleItems), 7004, &BrevioSettings::resolutionScale, IDV_SCALE_1_1,
     IDC_RENDERTARGET},
};

// The sixth combo box has no field: it is filled after the others and never
// read.
inline constexpr ComboBox kUnboundCombo = Combo(IDC_QUALITYPRESET, kQualityItems);

// In the order of the record (the order they are stored in).
inline constexpr OptionBinding kOptionBindings[] = {
    {IDC_MULTIPASS,
     7005,
     &BrevioSettings::option10005,
     false,
     0,
     kNone,
     RDATA_MULTIPASS_ENABLE,
     {}},
    {IDC_SAVEIMAGE, 7006, &BrevioSettings::option10006, false, 1, kNone, RDATA_SAVEIMAGE, {}},
    {IDC_ACTIVEOBJECTONLY, 7025, &BrevioSettings::option10007, false, 2, kNone, kNone, {}},
    {IDC_RENDERREGION, 7026, &BrevioSettings::option10012, true, 3, IDC_RENDERTARGET, kNone, {}},
    {IDC_REGIONFROMIRR, 7027, &BrevioSettings::option10013, false, 4, IDC_RENDERREGION, kNone, {}},
    {IDC_TRANSPARENCY,
     7007,
     &BrevioSettings::option10021,
     false,
     5,
     kNone,
     RDATA_OPTION_TRANSPARENCY,
     {}},
    {IDC_REFLECTION, 7008, &BrevioSettings::option10014, false, 6, kNone, kNone, {}},
    {IDC_LIMITREFLECTION, 7009, &BrevioSettings::option10016, false, 7, IDC_REFLECTION, kNone, {}},
    {IDC_SHADOW, 7010, &BrevioSettings::option10015, true, 8, kNone, kNone, {}},
    {IDC_LIMITSHADOW, 7024, &BrevioSettings::option10017, false, 9, IDC_SHADOW, kNone, {}},
    {IDC_BLURRINESS, 7011, &BrevioSettings::option10018, false, 10, kNone, RDATA_ENABLEBLURRY, {}},
    {IDC_TEXTURES, 7012, &BrevioSettings::option10020, true, 11, kNone, RDATA_TEXTURES, {}},
    {IDC_VOLUMETRIC,
     7013,
     &BrevioSettings::option10022,
     false,
     12,
     kNone,
     RDATA_VOLUMETRICLIGHTING,
     {}},
    {IDC_DISPLACEMENT, 7014, &BrevioSettings::option10019, false, 13, kNone, RDATA_ENABLESPD, {}},
    {IDC_POSTEFFECTS,
     7015,
     &BrevioSettings::option10023,
     true,
     14,
     kNone,
     RDATA_POSTEFFECTS_ENABLE,
     {}},
    {IDC_AMBIENTOCCLUSION,
     7016,
     &BrevioSettings::option10024,
     false,
     16,
     IDC_POSTEFFECTS,
     kNone,
     {{VPambientocclusion, &BrevioDialog::suppressed300001045}}},
    {IDC_CAUSTICS,
     7017,
     &BrevioSettings::option10025,
     false,
     17,
     IDC_POSTEFFECTS,
     kNone,
     {{ID_OLDCAUSTICS, &BrevioDialog::suppressed1000970}}},
    {IDC_DEPTHOFFIELD,
     7018,
     &BrevioSettings::option10026,
     false,
     18,
     IDC_POSTEFFECTS,
     kNone,
     {{VPopticsuite_depthoffield, &BrevioDialog::suppressed1001400}}},
    {IDC_GLOBALILLUMINATION,
     7019,
     &BrevioSettings::option10027,
     true,
     15,
     IDC_POSTEFFECTS,
     kNone,
     {{VPglobalillumination, &BrevioDialog::suppressed1021096}}},
    {IDC_GLOW,
     7020,
     &BrevioSettings::option10028,
     false,
     19,
     IDC_POSTEFFECTS,
     kNone,
     {{VPopticsuite_glow, &BrevioDialog::suppressed1001401},
      {VPopticsuite_highlights, &BrevioDialog::suppressed1001402},
      {VPobjectglow, &BrevioDialog::suppressed1001007}}},
    {IDC_LENSEFFECTS,
     7021,
     &BrevioSettings::option10030,
     false,
     22,
     IDC_POSTEFFECTS,
     kNone,
     {{VPlenseffects, &BrevioDialog::suppressed1001049}}},
    {IDC_HAIR,
     7022,
     &BrevioSettings::option10029,
     false,
     20,
     IDC_POSTEFFECTS,
     kNone,
     {{VPhair, &BrevioDialog::suppressed1017325}}},
    {IDC_MOTIONBLUR,
     7023,
     &BrevioSettings::option10031,
     false,
     21,
     IDC_POSTEFFECTS,
     kNone,
     {{VPscenemotionblur, &BrevioDialog::suppressed1001010},
      {VPvectormotionblur, &BrevioDialog::suppressed1002008}}},
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
    if (b.gadget() == gadget) return &b;
  return nullptr;
}

inline const OptionBinding* FindOptionBinding(Int32 gadget) {
  for (const OptionBinding& b : kOptionBindings)
    if (b.gadget == gadget) return &b;
  return nullptr;
}

// One post effect the test render may switch off: its type, the option that
// keeps it, and the flag that remembers that this render switched it off.
struct PostEffectRule {
  Int32 type;
  Bool BrevioSettings::*keep;
  Bool BrevioDialog::*suppressed;
};

inline constexpr size_t kPostEffectCount = [] {
  size_t n = 0;
  for (const OptionBinding& b : kOptionBindings)
    for (const KeptEffect& e : b.keeps) n += e.type != kNone ? 1 : 0;
  return n;
}();

// Every kept effect, in the order the check boxes are read: the order in
// which the effects are switched off and back on.
inline constexpr std::array<PostEffectRule, kPostEffectCount> kPostEffectRules = [] {
  std::array<PostEffectRule, kPostEffectCount> rules{};
  size_t n = 0;
  for (size_t i : kOptionGadgetOrder)
    for (const KeptEffect& e : kOptionBindings[i].keeps)
      if (e.type != kNone) rules[n++] = {e.type, kOptionBindings[i].field, e.suppressed};
  return rules;
}();

// Does the field of `gadget` decide whether another gadget is enabled?
inline constexpr Bool RulesDependOn(Int32 gadget) {
  if (gadget == kNone) return false;
  for (const ChoiceBinding& b : kChoiceBindings)
    if (b.enabledBy == gadget) return true;
  for (const OptionBinding& b : kOptionBindings)
    if (b.enabledBy == gadget) return true;
  return false;
}
