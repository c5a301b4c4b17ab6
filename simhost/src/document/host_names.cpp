// host_names.cpp - the host's names and the readable forms of documents.
#include "document/host_names.h"

#include "c4d_host_numbers.h"

#include <charconv>
#include <map>
#include <vector>

namespace simhost {

namespace {

// 7005 to 7008, in order.
const char* const kRegionSides[] = {"left", "top", "right", "bottom"};

const std::map<int32_t, std::string>& SettingNames() {
  static const std::map<int32_t, std::string> names = {
      {RDATA_ANTIALIASING, "RDATA_ANTIALIASING"},
      {RDATA_XRES, "RDATA_XRES"},
      {RDATA_YRES, "RDATA_YRES"},
      {RDATA_FRAMESEQUENCE, "RDATA_FRAMESEQUENCE"},
      {RDATA_ACTIVEOBJECTONLY, "RDATA_ACTIVEOBJECTONLY"},
      {RDATA_VOLUMETRICLIGHTING, "RDATA_VOLUMETRICLIGHTING"},
      {RDATA_TEXTURES, "RDATA_TEXTURES"},
      {RDATA_ENABLEBLURRY, "RDATA_ENABLEBLURRY"},
      {RDATA_AAFILTER, "RDATA_AAFILTER"},
      {RDATA_SAVEIMAGE, "RDATA_SAVEIMAGE"},
      {RDATA_MULTIPASS_ENABLE, "RDATA_MULTIPASS_ENABLE"},
      {RDATA_RENDERENGINE, "RDATA_RENDERENGINE"},
      {RDATA_POSTEFFECTS_ENABLE, "RDATA_POSTEFFECTS_ENABLE"},
      {RDATA_ENABLESPD, "RDATA_ENABLESPD"},
      {RDATA_OPTION_TRANSPARENCY, "RDATA_OPTION_TRANSPARENCY"},
      {RDATA_OPTION_REFRACTION, "RDATA_OPTION_REFRACTION"},
      {RDATA_OPTION_REFLECTION, "RDATA_OPTION_REFLECTION"},
      {RDATA_OPTION_SHADOW, "RDATA_OPTION_SHADOW"},
      {RDATA_LIMITREFLECTION, "RDATA_LIMITREFLECTION"},
      {RDATA_LIMITSHADOW, "RDATA_LIMITSHADOW"},
      {RDATA_RENDERREGION, "RDATA_RENDERREGION"},
      {RDATA_FROMIRR, "RDATA_FROMIRR"},
  };
  return names;
}

const std::map<int32_t, std::string>& EffectNames() {
  static const std::map<int32_t, std::string> names = {
      {VPambientocclusion, "VPambientocclusion"},
      {ID_OLDCAUSTICS, "ID_OLDCAUSTICS"},
      {VPopticsuite_depthoffield, "VPopticsuite_depthoffield"},
      {VPglobalillumination, "VPglobalillumination"},
      {VPopticsuite_glow, "VPopticsuite_glow"},
      {VPopticsuite_highlights, "VPopticsuite_highlights"},
      {VPobjectglow, "VPobjectglow"},
      {VPhair, "VPhair"},
      {VPscenemotionblur, "VPscenemotionblur"},
      {VPvectormotionblur, "VPvectormotionblur"},
      {VPlenseffects, "VPlenseffects"},
  };
  return names;
}

// The documented meanings of the choice settings' values.
std::string ChoiceMeaning(int32_t id, int32_t value) {
  static const std::map<int32_t, std::map<int32_t, std::string>> meanings = {
      {RDATA_ANTIALIASING,
       {{RDATA_ANTIALIASING_NONE, "none"},
        {RDATA_ANTIALIASING_GEOMETRY, "geometry"},
        {RDATA_ANTIALIASING_BEST, "best"}}},
      {RDATA_FRAMESEQUENCE,
       {{RDATA_FRAMESEQUENCE_MANUAL, "manual"},
        {RDATA_FRAMESEQUENCE_CURRENTFRAME, "current frame"},
        {RDATA_FRAMESEQUENCE_ALLFRAMES, "all frames"},
        {RDATA_FRAMESEQUENCE_PREVIEWRANGE, "preview range"}}},
      {RDATA_AAFILTER,
       {{RDATA_AAFILTER_STILLIMAGE, "still image"}, {RDATA_AAFILTER_ANIMATION, "animation"}}},
      {RDATA_RENDERENGINE,
       {{RDATA_RENDERENGINE_STANDARD, "standard"},
        {1, "preview software"},
        {1023342, "physical"},
        {300001061, "preview hardware"}}},
  };
  auto setting = meanings.find(id);
  if (setting == meanings.end()) return "";
  auto meaning = setting->second.find(value);
  if (meaning != setting->second.end()) return meaning->second;
  return id == RDATA_RENDERENGINE ? "another engine" : "";
}

std::string Number(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
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
  if (v.type == Value::Type::Float) return Number(v.f);
  if (v.spelledBool) return v.i ? "true" : "false";
  std::string meaning = ChoiceMeaning(id, v.i);
  return std::to_string(v.i) + (meaning.empty() ? "" : " (" + meaning + ")");
}

std::string ListSettings(const Container& c) {
  std::string out;
  for (const auto& [id, v] : c.entries)
    out += "  " + DescribeSetting(id) + " " + TypeName(v) + " " + DescribeValue(id, v) + "\n";
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
                    (command == C4D_COMMAND_RENDER_VIEW ? " (editor view)" : " (Picture Viewer)") +
                    " of " + doc.name + "\n";
  out += "  " + Named(c, RDATA_XRES) + " x " + Named(c, RDATA_YRES) + ", " +
         Named(c, RDATA_RENDERENGINE) + "\n";
  out += "  " + Named(c, 5002) + ", " + Named(c, 5070) + ", " + Named(c, 5016) + "\n";

  const Value* region = Find(c, 7004);
  if (region && region->type == Value::Type::Int32 && region->i) {
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
    if (!v.spelledBool || id == 7004) continue;
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
