// render_support.h - what the end-to-end test-render tests share: the
// settings record as the stored preferences give it, scenes written to
// files, sessions that click Render, and an independent model of what a test
// render must hand to the host's render command.
#pragma once

#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "session_helpers.h"

namespace brevio_test {

constexpr int32_t kRenderButton = 10032;
constexpr int32_t kEditorCommand = 12163;
constexpr int32_t kPictureViewerCommand = 12099;
constexpr int32_t kDisabledBit = 4;

inline const char* kNotStandardRenderer =
    "Brevio only works with the standard renderer in Cinema 4D.\n"
    "The current render engine is not the standard renderer; please change the engine and try "
    "again";

// The 23 check boxes and the preference id each is stored under.
inline const std::vector<std::pair<int32_t, int32_t>>& OptionPrefIds() {
  static const std::vector<std::pair<int32_t, int32_t>> ids = {
      {10005, 7005}, {10006, 7006}, {10021, 7007}, {10014, 7008}, {10016, 7009}, {10015, 7010},
      {10018, 7011}, {10020, 7012}, {10022, 7013}, {10019, 7014}, {10023, 7015}, {10024, 7016},
      {10025, 7017}, {10026, 7018}, {10027, 7019}, {10028, 7020}, {10030, 7021}, {10029, 7022},
      {10031, 7023}, {10017, 7024}, {10007, 7025}, {10012, 7026}, {10013, 7027}};
  return ids;
}

// The dialog's choices: five choice ids (stored as they are, in the list or
// not) and the 23 options by gadget id; factory defaults to begin with.
struct Choices {
  int32_t antialiasing = 6000;
  int32_t antialiasingFilter = 6010;
  int32_t frameRange = 6020;
  int32_t renderTarget = 6030;
  int32_t resolutionScale = 6041;
  std::map<int32_t, bool> options;

  Choices() {
    for (const auto& [gadget, pref] : OptionPrefIds()) options[gadget] = false;
    for (int32_t gadget : {10012, 10015, 10020, 10023, 10027}) options[gadget] = true;
  }
  bool On(int32_t gadget) const { return options.at(gadget); }
  Choices& Set(int32_t gadget, bool value) {
    options.at(gadget) = value;
    return *this;
  }

