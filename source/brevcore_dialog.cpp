// brevcore_dialog.cpp - the dialog: layout and menus, gadgets and settings,
// the enabling rules, and the handling of every gadget and menu entry.
#include "brevcore.h"
#include "brevcore_bindings.h"

namespace {

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
  for (const ChoiceBinding& b : kChoiceBindings) FillComboBox(b.combo);
  FillComboBox(kUnboundCombo);

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
    SetInt32(b.gadget(), settings.*b.field, LIMIT<Int32>::MIN, LIMIT<Int32>::MAX, 1, 0);
  for (size_t i : kOptionGadgetOrder)
    SetBool(kOptionBindings[i].gadget, settings.*kOptionBindings[i].field);
}

void BrevioDialog::ReadGadgets() {
  for (const ChoiceBinding& b : kChoiceBindings) ReadGadget(b.gadget());
  for (size_t i : kOptionGadgetOrder) ReadGadget(kOptionBindings[i].gadget);
}

Bool BrevioDialog::ReadGadget(Int32 id) {
  // Read into a local and stored only when the read succeeded: the host may
  // write an undefined value on a failed read, and a gadget it cannot read
  // leaves its field as it was.
  if (const ChoiceBinding* choice = FindChoiceBinding(id)) {
    Int32 value = 0;
    if (GetInt32(id, value)) settings.*choice->field = value;
    return true;
  }
  if (const OptionBinding* option = FindOptionBinding(id)) {
    Bool value = false;
    if (GetBool(id, value)) settings.*option->field = value;
    return true;
  }
  return false;
}

void BrevioDialog::FillComboBox(const ComboBox& combo) {
  FreeChildren(combo.gadget);
  for (Int32 i = 0; i < combo.count; ++i)
    AddChild(combo.gadget, combo.items[i].id, String(combo.items[i].text));
}

void BrevioDialog::ApplyEnablingRules() {
  const BrevioSettings& s = settings;
  Enable(IDC_AAFILTER, s.antialiasing != IDV_AA_NONE);
  // A box enabled by another box follows that box's field.
  for (size_t i : kOptionGadgetOrder)
    if (const OptionBinding* by = FindOptionBinding(kOptionBindings[i].enabledBy))
      Enable(kOptionBindings[i].gadget, s.*by->field);
  // The editor view renders at full size and without a region, whatever
  // the region boxes say.
  const Bool pictureViewer = s.renderTarget != IDV_TARGET_EDITOR;
  Enable(IDC_RESOLUTION, pictureViewer);
  Enable(IDC_RENDERREGION, pictureViewer);
  Enable(IDC_REGIONFROMIRR, pictureViewer && s.option10012);
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
