// scene.cpp - scene files: parsing, checking, the built-in default scene.
#include "document/scene.h"

#include "c4d_host_numbers.h"

#include "core/json_read.h"
#include "document/host_names.h"
#include "platform/platform.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace simhost {

namespace {

using nlohmann::json;

std::string Shown(const json& j) { return ShownJson(j); }

bool ReadInt32(const json& j, const std::string& where, int32_t& out, std::string& error) {
  if (!j.is_number_integer()) {
    error = where + ": expected an integer, got " + Shown(j);
    return false;
  }
  if (j.is_number_unsigned() ? j.get<uint64_t>() > uint64_t(std::numeric_limits<int32_t>::max())
                             : (j.get<int64_t>() < std::numeric_limits<int32_t>::min() ||
                                j.get<int64_t>() > std::numeric_limits<int32_t>::max())) {
    error = where + ": " + Shown(j) + " does not fit a 32-bit integer";
    return false;
  }
  out = static_cast<int32_t>(j.get<int64_t>());
  return true;
}

bool CheckKeys(const json& j, const std::string& where, const std::set<std::string>& allowed,
               std::string& error) {
  for (const auto& [key, value] : j.items()) {
    if (allowed.count(key)) continue;
    error = (where.empty() ? "" : where + ": ") + "unknown key \"" + key + "\"";
    return false;
  }
  return true;
}

bool ParseEffect(const json& j, const std::string& where, SceneEffect& out, std::string& error) {
  if (!j.is_object()) {
    error =
        where + ": expected an object like {\"type\": 1021096, \"enabled\": true}, got " + Shown(j);
    return false;
  }
  if (!CheckKeys(j, where, {"type", "enabled", "bits", "settings"}, error)) return false;
  if (!j.contains("type")) {
    error = where + ": \"type\" is missing";
    return false;
  }
  if (!ReadInt32(j["type"], where + ".type", out.type, error)) return false;
  if (out.type <= 0) {
    error = where + ".type: a post effect's type id is positive, got " + Shown(j["type"]);
    return false;
  }
  out.bits = 0;
  if (j.contains("bits") && !ReadInt32(j["bits"], where + ".bits", out.bits, error)) return false;
  if (j.contains("enabled")) {
    if (!j["enabled"].is_boolean()) {
      error = where + ".enabled: expected true or false, got " + Shown(j["enabled"]);
      return false;
    }
    bool enabled = j["enabled"].get<bool>();
    bool bitsSayEnabled = (out.bits & kBitDisabled) == 0;
    if (j.contains("bits") && enabled != bitsSayEnabled) {
      error = where + ": \"enabled\" " + (enabled ? "true" : "false") + " contradicts \"bits\" " +
              std::to_string(out.bits) + " (bit 4 set means off)";
      return false;
    }
    if (!enabled) out.bits |= kBitDisabled;
  }
  out.settings = Container{};
  if (j.contains("settings")) {
    std::string inner;
    if (!j["settings"].is_object() || !FromTypedJson(j["settings"], out.settings, inner)) {
      error =
          where + ".settings: " + (inner.empty() ? "expected an object of typed values" : inner);
      return false;
    }
  }
  return true;
}

bool ParseRegion(const json& j, std::array<int32_t, 4>& out, std::string& error) {
  const std::string where = "interactive_render_region";
  if (!j.is_array() || j.size() != 4) {
    error = where + ": expected [left, top, right, bottom], got " + Shown(j);
    return false;
  }
  for (size_t i = 0; i < 4; ++i)
    if (!ReadInt32(j[i], where + "[" + std::to_string(i) + "]", out[i], error)) return false;
  if (out[0] < 0 || out[1] < 0 || out[0] >= out[2] || out[1] >= out[3]) {
    error = where + ": " + Shown(j) +
            " is not a region (0 <= left < right and 0 <= top < bottom in pixels)";
    return false;
  }
  return true;
}

bool ParseReenable(const json& j, Scene& out, std::string& error) {
  const std::string where = "render_reenables_effects";
  if (j.is_boolean()) {
    out.reenableAll = j.get<bool>();
    return true;
  }
  if (!j.is_array()) {
    error = where + ": expected true, false or a list of post-effect type ids, got " + Shown(j);
    return false;
  }
  for (size_t i = 0; i < j.size(); ++i) {
    int32_t type = 0;
    if (!ReadInt32(j[i], where + "[" + std::to_string(i) + "]", type, error)) return false;
    out.reenableTypes.push_back(type);
  }
  return true;
}

}  // namespace

