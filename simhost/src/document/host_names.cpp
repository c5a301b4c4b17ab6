// host_names.cpp - the host's names and the readable forms of documents.
#include "document/host_names.h"

#include <charconv>
#include <map>
#include <vector>

namespace simhost {

namespace {

// 7005 to 7008, in order.
const char* const kRegionSides[] = {"left", "top", "right", "bottom"};

const std::map<int32_t, std::string>& SettingNames() {
  static const std::map<int32_t, std::string> names = {
      {5002, "RDATA_ANTIALIASING"},
      {5008, "RDATA_XRES"},
      {5009, "RDATA_YRES"},
      {5016, "RDATA_FRAMESEQUENCE"},
      {5021, "RDATA_ACTIVEOBJECTONLY"},
      {5052, "RDATA_VOLUMETRICLIGHTING"},
      {5064, "RDATA_TEXTURES"},
      {5069, "RDATA_ENABLEBLURRY"},
      {5070, "RDATA_AAFILTER"},
      {5076, "RDATA_SAVEIMAGE"},
      {5202, "RDATA_MULTIPASS_ENABLE"},
      {5300, "RDATA_RENDERENGINE"},
      {5401, "RDATA_POSTEFFECTS_ENABLE"},
      {5604, "RDATA_ENABLESPD"},
      {6016, "RDATA_OPTION_TRANSPARENCY"},
      {6017, "RDATA_OPTION_REFRACTION"},
      {6018, "RDATA_OPTION_REFLECTION"},
      {6019, "RDATA_OPTION_SHADOW"},
      {6020, "RDATA_LIMITREFLECTION"},
      {6021, "RDATA_LIMITSHADOW"},
      {7004, "RDATA_RENDERREGION"},
      {28501, "RDATA_FROMIRR"},
  };
  return names;
}

const std::map<int32_t, std::string>& EffectNames() {
  static const std::map<int32_t, std::string> names = {
      {300001045, "VPambientocclusion"},
      {1000970, "ID_OLDCAUSTICS"},
      {1001400, "VPopticsuite_depthoffield"},
      {1021096, "VPglobalillumination"},
      {1001401, "VPopticsuite_glow"},
      {1001402, "VPopticsuite_highlights"},
      {1001007, "VPobjectglow"},
      {1017325, "VPhair"},
      {1001010, "VPscenemotionblur"},
      {1002008, "VPvectormotionblur"},
      {1001049, "VPlenseffects"},
  };
  return names;
}

// The documented meanings of the choice settings' values.
std::string ChoiceMeaning(int32_t id, int32_t value) {
  static const std::map<int32_t, std::map<int32_t, std::string>> meanings = {
      {5002, {{0, "none"}, {1, "geometry"}, {2, "best"}}},
      {5016, {{0, "manual"}, {1, "current frame"}, {2, "all frames"}, {3, "preview range"}}},
      {5070, {{0, "still image"}, {1, "animation"}}},
      {5300,
       {{0, "standard"},
        {1, "preview software"},
        {1023342, "physical"},
        {300001061, "preview hardware"}}},
  };
  auto setting = meanings.find(id);
  if (setting == meanings.end()) return "";
  auto meaning = setting->second.find(value);
  if (meaning != setting->second.end()) return meaning->second;
  return id == 5300 ? "another engine" : "";
}

std::string Number(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

const char* TypeName(Value::Type t) {
  switch (t) {
    case Value::Type::Int32:
      return "int32";
    case Value::Type::Bool:
      return "bool";
    case Value::Type::Float:
      return "float";
  }
  return "?";
}

const Value* Find(const Container& c, int32_t id) {
  auto it = c.entries.find(id);
  return it == c.entries.end() ? nullptr : &it->second;
}

// "RDATA_XRES 640", or "RDATA_XRES absent".
std::string Named(const Container& c, int32_t id) {
  const Value* v = Find(c, id);
  return RenderSettingName(id) + " " + (v ? DescribeValue(id, *v) : "absent");
}

}  // namespace

std::string RenderSettingName(int32_t id) {
  auto it = SettingNames().find(id);
  return it == SettingNames().end() ? "" : it->second;
}

std::string EffectName(int32_t type) {
  auto it = EffectNames().find(type);
  return it == EffectNames().end() ? "" : it->second;
}

std::string MessageName(int32_t type) {
  switch (type) {
    case C4D_MSG_UPDATE:
      return "MSG_UPDATE";
    case C4D_MSG_DESCRIPTION_CHECKUPDATE:
      return "MSG_DESCRIPTION_CHECKUPDATE";
    case C4D_MSG_DESCRIPTION_COMMAND:
      return "MSG_DESCRIPTION_COMMAND";
    default:
      return "";
  }
}

std::string DescribeSetting(int32_t id) {
  std::string name = RenderSettingName(id);
  if (!name.empty()) return std::to_string(id) + " " + name;
  // The region's sides have no symbol of their own.
  if (id >= 7005 && id <= 7008)
    return std::to_string(id) + " (render region " + kRegionSides[id - 7005] + ")";
  return std::to_string(id);
}

std::string DescribeEffect(int32_t type) {
  std::string name = EffectName(type);
  return name.empty() ? "effect " + std::to_string(type) : name + " (" + std::to_string(type) + ")";
}

std::string DescribeValue(int32_t id, const Value& v) {
  switch (v.type) {
    case Value::Type::Bool:
      return v.i ? "true" : "false";
    case Value::Type::Float:
      return Number(v.f);
    case Value::Type::Int32: {
      std::string meaning = ChoiceMeaning(id, v.i);
      return std::to_string(v.i) + (meaning.empty() ? "" : " (" + meaning + ")");
    }
  }
  return "?";
}

std::string ListSettings(const Container& c) {
  std::string out;
  for (const auto& [id, v] : c.entries)
    out += "  " + DescribeSetting(id) + " " + TypeName(v.type) + " " + DescribeValue(id, v) + "\n";
  return out;
}

std::string ListEffects(const Document& doc) {
  std::string out;
  for (const auto& e : doc.effects)
    out += "  " + std::to_string(e->index + 1) + ". " + DescribeEffect(e->type) +
           (e->Enabled() ? " on" : " off") + "\n";
  return out;
}

std::string RenderSummary(int32_t command, const Document& doc) {
  const Container& c = doc.renderData->data;
  std::string out = "render " + std::to_string(command) +
                    (command == 12163 ? " (editor view)" : " (Picture Viewer)") + " of " +
                    doc.name + "\n";
  out += "  " + Named(c, 5008) + " x " + Named(c, 5009) + ", " + Named(c, 5300) + "\n";
  out += "  " + Named(c, 5002) + ", " + Named(c, 5070) + ", " + Named(c, 5016) + "\n";

  const Value* region = Find(c, 7004);
  if (region && region->type == Value::Type::Bool && region->i) {
    out += "  RDATA_RENDERREGION on:";
    for (int32_t id = 7005; id <= 7008; ++id) {
      const Value* v = Find(c, id);
      out += std::string(id == 7005 ? " " : ", ") + kRegionSides[id - 7005] + " " +
             (v ? DescribeValue(id, *v) : std::string("absent"));
    }
    out += "\n";
  }

  // Every switch that is off (the active-object switch the other way round).
  std::vector<std::string> off;
  bool activeOnly = false;
  for (const auto& [id, v] : c.entries) {
    if (v.type != Value::Type::Bool || id == 7004) continue;
    std::string name = RenderSettingName(id).empty() ? std::to_string(id) : RenderSettingName(id);
    if (id == 5021)
      activeOnly = v.i != 0;
    else if (!v.i)
      off.push_back(name);
  }
  if (activeOnly) out += "  RDATA_ACTIVEOBJECTONLY on\n";
  std::string offLine;
  for (const auto& name : off) offLine += (offLine.empty() ? "" : ", ") + name;
  out += "  off: " + (offLine.empty() ? std::string("nothing") : offLine) + "\n";

  std::string effects;
  for (const auto& e : doc.effects) {
    std::string name = EffectName(e->type).empty() ? std::to_string(e->type) : EffectName(e->type);
    effects += (effects.empty() ? "" : ", ") + name + (e->Enabled() ? " on" : " off");
  }
  out += "  effects: " + (effects.empty() ? std::string("none") : effects) + "\n";
  return out;
}

}  // namespace simhost
