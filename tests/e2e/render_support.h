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

constexpr int32_t kBrevioId = 1027069;
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

// A script line that quotes a path.
inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

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
inline int32_t ReadInt(const json& settings, int32_t id, int32_t def) {
  auto it = settings.find(Key(id));
  return it != settings.end() && it->contains("int32") ? (*it)["int32"].get<int32_t>() : def;
}
inline double ReadFloat(const json& settings, int32_t id, double def) {
  auto it = settings.find(Key(id));
  return it != settings.end() && it->contains("float") ? (*it)["float"].get<double>() : def;
}

// Would the test render be refused for these render settings?
inline bool NotStandardRenderer(const json& settings) { return ReadInt(settings, 5300, 0) != 0; }

// What the render command must see of the render settings, from the
// document's settings before the click, the interactive render region open
// in the document (if any) and the choices.
inline json ExpectedRenderSettings(json s, const std::optional<std::array<int32_t, 4>>& region,
                                   const Choices& c) {
  if (!c.On(10012)) {
    SetBool(s, 7004, false);
  } else if (!c.On(10013)) {
    SetBool(s, 7004, true);
  } else if (region) {
    // The host's button takes the open region as the render region.
    for (int i = 0; i < 4; ++i) SetInt(s, 7005 + i, (*region)[i]);
    SetBool(s, 7004, true);
  }

  SetInt(s, 5002, c.antialiasing == 6000 ? 0 : c.antialiasing == 6001 ? 1 : 2);
  SetInt(s, 5070, c.antialiasingFilter == 6010 ? 0 : 1);
  if (c.frameRange == 6020) SetInt(s, 5016, 1);
  if (c.frameRange == 6021) SetInt(s, 5016, 3);
  if (c.frameRange == 6023) SetInt(s, 5016, 2);
  if (c.renderTarget == 6031 && c.resolutionScale > 6040) {
    double d = c.resolutionScale - 6040;
    double x = ReadFloat(s, 5008, 0.0), y = ReadFloat(s, 5009, 0.0);
    SetFloat(s, 5008, x / d);
    SetFloat(s, 5009, y / d);
  }
  if (!c.On(10006)) SetBool(s, 5076, false);
  if (!c.On(10005)) SetBool(s, 5202, false);
  if (c.On(10007)) SetBool(s, 5021, true);
  if (!c.On(10021)) SetBool(s, 6016, false);
  if (!c.On(10015)) SetBool(s, 6019, false);
  if (c.On(10015) && c.On(10017)) SetBool(s, 6021, true);
  if (!c.On(10020)) SetBool(s, 5064, false);
  if (!c.On(10022)) SetBool(s, 5052, false);
  if (!c.On(10019)) SetBool(s, 5604, false);
  if (!c.On(10014)) {
    SetBool(s, 6018, false);
    SetBool(s, 6017, false);
    SetBool(s, 6020, false);
  }
  if (c.On(10014) && c.On(10016)) SetBool(s, 6020, true);
  if (!c.On(10018)) SetBool(s, 5069, false);
  if (!c.On(10023)) SetBool(s, 5401, false);
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
