// brevcore_dialog.cpp - the dialog: layout and menus, gadgets and settings,
// the enabling rules, and the handling of every gadget and menu entry.
#include "brevcore.h"
#include "brevcore_bindings.h"

namespace {

struct ComboItem {
  Int32 id;
  const Char* text;
};

constexpr ComboItem kAntialiasingItems[] = {
    {IDV_AA_NONE, "None"}, {IDV_AA_GEOMETRY, "Geometry"}, {IDV_AA_BEST, "Best"}};
constexpr ComboItem kFilterItems[] = {{IDV_AAFILTER_STILL, "Still"},
                                      {IDV_AAFILTER_ANIMATION, "Animation"}};
constexpr ComboItem kFrameItems[] = {{IDV_FRAMES_CURRENT, "Current frame"},
                                     {IDV_FRAMES_PREVIEW, "Preview range"},
                                     {IDV_FRAMES_ALL, "All"}};
constexpr ComboItem kTargetItems[] = {{IDV_TARGET_EDITOR, "Editor"},
                                      {IDV_TARGET_PICTUREVIEWER, "Picture Viewer"}};
constexpr ComboItem kScaleItems[] = {{IDV_SCALE_1_1, "1:1"}, {IDV_SCALE_1_2, "1:2"},
                                     {IDV_SCALE_1_3, "1:3"}, {IDV_SCALE_1_4, "1:4"},
                                     {IDV_SCALE_1_8, "1:8"}, {IDV_SCALE_1_16, "1:16"}};
constexpr ComboItem kQualityItems[] = {{IDV_QUALITY_LOW_NOFILTER, "Low - no filter"},
                                       {IDV_QUALITY_LOW, "Low"},
                                       {IDV_QUALITY_NOCHANGE, "No change"}};

struct ComboBox {
  Int32 gadget;
  const ComboItem* items;
  Int32 count;
};

template <size_t N>
constexpr ComboBox Combo(Int32 gadget, const ComboItem (&items)[N]) {
  return {gadget, items, static_cast<Int32>(N)};
}

// In the order the combo boxes are filled.
constexpr ComboBox kComboBoxes[] = {
    Combo(IDC_ANTIALIASING, kAntialiasingItems), Combo(IDC_AAFILTER, kFilterItems),
    Combo(IDC_FRAMERANGE, kFrameItems),          Combo(IDC_RENDERTARGET, kTargetItems),
    Combo(IDC_RESOLUTION, kScaleItems),          Combo(IDC_QUALITYPRESET, kQualityItems),
};

// The gadgets whose fields the enabling rules read.
Bool RulesDependOn(Int32 gadget) {
  switch (gadget) {
    case IDC_RENDERTARGET:
    case IDC_ANTIALIASING:
    case IDC_RENDERREGION:
    case IDC_REFLECTION:
    case IDC_SHADOW:
    case IDC_POSTEFFECTS:
      return true;
    default:
      return false;
  }
}

const Char* const kAboutText =
    "Brevio v1.21 for Cinema 4D 2026\n"
    "Copyright (c) Talvern Software. All rights reserved.\n"
    "The latest version is available from www.talvernsoftware.com";

}  // namespace

Bool BrevioDialog::CreateLayout() {
  // A resource object of the dialog's own, from the plug-in folder: the
  // module-wide one may not hold the dialog description.
  GeResource dialogResource;
  const Filename pluginFolder = GeGetPluginPath();
  dialogResource.Init(pluginFolder);
  WriteConsoleLine(pluginFolder.GetString(), BREVCORE_SOURCE, __LINE__);

  const Bool loaded = LoadDialogResource(DLG_BREVIO, &dialogResource, 0);

  // Items are removed first, so a combo box never holds an item twice however
  // often the window is built.
  for (const ComboBox& combo : kComboBoxes) {
    FreeChildren(combo.gadget);
    for (Int32 i = 0; i < combo.count; ++i)
      AddChild(combo.gadget, combo.items[i].id, String(combo.items[i].text));
  }

  // A sub-menu that could not be opened gets no entries and no end.
  MenuFlushAll();
  if (MenuSubBegin("File"_s)) {
    MenuAddString(IDM_SAVE_SETTINGS, "Save Settings"_s);
    MenuAddString(IDM_RESET_SETTINGS, "Reset settings"_s);
    MenuAddSeparator();
    MenuAddCommand(IDM_CM_CLOSEWINDOW);
    MenuSubEnd();
  }
  if (MenuSubBegin("Help"_s)) {
    MenuAddString(IDM_ABOUT, "About Brevio..."_s);
    MenuAddString(IDM_SHOW_HELP, "Show Help File (.PDF)..."_s);
    MenuSubEnd();
  }
  MenuFinished();

  if (!loaded)
    WriteConsoleLine("Brevio: could not load the resource file."_s, BREVCORE_SOURCE, __LINE__);
  return loaded;
}