namespace {

// The host describes its render settings with a fixed data type each and
// never holds another type under them, so a scene that does is refused. A
// boolean and a 32-bit integer are one type.
bool CheckDescribedTypes(const Container& c, std::string& error) {
  static const Container described = DefaultRenderSettings();
  for (const auto& [id, value] : c.entries) {
    auto it = described.entries.find(id);
    if (it == described.entries.end() || it->second.type == value.type) continue;
    const std::string name = RenderSettingName(id);
    error = "render_settings: entry \"" + std::to_string(id) + "\"" +
            (name.empty() ? "" : " (" + name + ")") + ": the host keeps it as " +
            TypeName(it->second) + ", the scene gives " + TypeName(value);
    return false;
  }
  return true;
}

}  // namespace

Container DefaultRenderSettings() {
  Container c;
  auto& e = c.entries;
  e[RDATA_ANTIALIASING] = Value::Int32(RDATA_ANTIALIASING_GEOMETRY);
  e[RDATA_XRES] = Value::Float(1280.0);
  e[RDATA_YRES] = Value::Float(720.0);
  e[RDATA_FRAMESEQUENCE] = Value::Int32(RDATA_FRAMESEQUENCE_CURRENTFRAME);
  e[RDATA_ACTIVEOBJECTONLY] = Value::Bool(false);
  e[RDATA_VOLUMETRICLIGHTING] = Value::Bool(true);
  e[RDATA_TEXTURES] = Value::Bool(true);
  e[RDATA_ENABLEBLURRY] = Value::Bool(true);
  e[RDATA_AAFILTER] = Value::Int32(RDATA_AAFILTER_STILLIMAGE);
  e[RDATA_SAVEIMAGE] = Value::Bool(true);
  e[RDATA_MULTIPASS_ENABLE] = Value::Bool(false);
  e[RDATA_RENDERENGINE] = Value::Int32(RDATA_RENDERENGINE_STANDARD);
  e[RDATA_POSTEFFECTS_ENABLE] = Value::Bool(true);
  e[RDATA_ENABLESPD] = Value::Bool(true);
  e[RDATA_OPTION_TRANSPARENCY] = Value::Bool(true);
  e[RDATA_OPTION_REFRACTION] = Value::Bool(true);
  e[RDATA_OPTION_REFLECTION] = Value::Bool(true);
  e[RDATA_OPTION_SHADOW] = Value::Bool(true);
  e[RDATA_LIMITREFLECTION] = Value::Bool(false);
  e[RDATA_LIMITSHADOW] = Value::Bool(false);
  e[RDATA_RENDERREGION] = Value::Bool(false);
  e[7005] = Value::Int32(0);  // region left, top, right, bottom
  e[7006] = Value::Int32(0);
  e[7007] = Value::Int32(1280);
  e[7008] = Value::Int32(720);
  return c;
}

Scene DefaultScene() {
  Scene s;
  s.name = "default";
  s.renderSettings = DefaultRenderSettings();
  s.effects = {
      {1021096, 0, {}},             // VPglobalillumination
      {300001045, 0, {}},           // VPambientocclusion
      {1001401, 0, {}},             // VPopticsuite_glow
      {1001400, kBitDisabled, {}},  // VPopticsuite_depthoffield, switched off
  };
  s.interactiveRegion = std::array<int32_t, 4>{320, 180, 960, 540};
  return s;
}

