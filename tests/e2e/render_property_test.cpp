// Random scenes under random stored choices: every render must see exactly
// what the override and effect tables prescribe (computed here by the model
// in render_support.h), and every document must come back as it was.
// The seed is printed with every failure; set BREVIO_SEED to repeat a run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "render_support.h"

namespace brevio_test {
namespace {

constexpr uint64_t kDefaultSeed = 20261208;
constexpr int kSessions = 25;
constexpr int kScenesPerSession = 8;

uint64_t Seed() {
  const char* text = std::getenv("BREVIO_SEED");
  return text ? std::strtoull(text, nullptr, 10) : kDefaultSeed;
}

class Random {
 public:
  explicit Random(uint64_t seed) : rng_(seed) {}
  int32_t Int(int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng_);
  }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  template <class T>
  T Pick(const std::vector<T>& from) {
    return from[static_cast<size_t>(Int(0, static_cast<int32_t>(from.size()) - 1))];
  }
  // Mostly one of the list's ids, sometimes any id near it or far away.
  int32_t Choice(const std::vector<int32_t>& ids) {
    if (Chance(0.8)) return Pick(ids);
    return Chance(0.7) ? Int(ids.front() - 12, ids.back() + 12) : Int(-100000, 100000);
  }

 private:
  std::mt19937_64 rng_;
};

Choices RandomChoices(Random& r) {
  Choices c;
  c.antialiasing = r.Choice({6000, 6001, 6002});
  c.antialiasingFilter = r.Choice({6010, 6011});
  c.frameRange = r.Choice({6020, 6021, 6023});
  c.renderTarget = r.Choice({6030, 6031});
  c.resolutionScale = r.Choice({6041, 6042, 6043, 6044, 6048, 6056});
  for (auto& [gadget, on] : c.options) on = r.Chance(0.5);
  return c;
}

// A random typed value; `type` 0 int32, 1 bool, 2 float.
json RandomValue(Random& r, int type) {
  if (type == 0) return {{"int32", r.Int(-3, 8)}};
  if (type == 1) return {{"bool", r.Chance(0.5)}};
  double v = r.Chance(0.5) ? r.Int(1, 8000) : r.Int(1, 800000) / 64.0;
  return {{"float", v}};
}

json RandomScene(Random& r) {
  // Each entry the test render touches, with its proper type most of the time.
  const std::vector<std::pair<int32_t, int>> touched = {
      {5002, 0}, {5008, 2}, {5009, 2}, {5016, 0}, {5021, 1}, {5052, 1}, {5064, 1}, {5069, 1},
      {5070, 0}, {5076, 1}, {5202, 1}, {5401, 1}, {5604, 1}, {6016, 1}, {6017, 1}, {6018, 1},
      {6019, 1}, {6020, 1}, {6021, 1}, {7004, 1}, {7005, 0}, {7006, 0}, {7007, 0}, {7008, 0}};
  json settings = json::object();
  for (const auto& [id, type] : touched) {
    if (r.Chance(0.1)) continue;
    settings[Key(id)] = RandomValue(r, r.Chance(0.9) ? type : r.Int(0, 2));
  }
  // The engine: standard mostly, absent or another engine sometimes.
  if (r.Chance(0.8))
    SetInt(settings, 5300, 0);
  else if (r.Chance(0.5))
    settings[Key(5300)] = r.Chance(0.5) ? json{{"int32", r.Pick<int32_t>({1, 1023342, 300001061})}}
                                        : RandomValue(r, r.Int(1, 2));
  for (int extra = r.Int(0, 4); extra > 0; --extra)
    settings[Key(r.Int(1, 99999))] = RandomValue(r, r.Int(0, 2));

  json effects = json::array();
  const std::vector<int32_t> types = {1021096, 300001045, 1000970, 1001400, 1001401, 1001402,
                                      1001007, 1017325,   1001010, 1002008, 1001049, 1234567};
  for (int n = r.Int(0, 9); n > 0; --n) {
    json e = {{"type", r.Pick(types)}};
    int32_t bits = r.Chance(0.3) ? r.Int(0, 31) & ~kDisabledBit : 0;
    if (r.Chance(0.25)) bits |= kDisabledBit;
    e["bits"] = bits;
    effects.push_back(e);
  }

  json scene = {{"render_settings", settings}, {"post_effects", effects}};
  if (r.Chance(0.6)) {
    int32_t left = r.Int(0, 500), top = r.Int(0, 500);
    scene["interactive_render_region"] = {left, top, left + r.Int(1, 900), top + r.Int(1, 900)};
  }
  if (r.Chance(0.2)) scene["render_reenables_effects"] = true;
  return scene;
}

// What one click of Render did: the render events and message boxes that
// came between the click and the next script line.
struct Click {
  std::vector<json> renders;
  std::vector<json> boxes;
};

std::vector<Click> Clicks(const Session& s) {
  std::vector<Click> clicks;
  bool inside = false;
  for (const auto& e : s.events) {
    const std::string kind = e.value("event", "");
    if (kind == "action") {
      inside = e.value("text", "") == "click 10032";
      if (inside) clicks.emplace_back();
    } else if (inside && kind == "render") {
      clicks.back().renders.push_back(e);
    } else if (inside && kind == "messagebox") {
      clicks.back().boxes.push_back(e);
    }
  }
  return clicks;
}

// Checks one render of `scene` against the model.
void CheckRender(const json& scene, const Choices& choices, const Click& click,
                 const json& settingsBefore, const json& settingsAfter, const json& effectsBefore,
                 const json& effectsAfter) {
  const json& settings = scene["render_settings"];
  EXPECT_EQ(settingsBefore, settings);
  if (NotStandardRenderer(settings)) {
    ASSERT_EQ(click.boxes.size(), 1u);
    EXPECT_EQ(click.boxes[0]["text"], kNotStandardRenderer);
    EXPECT_TRUE(click.renders.empty());
    EXPECT_EQ(settingsAfter, settingsBefore);
    EXPECT_EQ(effectsAfter, effectsBefore);
    return;
  }
  EXPECT_TRUE(click.boxes.empty());
  ASSERT_EQ(click.renders.size(), 1u);
  const json& render = click.renders[0];

  std::optional<std::array<int32_t, 4>> region;
  if (scene.contains("interactive_render_region"))
    region = scene["interactive_render_region"].get<std::array<int32_t, 4>>();
  EXPECT_EQ(render["command"],
            choices.renderTarget == 6030 ? kEditorCommand : kPictureViewerCommand);
  EXPECT_EQ(render["settings"], ExpectedRenderSettings(settingsBefore, region, choices));
  EXPECT_EQ(render["effects"], ExpectedRenderEffects(effectsBefore, choices));

  ExpectRestored(settingsBefore, settingsAfter, render["settings"]);
  // Every effect as before, except those the render itself switched back on.
  json expectedAfter = effectsBefore;
  if (scene.value("render_reenables_effects", false)) {
    for (size_t i = 0; i < expectedAfter.size(); ++i) {
      if (render["effects"][i]["enabled"] == true) continue;
      expectedAfter[i]["enabled"] = true;
      expectedAfter[i]["bits"] = expectedAfter[i]["bits"].get<int32_t>() & ~kDisabledBit;
    }
  }
  EXPECT_EQ(effectsAfter, expectedAfter);
}

TEST(RenderProperty, RandomScenesRenderAsPrescribedAndComeBack) {
  const uint64_t seed = Seed();
  SCOPED_TRACE("seed " + std::to_string(seed) +
               " (repeat with BREVIO_SEED=" + std::to_string(seed) + ")");
  Random r(seed);
  int renders = 0;
  for (int session = 0; session < kSessions; ++session) {
    TempDir dir;
    const Choices choices = RandomChoices(r);
    std::vector<json> scenes;
    std::string script = "command 1027069\n";
    for (int i = 0; i < kScenesPerSession; ++i) {
      scenes.push_back(RandomScene(r));
      std::string path = WriteScene(dir, scenes.back(), "scene" + std::to_string(i) + ".json");
      script += "document " + Quoted(path) +
                "\nshow renderdata\nshow effects\nclick 10032\nshow renderdata\nshow effects\n";
    }
    simhost::Options options = HostOptions(dir);
    StoreChoices(options, choices);
    RenderRun run(RunHost(options, script));

    SCOPED_TRACE("session " + std::to_string(session) + ", " + choices.Describe());
    EXPECT_CLEAN(run.session);
    std::vector<Click> clicks = Clicks(run.session);
    ASSERT_EQ(clicks.size(), scenes.size());
    ASSERT_EQ(run.settings.size(), 2 * scenes.size());
    ASSERT_EQ(run.effects.size(), 2 * scenes.size());
    for (size_t i = 0; i < scenes.size(); ++i) {
      SCOPED_TRACE("scene " + std::to_string(i) + ": " + scenes[i].dump());
      CheckRender(scenes[i], choices, clicks[i], run.settings[2 * i], run.settings[2 * i + 1],
                  run.effects[2 * i], run.effects[2 * i + 1]);
      renders += static_cast<int>(clicks[i].renders.size());
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
  // Most scenes use the standard renderer: the run really rendered.
  EXPECT_GT(renders, kSessions * kScenesPerSession / 2);
}

}  // namespace
}  // namespace brevio_test
