// session_fuzzer.cpp - a user at Brevio's dialog doing anything in any order:
// dialog actions, menu entries, closes and reopens, document switches,
// restarts and test renders, against scenes made from the input. After every
// test render the document must be as before it (every render setting that
// was present holds its value, every post effect is on or off as before) and
// no host object may be left; no call may misuse the host.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/core.h"
#include "dialog/dialog_area.h"
#include "document/document_area.h"
#include "document/scene.h"
#include "fuzz_support.h"

namespace {

using nlohmann::json;
using simhost::Value;

constexpr int32_t kRenderSettingIds[] = {5002, 5008, 5009, 5016, 5021, 5052, 5064, 5069, 5070,
                                         5076, 5202, 5300, 5401, 5604, 6016, 6017, 6018, 6019,
                                         6020, 6021, 7004, 7005, 7006, 7007, 7008, 28501};
constexpr int32_t kEffectTypes[] = {300001045, 1000970, 1001400, 1021096, 1001401, 1001402,
                                    1001007,   1017325, 1001010, 1002008, 1001049};
constexpr int32_t kMenuEntries[] = {5050, 5055, 5100, 5110, 12097};

json TypedValue(brevio_fuzz::Input& in, int32_t id) {
  // The render engine stays standard mostly, so that most clicks render.
  if (id == 5300) return {{"int32", in.Chance(5) ? in.Int32() : 0}};
  // A setting the host describes holds its own type (a scene giving another
  // is refused); a boolean and an int32 are one type.
  static const simhost::Container described = simhost::DefaultRenderSettings();
  const auto it = described.entries.find(id);
  const bool isFloat = it != described.entries.end() && it->second.type == Value::Type::Float;
  const bool isInteger = it != described.entries.end() && !isFloat;
  switch (isFloat ? 2 : isInteger ? in.Below(2) : in.Below(3)) {
    case 0:
      return {{"int32", static_cast<int32_t>(in.Below(8))}};
    case 1:
      return {{"bool", in.Byte() % 2 == 1}};
    default:
      return {{"float", static_cast<double>(in.Below(4096)) / (1 + in.Below(4))}};
  }
}

json MakeScene(brevio_fuzz::Input& in) {
  json scene = json::object();
  if (in.Chance(8)) {
    scene["render_settings"] = nullptr;
    return scene;
  }
  if (!in.Chance(4)) {
    json settings = json::object();
    const uint32_t count = in.Below(40);
    for (uint32_t i = 0; i < count; ++i) {
      const int32_t id =
          in.Chance(4) ? static_cast<int32_t>(in.Below(20000)) : in.Pick(kRenderSettingIds);
      settings[std::to_string(id)] = TypedValue(in, id);
    }
    scene["render_settings"] = settings;
  }
  json effects = json::array();
  const uint32_t effectCount = in.Below(16);
  for (uint32_t i = 0; i < effectCount; ++i) {
    const int32_t type =
        in.Chance(6) ? 1 + static_cast<int32_t>(in.Below(2000000)) : in.Pick(kEffectTypes);
    int32_t bits = in.Chance(3) ? 4 : 0;
    if (in.Chance(4)) bits |= static_cast<int32_t>(in.Below(256)) & ~4;
    effects.push_back({{"type", type}, {"bits", bits}});
  }
  scene["post_effects"] = effects;
  if (!in.Chance(3)) {
    const int32_t left = static_cast<int32_t>(in.Below(500));
    const int32_t top = static_cast<int32_t>(in.Below(500));
    scene["interactive_render_region"] = {left, top, left + 1 + static_cast<int32_t>(in.Below(800)),
                                          top + 1 + static_cast<int32_t>(in.Below(800))};
  }
  if (in.Chance(4))
    scene["render_reenables_effects"] = in.Chance(2) ? json(true) : json({in.Pick(kEffectTypes)});
  return scene;
}

// The active document as a test render must leave it.
struct Snapshot {
  bool document = false;
  std::optional<std::map<int32_t, Value>> settings;
  std::vector<int32_t> types;
  std::vector<bool> enabled;
  std::map<std::string, size_t> live;  // the plug-in's objects by kind
};

Snapshot Take(simhost::Host& host) {
  Snapshot s;
  s.live = host.ledger.Live();
  simhost::Document* doc = host.AreaOf<simhost::DocumentArea>().Active();
  if (doc == nullptr) return s;
  s.document = true;
  if (doc->renderData) s.settings = doc->renderData->data.entries;
  for (const auto& e : doc->effects) {
    s.types.push_back(e->type);
    s.enabled.push_back(e->Enabled());
  }
  return s;
}

// Whether a render of the active document may switch effects of `type` on.
bool RenderReenables(simhost::Host& host, int32_t type) {
  simhost::Document* doc = host.AreaOf<simhost::DocumentArea>().Active();
  return doc != nullptr && (doc->reenableAll ||
                            std::count(doc->reenableTypes.begin(), doc->reenableTypes.end(), type));
}

std::string CheckRestored(simhost::Host& host, const Snapshot& before, const Snapshot& after) {
  if (after.live != before.live) return "the plug-in's host objects differ from before the click";
  if (!before.document) return "";
  if (before.settings.has_value() != after.settings.has_value())
    return "the render settings appeared or vanished";
  if (before.settings)
    for (const auto& [id, value] : *before.settings) {
      auto it = after.settings->find(id);
      if (it == after.settings->end()) return "render setting " + std::to_string(id) + " is gone";
      if (!(it->second == value)) return "render setting " + std::to_string(id) + " changed";
    }
  if (after.types != before.types) return "the post-effect list changed";
  for (size_t i = 0; i < before.enabled.size(); ++i) {
    if (before.enabled[i] && !after.enabled[i])
      return "post effect #" + std::to_string(i) + " was left switched off";
    if (!before.enabled[i] && after.enabled[i] && !RenderReenables(host, before.types[i]))
      return "post effect #" + std::to_string(i) + " was switched on";
  }
  return "";
}

simhost::DialogObj* FrontWindow(simhost::Host& host) {
  simhost::DialogArea* area = simhost::Dialogs(host);
  return area ? area->Front() : nullptr;
}

// A gadget of `kind` in the front window, or NULL.
const simhost::Gadget* AnyGadget(brevio_fuzz::Input& in, simhost::Host& host,
                                 simhost::Gadget::Kind kind) {
  simhost::DialogObj* d = FrontWindow(host);
  if (d == nullptr) return nullptr;
  std::vector<const simhost::Gadget*> found;
  for (const auto& g : d->window.gadgets)
    if (g.kind == kind) found.push_back(&g);
  return found.empty() ? nullptr : found[in.Below(static_cast<uint32_t>(found.size()))];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brevio_fuzz::Input in(data, size);
  const auto& dir = brevio_fuzz::ScratchDir("session");
  std::error_code ec;
  std::filesystem::remove_all(dir / "prefs", ec);

  std::string scenes;
  for (int i = 0; i < 3; ++i) {
    const std::string text = MakeScene(in).dump();
    brevio_fuzz::WriteFile(dir / ("scene" + std::to_string(i) + ".json"), text);
    scenes += "scene" + std::to_string(i) + ".json: " + text + "\n";
  }

  simhost::Options options;
  options.prefsDir = (dir / "prefs").string();
  options.pluginDirs = {BREVIO_PLUGINS_DIR};
  options.echo = false;
  simhost::Session session(options);
  simhost::Host& host = session.Internals();
  auto fail = [&](const std::string& what) {
    brevio_fuzz::Fail(what, scenes + "script (run it where the scenes are):\n" + session.Script() +
                                "\ntranscript:\n" + host.journal.Transcript());
  };
  if (host.core->commands.empty()) fail("Brevio did not register its command");
  session.Act("document " + brevio_fuzz::Quoted((dir / "scene0.json").string()));

  for (int step = 0; step < 80 && !in.Empty(); ++step) {
    const uint8_t op = in.Byte() % 16;
    if (op <= 1) {
      session.Act("command 1027069");
    } else if (op == 2) {
      session.Act("close");
    } else if (op <= 5) {
      if (const simhost::Gadget* g = AnyGadget(in, host, simhost::Gadget::Kind::Combo)) {
        if (!g->items.empty()) {
          const int32_t item = g->items[in.Below(static_cast<uint32_t>(g->items.size()))].first;
          session.Act("choose " + std::to_string(g->id) + " " + std::to_string(item));
        }
      }
    } else if (op <= 8) {
      if (const simhost::Gadget* g = AnyGadget(in, host, simhost::Gadget::Kind::Check))
        session.Act((g->value ? "untick " : "tick ") + std::to_string(g->id));
    } else if (op <= 11) {
      const Snapshot before = Take(host);
      const bool clicked = session.Act("click 10032");
      const std::string broken = CheckRestored(host, before, Take(host));
      if (clicked && !broken.empty()) fail("after a test render: " + broken);
    } else if (op == 12) {
      session.Act("click 10033");
    } else if (op == 13) {
      session.Act("menu " + std::to_string(in.Pick(kMenuEntries)));
    } else if (op == 14 || !in.Chance(4)) {
      const uint32_t which = in.Below(5);
      if (which < 3)
        session.Act(
            "document " +
            brevio_fuzz::Quoted((dir / ("scene" + std::to_string(which) + ".json")).string()));
      else
        session.Act(which == 3 ? "document none" : "document default");
    } else {
      session.Act("restart");
    }
    if (host.failed) fail("a misuse or a leak");
  }
  session.Finish();
  if (host.failed) fail("a misuse or a leak at the end of the run");
  // To see what an input does: BREVIO_FUZZ_SHOW=1 session_replay FILE
  if (std::getenv("BREVIO_FUZZ_SHOW") != nullptr)
    std::printf("%s%s\n%s", scenes.c_str(), session.Script().c_str(),
                host.journal.Transcript().c_str());
  return 0;
}