  // The stored preference container (typed form), all 28 keys.
  json Stored() const {
    json data = {{"7000", {{"int32", antialiasing}}},
                 {"7001", {{"int32", antialiasingFilter}}},
                 {"7002", {{"int32", frameRange}}},
                 {"7003", {{"int32", renderTarget}}},
                 {"7004", {{"int32", resolutionScale}}}};
    for (const auto& [gadget, pref] : OptionPrefIds())
      data[std::to_string(pref)] = {{"bool", options.at(gadget)}};
    return data;
  }
  std::string Describe() const {
    std::string s = "choices aa " + std::to_string(antialiasing) + " filter " +
                    std::to_string(antialiasingFilter) + " frames " + std::to_string(frameRange) +
                    " target " + std::to_string(renderTarget) + " scale " +
                    std::to_string(resolutionScale) + " on:";
    for (const auto& [gadget, on] : options)
      if (on) s += " " + std::to_string(gadget);
    return s;
  }
};

// Stores `choices` as the plug-in's saved settings in the host's preferences
// folder, so that the module loads them at start.
inline void StoreChoices(const simhost::Options& options, const Choices& choices) {
  fs::create_directories(options.prefsDir);
  json file = {{"format", "simhost world plug-in preferences 1"},
               {"plugins", {{std::to_string(kBrevioId), {{"data", choices.Stored()}}}}}};
  std::ofstream(fs::path(options.prefsDir) / "world_plugin_data.json") << file.dump(2);
}

// Writes a scene file into `dir`; answers its path.
inline std::string WriteScene(const TempDir& dir, const json& scene,
                              const std::string& name = "scene.json") {
  std::string path = dir / name;
  std::ofstream(path) << scene.dump(2);
  return path;
}

// The lines that open the dialog, show the document, then click Render
// `renders` times, showing the document after each.
inline std::string RenderScript(const std::string& scenePath, int renders = 1) {
  std::string s = scenePath.empty() ? "" : "document " + Quoted(scenePath) + "\n";
  s += "command 1027069\nshow renderdata\nshow effects\n";
  for (int i = 0; i < renders; ++i) s += "click 10032\nshow renderdata\nshow effects\n";
  return s;
}

// ---- typed settings (the host's container in its JSON form) ---------------

inline std::string Key(int32_t id) { return std::to_string(id); }

inline void SetBool(json& settings, int32_t id, bool v) { settings[Key(id)] = {{"bool", v}}; }
inline void SetInt(json& settings, int32_t id, int32_t v) { settings[Key(id)] = {{"int32", v}}; }
inline void SetFloat(json& settings, int32_t id, double v) { settings[Key(id)] = {{"float", v}}; }

// A read of the host's container: the default unless the id holds that type.
// A boolean is a 32-bit integer (0 or 1) to the host.
inline int32_t ReadInt(const json& settings, int32_t id, int32_t def) {
  auto it = settings.find(Key(id));
  if (it == settings.end()) return def;
  if (it->contains("int32")) return (*it)["int32"].get<int32_t>();
  if (it->contains("bool")) return (*it)["bool"].get<bool>() ? 1 : 0;
  return def;
}
inline double ReadFloat(const json& settings, int32_t id, double def) {
  auto it = settings.find(Key(id));
  return it != settings.end() && it->contains("float") ? (*it)["float"].get<double>() : def;
}

// Would the test render be refused for these render settings? The engine is
// read as a 32-bit integer.
inline bool NotStandardRenderer(const json& settings) { return ReadInt(settings, 5300, 0) != 0; }

// ---- the model: the override table as data ---------------------------------
//
// Each row says, for a state of the check boxes, which render setting takes
// which value; the rows are applied in order to the document's settings.
// The model reads the table as a user of the dialog would, not the way the
// plug-in's code is laid out, so that a misreading of either shows up as a
// disagreement.

// A check box in a given state.
struct Box {
  int32_t gadget;
  bool on;
};

// When every box of `when` is in its state, `id` is written with `value`.
struct OptionRow {
  int row;
  std::vector<Box> when;
  int32_t id;
  bool value;
};

inline const std::vector<OptionRow>& OptionRows() {
  static const std::vector<OptionRow> rows = {
      {1, {{10012, false}}, 7004, false},
      {1, {{10012, true}, {10013, false}}, 7004, true},
      {6, {{10006, false}}, 5076, false},
      {7, {{10005, false}}, 5202, false},
      {8, {{10007, true}}, 5021, true},
      {9, {{10021, false}}, 6016, false},
      {10, {{10015, false}}, 6019, false},
      {10, {{10015, true}, {10017, true}}, 6021, true},
      {11, {{10020, false}}, 5064, false},
      {12, {{10022, false}}, 5052, false},
      {13, {{10019, false}}, 5604, false},
      {14, {{10014, false}}, 6018, false},
      {14, {{10014, false}}, 6017, false},
      {14, {{10014, false}}, 6020, false},
      {14, {{10014, true}, {10016, true}}, 6020, true},
      {15, {{10018, false}}, 5069, false},
      {16, {{10023, false}}, 5401, false},
  };
  return rows;
}

// A choice field mapped to an integer setting: listed ids take their value,
// any other id takes `other` (absent: the setting is left).
struct ChoiceRow {
  int row;
  int32_t Choices::*field;
  int32_t id;
  std::map<int32_t, int32_t> values;
  std::optional<int32_t> other;
};

inline const std::vector<ChoiceRow>& ChoiceRows() {
  static const std::vector<ChoiceRow> rows = {
      {2, &Choices::antialiasing, 5002, {{6000, 0}, {6001, 1}}, 2},
      {3, &Choices::antialiasingFilter, 5070, {{6010, 0}}, 1},
      {4, &Choices::frameRange, 5016, {{6020, 1}, {6021, 3}, {6023, 2}}, std::nullopt},
  };
  return rows;
}

// The picture viewer renders at a fraction of the resolution: scale id 6040
// + d divides both sides by d; the editor always renders at full size.
constexpr int32_t kScaleBase = 6040;

// What the render command must see of the render settings, from the
// document's settings before the click, the interactive render region open
// in the document (if any) and the choices.
inline json ExpectedRenderSettings(json s, const std::optional<std::array<int32_t, 4>>& region,
                                   const Choices& c) {
  auto holds = [&](const std::vector<Box>& when) {
    for (const Box& b : when)
      if (c.On(b.gadget) != b.on) return false;
    return true;
  };
  // Both region boxes on: the host's button takes the open region (if any).
  if (c.On(10012) && c.On(10013) && region) {
    for (int i = 0; i < 4; ++i) SetInt(s, 7005 + i, (*region)[i]);
    SetBool(s, 7004, true);
  }
  for (const ChoiceRow& row : ChoiceRows()) {
    auto it = row.values.find(c.*row.field);
    if (it != row.values.end())
      SetInt(s, row.id, it->second);
    else if (row.other)
      SetInt(s, row.id, *row.other);
  }
  if (c.renderTarget == 6031 && c.resolutionScale > kScaleBase) {
    const double d = c.resolutionScale - kScaleBase;
    SetFloat(s, 5008, ReadFloat(s, 5008, 0.0) / d);
    SetFloat(s, 5009, ReadFloat(s, 5009, 0.0) / d);
  }
  for (const OptionRow& row : OptionRows())
    if (holds(row.when)) SetBool(s, row.id, row.value);
  return s;
}

// Effect type and the option that keeps it, in the order they are handled.
inline const std::vector<std::pair<int32_t, int32_t>>& EffectKeepOptions() {
  static const std::vector<std::pair<int32_t, int32_t>> rows = {
      {1021096, 10027}, {300001045, 10024}, {1000970, 10025}, {1001400, 10026},
      {1001401, 10028}, {1001402, 10028},   {1001007, 10028}, {1017325, 10029},
      {1001010, 10031}, {1002008, 10031},   {1001049, 10030}};
  return rows;
}

// The effects as the render must see them ([{type, enabled, bits}] before
// the click): the first effect of each type not kept is off.
inline json ExpectedRenderEffects(json effects, const Choices& c) {
  if (!c.On(10023)) return effects;
  for (const auto& [type, keep] : EffectKeepOptions()) {
    if (c.On(keep)) continue;
    for (auto& e : effects) {
      if (e["type"] != type) continue;
      e["bits"] = e["bits"].get<int32_t>() | kDisabledBit;
      e["enabled"] = false;
      break;
    }
  }
  return effects;
}

// The restore invariant for render settings: every entry present before the
// click is back unchanged. The restore merges the backup over the live
// settings, so an entry the document lacked keeps what the render saw.
inline void ExpectRestored(const json& before, const json& after, const json& rendered) {
  for (const auto& [key, value] : before.items()) {
    ASSERT_TRUE(after.contains(key)) << "entry " << key << " lost";
    EXPECT_EQ(after[key], value) << "entry " << key << " not restored";
  }
  for (const auto& [key, value] : after.items()) {
    if (before.contains(key)) continue;
    EXPECT_EQ(value, rendered.value(key, json())) << "entry " << key << " appeared";
  }
}

// The events of one session that tests of the test render look at.
struct RenderRun {
  Session session;
  std::vector<json> settings;  // every `show renderdata`, in order
  std::vector<json> effects;   // every `show effects`, in order
  std::vector<json> renders;   // every render event
  std::vector<json> boxes;     // every message box