bool ParseScene(const json& j, Scene& out, std::string& error) {
  out = Scene{};
  if (!j.is_object()) {
    error = "a scene is a JSON object, got " + Shown(j);
    return false;
  }
  if (!CheckKeys(j, "",
                 {"description", "render_settings", "post_effects", "interactive_render_region",
                  "render_reenables_effects"},
                 error))
    return false;

  if (j.contains("description") && !j["description"].is_string()) {
    error = "description: expected a text, got " + Shown(j["description"]);
    return false;
  }

  if (!j.contains("render_settings")) {
    out.renderSettings = DefaultRenderSettings();
  } else if (!j["render_settings"].is_null()) {
    const json& rs = j["render_settings"];
    Container c;
    std::string inner;
    if (!rs.is_object()) {
      error =
          "render_settings: expected an object of typed values like "
          "{\"5008\": {\"float\": 1920}} or null, got " +
          Shown(rs);
      return false;
    }
    if (!FromTypedJson(rs, c, inner)) {
      error = "render_settings: " + inner;
      return false;
    }
    if (!CheckDescribedTypes(c, error)) return false;
    out.renderSettings = std::move(c);
  }

  if (j.contains("post_effects") && !j["post_effects"].is_null()) {
    const json& list = j["post_effects"];
    if (!list.is_array()) {
      error = "post_effects: expected a list, got " + Shown(list);
      return false;
    }
    if (!out.renderSettings && !list.empty()) {
      error = "post_effects: a document without render settings has no post effects";
      return false;
    }
    for (size_t i = 0; i < list.size(); ++i) {
      SceneEffect effect;
      if (!ParseEffect(list[i], "post_effects[" + std::to_string(i) + "]", effect, error))
        return false;
      out.effects.push_back(std::move(effect));
    }
  }

  if (j.contains("interactive_render_region") && !j["interactive_render_region"].is_null()) {
    std::array<int32_t, 4> region{};
    if (!ParseRegion(j["interactive_render_region"], region, error)) return false;
    out.interactiveRegion = region;
  }

  if (j.contains("render_reenables_effects") &&
      !ParseReenable(j["render_reenables_effects"], out, error))
    return false;
  return true;
}

bool LoadSceneFile(const std::string& path, Scene& out, std::string& error) {
  // A device, a pipe or a folder is no scene (and /dev/zero never ends).
  std::string text, why;
  if (!platform::ReadRegularFile(path, text, why)) {
    error = "scene " + path + ": " + why;
    return false;
  }
  json j;
  if (!ReadJson(text, j, why)) {
    error = "scene " + path + ": not JSON: " + why;
    return false;
  }
  std::string inner;
  if (!ParseScene(j, out, inner)) {
    error = "scene " + path + ": " + inner;
    return false;
  }
  out.name = path;
  return true;
}

json SceneToJson(const Scene& scene) {
  json j = json::object();
  j["render_settings"] = scene.renderSettings ? ToTypedJson(*scene.renderSettings) : json(nullptr);
  json effects = json::array();
  for (const auto& e : scene.effects) {
    json item = {{"type", e.type}, {"enabled", (e.bits & kBitDisabled) == 0}, {"bits", e.bits}};
    if (!e.settings.entries.empty()) item["settings"] = ToTypedJson(e.settings);
    effects.push_back(item);
  }
  j["post_effects"] = effects;
  if (scene.interactiveRegion) {
    const auto& r = *scene.interactiveRegion;
    j["interactive_render_region"] = {r[0], r[1], r[2], r[3]};
  } else {
    j["interactive_render_region"] = nullptr;
  }
  if (scene.reenableAll)
    j["render_reenables_effects"] = true;
  else if (!scene.reenableTypes.empty())
    j["render_reenables_effects"] = scene.reenableTypes;
  return j;
}

}  // namespace simhost
