// Post effects during a test render: which are switched off, that only the
// first of a type is touched, that effects already off stay off, and that
// every effect is back in its state afterwards, even when the render itself
// switched one back on.
#include <gtest/gtest.h>

#include "render_support.h"

namespace brevio_test {
namespace {

json Effect(int32_t type, bool enabled = true, int32_t bits = 0) {
  json e = {{"type", type}, {"enabled", enabled}};
  if (bits) e["bits"] = bits | (enabled ? 0 : kDisabledBit);
  return e;
}

// The on/off states of a list of effects, in order.
std::vector<bool> States(const json& effects) {
  std::vector<bool> out;
  for (const auto& e : effects) out.push_back(e["enabled"].get<bool>());
  return out;
}

// Renders `effects` under FullSettings(); checks the session, one render, and
// that the effects are back as they were; answers the effects the render saw.
json RenderedEffects(const json& effects, const Choices& choices, const json& extra = {}) {
  TempDir dir;
  json scene = SceneWith(FullSettings(), effects);
  if (extra.is_object()) scene.update(extra);
  RenderRun run = RunRender(dir, scene, choices);
  EXPECT_CLEAN(run.session);
  if (run.renders.size() != 1 || run.effects.size() != 2) {
    ADD_FAILURE() << "expected one render\n" << run.session.result.transcript;
    return json::array();
  }
  EXPECT_EQ(run.effects[1], run.effects[0]) << "effects not restored";
  return run.renders[0]["effects"];
}

// All eleven kinds, each once, in an order unlike the handling order.
json AllKinds() {
  json list = json::array();
  for (int32_t type : {1001049, 1002008, 1001010, 1017325, 1001007, 1001402, 1001401, 1001400,
                       1000970, 300001045, 1021096})
    list.push_back(Effect(type));
  return list;
}

TEST(RenderEffects, EachOptionKeepsItsEffects) {
  // Option -> the types it keeps.
  const std::pair<int32_t, std::vector<int32_t>> rows[] = {
      {10027, {1021096}},
      {10024, {300001045}},
      {10025, {1000970}},
      {10026, {1001400}},
      {10028, {1001401, 1001402, 1001007}},
      {10029, {1017325}},
      {10031, {1001010, 1002008}},
      {10030, {1001049}},
  };
  Choices keepAll;
  for (const auto& [option, types] : rows) keepAll.Set(option, true);
  EXPECT_EQ(States(RenderedEffects(AllKinds(), keepAll)), std::vector<bool>(11, true));

  for (const auto& [option, types] : rows) {
    SCOPED_TRACE("option " + std::to_string(option) + " off");
    Choices c = keepAll;
    c.Set(option, false);
    json seen = RenderedEffects(AllKinds(), c);
    for (const auto& e : seen) {
      bool listed = std::find(types.begin(), types.end(), e["type"].get<int32_t>()) != types.end();
      EXPECT_EQ(e["enabled"], !listed) << e.dump();
    }
  }
}

TEST(RenderEffects, OnlyTheFirstOfATypeIsTouched) {
  json effects = {Effect(1001401), Effect(300001045), Effect(1001401), Effect(300001045, false),
                  Effect(300001045)};
  json seen = RenderedEffects(effects, Choices());
  EXPECT_EQ(States(seen), (std::vector<bool>{false, false, true, false, true}));
}

TEST(RenderEffects, EffectsAlreadyOffStayOffAndOtherBitsStay) {
  // The first ambient occlusion is off already: it is left alone, and the
  // later one of the same type is not looked at either.
  json effects = {Effect(300001045, false, 16), Effect(300001045), Effect(1001401, true, 3)};
  json seen = RenderedEffects(effects, Choices());
  EXPECT_EQ(seen[0]["bits"], 20);
  EXPECT_EQ(seen[1]["enabled"], true);
  EXPECT_EQ(seen[2]["bits"], 7);  // off, bits 1 and 2 kept
}

TEST(RenderEffects, PostEffectsOffTouchesNoEffect) {
  Choices c;
  c.Set(10023, false);  // and nothing kept otherwise
  for (auto gadget : {10024, 10025, 10026, 10027, 10028, 10029, 10030, 10031}) c.Set(gadget, false);
  TempDir dir;
  RenderRun run = RunRender(dir, SceneWith(FullSettings(), AllKinds()), c);
  EXPECT_CLEAN(run.session);
  ASSERT_EQ(run.renders.size(), 1u);
  EXPECT_EQ(run.renders[0]["effects"], run.effects[0]);
  EXPECT_EQ(run.renders[0]["settings"]["5401"], json::parse(R"({"bool": false})"));
  EXPECT_TRUE(run.session.Events("bits").empty());
}

TEST(RenderEffects, RenderWithoutSuppressionAfterOneWith) {
  // First render switches GI off and back on; then 10023 is unticked in the
  // dialog and the second render leaves GI on and touches no effect.
  TempDir dir;
  simhost::Options options = HostOptions(dir);
  StoreChoices(options, Choices().Set(10027, false));
  std::string script =
      RenderScript(WriteScene(dir, SceneWith(FullSettings(), json::array({Effect(1021096)}))));
  script += "untick 10023\nclick 10032\nshow effects\n";
  RenderRun run(RunHost(options, script));
  EXPECT_CLEAN(run.session);
  ASSERT_EQ(run.renders.size(), 2u);
  EXPECT_EQ(run.renders[0]["effects"][0]["enabled"], false);
  EXPECT_EQ(run.renders[1]["effects"][0]["enabled"], true);
  EXPECT_EQ(run.session.Events("bits").size(), 2u);  // both from the first render
  ASSERT_EQ(run.effects.size(), 3u);
  EXPECT_EQ(run.effects[2], run.effects[0]);
}

TEST(RenderEffects, DocumentWithoutEffects) {
  json seen = RenderedEffects(json::array(), Choices());
  EXPECT_TRUE(seen.empty());
}

TEST(RenderEffects, EffectsTheRenderSwitchedOnStayOn) {
  // The render switches every effect back on while it runs. The restore must
  // switch on, not toggle: toggling would leave the effects it suppressed off.
  json effects = {Effect(300001045), Effect(1001401), Effect(1021096)};
  json scene = SceneWith(FullSettings(), effects);
  scene["render_reenables_effects"] = true;
  TempDir dir;
  RenderRun run = RunRender(dir, scene, Choices());
  EXPECT_CLEAN(run.session);
  ASSERT_EQ(run.renders.size(), 1u);
  EXPECT_EQ(States(run.renders[0]["effects"]), (std::vector<bool>{false, false, true}));
  ASSERT_EQ(run.effects.size(), 2u);
  EXPECT_EQ(States(run.effects[1]), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(run.effects[1], run.effects[0]);
}

}  // namespace
}  // namespace brevio_test