  explicit RenderRun(Session s) : session(std::move(s)) {
    for (const auto& e : session.Events("renderdata")) settings.push_back(e["settings"]);
    for (const auto& e : session.Events("effects")) effects.push_back(e["effects"]);
    renders = session.Events("render");
    boxes = session.Events("messagebox");
  }
};

// One session: `choices` stored, the scene loaded, Render clicked `renders`
// times with the document shown before and after each.
inline RenderRun RunRender(const TempDir& dir, const json& scene, const Choices& choices,
                           int renders = 1) {
  simhost::Options options = HostOptions(dir);
  StoreChoices(options, choices);
  return RenderRun(RunHost(options, RenderScript(WriteScene(dir, scene), renders)));
}

// The default render settings with some entries replaced, as a scene.
inline json SceneWith(const json& settings, const json& effects = json::array(),
                      std::optional<std::array<int32_t, 4>> region = std::nullopt) {
  json scene = {{"render_settings", settings}, {"post_effects", effects}};
  if (region) scene["interactive_render_region"] = *region;
  return scene;
}

// Render settings holding every entry the test render touches.
inline json FullSettings() {
  json s = json::object();
  for (int32_t id : {5052, 5064, 5069, 5076, 5202, 5401, 5604, 6016, 6017, 6018, 6019})
    SetBool(s, id, true);
  for (int32_t id : {5021, 6020, 6021, 7004}) SetBool(s, id, false);
  SetInt(s, 5002, 1);
  SetInt(s, 5016, 0);
  SetInt(s, 5070, 0);
  SetInt(s, 5300, 0);
  SetFloat(s, 5008, 1920.0);
  SetFloat(s, 5009, 1080.0);
  for (int i = 0; i < 4; ++i) SetInt(s, 7005 + i, i * 10);
  return s;
}

}  // namespace brevio_test