Bool BrevioDialog::InitValues() {
  WriteGadgets();
  ApplyEnablingRules();
  return true;
}

void BrevioDialog::WriteGadgets() {
  for (const ChoiceBinding& b : kChoiceBindings)
    SetInt32(b.gadget, settings.*b.field, LIMIT<Int32>::MIN, LIMIT<Int32>::MAX, 1, 0);
  for (size_t i : kOptionGadgetOrder)
    SetBool(kOptionBindings[i].gadget, settings.*kOptionBindings[i].field);
}

void BrevioDialog::ReadGadgets() {
  for (const ChoiceBinding& b : kChoiceBindings) ReadGadget(b.gadget);
  for (size_t i : kOptionGadgetOrder) ReadGadget(kOptionBindings[i].gadget);
}

Bool BrevioDialog::ReadGadget(Int32 id) {
  // A gadget the host cannot read leaves its field as it was.
  if (const ChoiceBinding* choice = FindChoiceBinding(id)) {
    GetInt32(id, settings.*choice->field);
    return true;
  }
  if (const OptionBinding* option = FindOptionBinding(id)) {
    GetBool(id, settings.*option->field);
    return true;
  }
  return false;
}

void BrevioDialog::ApplyEnablingRules() {
  const BrevioSettings& s = settings;
  Enable(IDC_AAFILTER, s.antialiasing != IDV_AA_NONE);
  Enable(IDC_LIMITREFLECTION, s.option10014);
  Enable(IDC_REGIONFROMIRR, s.option10012);
  if (s.renderTarget == IDV_TARGET_EDITOR) {
    Enable(IDC_RESOLUTION, false);
    Enable(IDC_RENDERREGION, false);
    Enable(IDC_REGIONFROMIRR, false);
  } else {
    Enable(IDC_RESOLUTION, true);
    Enable(IDC_RENDERREGION, true);
    if (s.option10012) Enable(IDC_REGIONFROMIRR, true);
  }
  Enable(IDC_LIMITSHADOW, s.option10015);
  for (size_t i : kOptionGadgetOrder)
    if (kOptionBindings[i].keepsPostEffect) Enable(kOptionBindings[i].gadget, s.option10023);
}

Bool BrevioDialog::Command(Int32 id, const BaseContainer&) {
  BaseDocument* doc = GetActiveDocument();
  if (doc == nullptr) return false;

  switch (id) {
    case IDM_RESET_SETTINGS:
      if (!LoadSettings()) SetDefaultSettings();
      WriteGadgets();
      ApplyEnablingRules();
      break;
    case IDM_SAVE_SETTINGS:
      SaveSettings();
      break;
    case IDM_ABOUT:
      GeOutString(String(kAboutText), GEMB::OK | GEMB::ICONEXCLAMATION);
      break;
    case IDM_SHOW_HELP:
      OpenHelpFile();
      break;
    case IDC_RENDER:
      TestRender(doc);
      break;
    case IDC_CLOSE:
      Close();
      break;
    default:
      if (ReadGadget(id) && RulesDependOn(id)) ApplyEnablingRules();
      break;
  }
  return true;
}

void BrevioDialog::OpenHelpFile() {
  // A missing or unopenable document is not reported.
  GeExecuteFile(GeGetPluginPath() + "Brevio.pdf");
}
