// brevcore.h - Brevio's command, its dialog, the settings record and the
// test render.
#pragma once

#include "c4d.h"
#include "c4d_symbols.h"

using namespace cinema;

// The one id Brevio registers: the command, its dialog and its preferences.
constexpr Int32 BREVIO_PLUGIN_ID = 1027069;

// The dialog's own menu entries.
constexpr Int32 IDM_RESET_SETTINGS = 5050;
constexpr Int32 IDM_SAVE_SETTINGS = 5055;
constexpr Int32 IDM_ABOUT = 5100;
constexpr Int32 IDM_SHOW_HELP = 5110;

// Combo-box item ids. A choice field stores the chosen item's id itself.
constexpr Int32 IDV_AA_NONE = 6000;
constexpr Int32 IDV_AA_GEOMETRY = 6001;
constexpr Int32 IDV_AA_BEST = 6002;
constexpr Int32 IDV_AAFILTER_STILL = 6010;
constexpr Int32 IDV_AAFILTER_ANIMATION = 6011;
constexpr Int32 IDV_FRAMES_CURRENT = 6020;
constexpr Int32 IDV_FRAMES_PREVIEW = 6021;
constexpr Int32 IDV_FRAMES_ALL = 6023;
constexpr Int32 IDV_TARGET_EDITOR = 6030;
constexpr Int32 IDV_TARGET_PICTUREVIEWER = 6031;
// Resolution items are this base plus the divisor.
constexpr Int32 IDV_SCALE_BASE = 6040;
constexpr Int32 IDV_SCALE_1_1 = 6041;
constexpr Int32 IDV_SCALE_1_2 = 6042;
constexpr Int32 IDV_SCALE_1_3 = 6043;
constexpr Int32 IDV_SCALE_1_4 = 6044;
constexpr Int32 IDV_SCALE_1_8 = 6048;
constexpr Int32 IDV_SCALE_1_16 = 6056;
constexpr Int32 IDV_QUALITY_LOW_NOFILTER = 6070;
constexpr Int32 IDV_QUALITY_LOW = 6073;
constexpr Int32 IDV_QUALITY_NOCHANGE = 6075;

// Host render commands: render in the editor view, render to the Picture Viewer.
constexpr Int32 CMD_RENDER_VIEW = 12163;
constexpr Int32 CMD_RENDER_PICTUREVIEWER = 12099;

// Every choice of the dialog. Options are named after the check box that
// shows them.
struct BrevioSettings {
  Int32 antialiasing;
  Int32 antialiasingFilter;
  Int32 frameRange;
  Int32 renderTarget;
  Int32 resolutionScale;
  Bool option10005;
  Bool option10006;
  Bool option10007;
  Bool option10012;
  Bool option10013;
  Bool option10021;
  Bool option10014;
  Bool option10016;
  Bool option10015;
  Bool option10017;
  Bool option10018;
  Bool option10020;
  Bool option10022;
  Bool option10019;
  Bool option10023;
  Bool option10024;
  Bool option10025;
  Bool option10026;
  Bool option10027;
  Bool option10028;
  Bool option10030;
  Bool option10029;
  Bool option10031;

  // The values of a first run: the first item of every list, and options
  // 10012, 10015, 10020, 10023 and 10027 ticked.
  static BrevioSettings FactoryDefaults();
};

// A combo box and its items (brevcore_bindings.h).
struct ComboBox;

class BrevioDialog : public GeDialog {
 public:
  BrevioSettings settings{};
  // Which post effects the latest test render switched off itself, by type.
  Bool suppressed300001045 = false;
  Bool suppressed1000970 = false;
  Bool suppressed1001400 = false;
  Bool suppressed1021096 = false;
  Bool suppressed1001401 = false;
  Bool suppressed1001007 = false;
  Bool suppressed1001402 = false;
  Bool suppressed1017325 = false;
  Bool suppressed1001010 = false;
  Bool suppressed1002008 = false;
  Bool suppressed1001049 = false;

  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool Command(Int32 id, const BaseContainer& msg) override;

  // Settings: from and to the host's plug-in preferences.
  Bool LoadSettings();
  void SetDefaultSettings();
  Bool SaveSettings();

  // Gadgets and settings.
  void ReadGadgets();
  void WriteGadgets();
  void ApplyEnablingRules();

  // One test render of `doc` with the settings laid over its render settings.
  Bool TestRender(BaseDocument* doc);

 private:
  // Reads one gadget into its field; answers whether the gadget has one.
  Bool ReadGadget(Int32 id);
  // Replaces the items of a combo box.
  void FillComboBox(const ComboBox& combo);
  void ApplyOverrides(BaseDocument* doc, RenderData* rd, BaseContainer& working);
  void SendParameterAction(BaseDocument* doc, RenderData* rd);
  void SuppressPostEffects(RenderData* rd);
  void RestorePostEffects(RenderData* rd);
  void OpenHelpFile();
};

// The first post effect of `type` in the render settings, or none.
BaseVideoPost* FindPostEffect(RenderData* rd, Int32 type);

class BrevioCommand : public CommandData {
 public:
  BrevioDialog dialog;

  Bool Execute(BaseDocument* doc, GeDialog* parentManager) override;
  Int32 GetState(BaseDocument* doc, GeDialog* parentManager) override;
  Bool RestoreLayout(void* secret) override;
};

// Registers the Brevio command with the host.
Bool RegisterBrevio();

// Writes one line to the host console through its default logger, with the
// source file and line as metadata; dropped when the host has no logger.
void WriteConsoleLine(const maxon::String& text, const Char* file, Int32 line);

// The source name that console lines of this file group carry.
#define BREVCORE_SOURCE "brevcore"
