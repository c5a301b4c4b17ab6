// The test render as a whole: the refusal for other render engines, the
// render command chosen, the render-region button's two messages, the order
// of the steps, documents without render settings, and repeated renders.
#include <gtest/gtest.h>

#include "render_support.h"

namespace brevio_test {
namespace {

// What the host saw during the `nth` click of Render, one word group per
// host event: "message 18", "bits 1021096 off", "setdata merge", "update",
// "render 12163".
std::vector<std::string> StepsOfClick(const Session& s, int nth = 0) {
  std::vector<std::string> steps;
  int clicks = -1;
  bool inside = false;
  for (const auto& e : s.events) {
    const std::string kind = e.value("event", "");
    if (kind == "action") {
      inside = e.value("text", "") == "click 10032" && ++clicks == nth;
      continue;
    }
    if (!inside) continue;
    if (kind == "message") steps.push_back("message " + std::to_string(e["type"].get<int>()));
    if (kind == "bits")
      steps.push_back("bits " + std::to_string(e["nodeType"].get<int>()) +
                      ((e["bits"].get<int>() & kDisabledBit) ? " off" : " on"));
    if (kind == "setdata")
      steps.push_back(e["merge"] == true ? "setdata merge" : "setdata replace");
    if (kind == "update") steps.push_back("update");
    if (kind == "render") steps.push_back("render " + std::to_string(e["command"].get<int>()));
  }
  return steps;
}

using Steps = std::vector<std::string>;

TEST(RenderLaunch, AnotherEngineIsRefusedOnceAndNothingChanges) {
  for (int32_t engine : {1023342, 1, 300001061, -5}) {
    SCOPED_TRACE("engine " + std::to_string(engine));
    TempDir dir;
    json settings = FullSettings();
    SetInt(settings, 5300, engine);
    json effects = {{{"type", 1021096}, {"enabled", true}}, {{"type", 300001045}}};
    RenderRun run = RunRender(dir, SceneWith(settings, effects, {{{1, 2, 3, 4}}}),
                              Choices().Set(10013, true).Set(10027, false));
    EXPECT_CLEAN(run.session);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0]["text"], kNotStandardRenderer);
    EXPECT_EQ(run.boxes[0]["style"], 48);
    EXPECT_TRUE(run.renders.empty());
    // Not a message, not a bit, not an apply: the document was not touched.
    EXPECT_EQ(StepsOfClick(run.session), Steps{});
    ASSERT_EQ(run.settings.size(), 2u);
    EXPECT_EQ(run.settings[1], run.settings[0]);
    EXPECT_EQ(run.effects[1], run.effects[0]);
  }
}

TEST(RenderLaunch, TheEngineIsReadAsAThirtyTwoBitInteger) {
  // Absent, the engine reads as 0, the standard one. A boolean is a 32-bit
  // integer to the host: false is the standard engine, true engine 1.
  json absent = FullSettings();
  absent.erase("5300");
  json asFalse = FullSettings();
  SetBool(asFalse, 5300, false);
  json asTrue = FullSettings();
  SetBool(asTrue, 5300, true);
  for (const json& settings : {absent, asFalse, asTrue}) {
    SCOPED_TRACE(settings.value("5300", json()).dump());
    TempDir dir;
    RenderRun run = RunRender(dir, SceneWith(settings), Choices());
    EXPECT_CLEAN(run.session);
    EXPECT_EQ(run.boxes.size(), NotStandardRenderer(settings) ? 1u : 0u);
    EXPECT_EQ(run.renders.size(), NotStandardRenderer(settings) ? 0u : 1u);
  }
}

TEST(RenderLaunch, EditorOrPictureViewerCommand) {
  const std::pair<int32_t, int32_t> targets[] = {{6030, kEditorCommand},
                                                 {6031, kPictureViewerCommand},
                                                 {6032, kPictureViewerCommand},
                                                 {0, kPictureViewerCommand}};
  for (const auto& [target, command] : targets) {
    SCOPED_TRACE("target " + std::to_string(target));
    TempDir dir;
    Choices c;
    c.renderTarget = target;
    RenderRun run = RunRender(dir, SceneWith(FullSettings()), c);
    EXPECT_CLEAN(run.session);
    ASSERT_EQ(run.renders.size(), 1u);
    EXPECT_EQ(run.renders[0]["command"], command);
    auto calls = run.session.Events("callcommand");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0]["sub"], 0);
  }
}

TEST(RenderLaunch, StepsRunInOrder) {
  TempDir dir;
  json effects = {{{"type", 300001045}}, {{"type", 1021096}}};
  RenderRun run = RunRender(dir, SceneWith(FullSettings(), effects), Choices());
  EXPECT_CLEAN(run.session);
  // Ambient occlusion is not kept by default, global illumination is.
  EXPECT_EQ(StepsOfClick(run.session),
            (Steps{"bits 300001045 off", "setdata merge", "message 5", "update", "render 12163",
                   "bits 300001045 on", "setdata merge", "message 5"}));
}

TEST(RenderLaunch, RegionButtonRefreshesTheWorkingCopyOnly) {
  TempDir dir;
  json settings = FullSettings();  // region off, 0 10 20 30
  std::array<int32_t, 4> open = {100, 50, 900, 600};
  Choices c = Choices().Set(10012, true).Set(10013, true);
  c.renderTarget = 6031;
  c.resolutionScale = 6042;
  RenderRun run = RunRender(dir, SceneWith(settings, json::array(), open), c);
  EXPECT_CLEAN(run.session);

  EXPECT_EQ(StepsOfClick(run.session),
            (Steps{"message 18", "message 17", "setdata merge", "message 5", "update",
                   "render 12099", "setdata merge", "message 5"}));
  auto messages = run.session.Events("message");
  ASSERT_GE(messages.size(), 2u);
  const json descid = json::parse("[[28501, 8, 110304]]");
  EXPECT_EQ(messages[0]["type"], 18);
  EXPECT_EQ(messages[0]["descid"], descid);
  EXPECT_EQ(messages[0]["action"]["id"], 0x62414354);
  EXPECT_EQ(messages[0]["action"]["entries"],
            json::parse(R"({"1835362660": {"int32": 1440}, "1835365985": {"int32": 1}})"));
  EXPECT_EQ(messages[0]["container"], json::parse(R"({"id": -1, "entries": {}})"));
  EXPECT_EQ(messages[0]["parentDialog"], false);
  EXPECT_EQ(messages[0]["customGui"], false);
  EXPECT_EQ(messages[0]["applied"], true);
  EXPECT_EQ(messages[1]["type"], 17);
  EXPECT_EQ(messages[1]["descid"], descid);
  EXPECT_EQ(messages[1]["drawFlags"], 0);

  // The render saw the region and every later override on top of it.
  ASSERT_EQ(run.renders.size(), 1u);
  const json& seen = run.renders[0]["settings"];
  EXPECT_EQ(seen["7004"], json::parse(R"({"bool": true})"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(seen[Key(7005 + i)]["int32"], open[i]);
  EXPECT_EQ(seen["5008"]["float"], 960.0);
  EXPECT_EQ(seen, ExpectedRenderSettings(settings, open, c));
  // The backup from before the messages comes back, region values included.
  EXPECT_EQ(run.settings[1], run.settings[0]);
}

TEST(RenderLaunch, RegionWithoutTheButton) {
  // 10013 off: the region is switched on as the document has it; no message.
  TempDir dir;
  RenderRun run = RunRender(dir, SceneWith(FullSettings(), json::array(), {{{1, 2, 3, 4}}}),
                            Choices().Set(10012, true).Set(10013, false));
  EXPECT_CLEAN(run.session);
  EXPECT_EQ(run.session.Events("message").size(), 2u);  // the two updates only
  ASSERT_EQ(run.renders.size(), 1u);
  EXPECT_EQ(run.renders[0]["settings"]["7004"], json::parse(R"({"bool": true})"));
  EXPECT_EQ(run.renders[0]["settings"]["7006"], json::parse(R"({"int32": 10})"));
}

TEST(RenderLaunch, NoRenderSettingsDoesNothing) {
  TempDir dir;
  RenderRun run = RunRender(dir, json{{"render_settings", nullptr}}, Choices().Set(10013, true));
  EXPECT_CLEAN(run.session);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_TRUE(run.renders.empty());
  EXPECT_EQ(StepsOfClick(run.session), Steps{});
  EXPECT_TRUE(run.session.Events("callcommand").empty());
  // The click still reached the dialog and answered (the document is there).
  EXPECT_NE(run.session.result.transcript.find("Command(10032) answered true"), std::string::npos)
      << run.session.result.transcript;
}

TEST(RenderLaunch, TwoRendersInARowEachRestore) {
  TempDir dir;
  json effects = {{{"type", 1001401}}, {{"type", 1001400}, {"enabled", false}}};
  Choices c;
  c.renderTarget = 6031;
  c.resolutionScale = 6043;
  simhost::Options options = HostOptions(dir);
  StoreChoices(options, c);
  RenderRun run(
      RunHost(options, RenderScript(WriteScene(dir, SceneWith(FullSettings(), effects)), 2)));
  EXPECT_CLEAN(run.session);
  ASSERT_EQ(run.renders.size(), 2u);
  ASSERT_EQ(run.settings.size(), 3u);
  // The second render starts from the restored document: it sees the same.
  EXPECT_EQ(run.renders[1], run.renders[0]);
  EXPECT_EQ(run.renders[0]["settings"]["5008"]["float"], 640.0);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(run.settings[i], run.settings[0]);
    EXPECT_EQ(run.effects[i], run.effects[0]);
  }
  EXPECT_EQ(StepsOfClick(run.session, 1), StepsOfClick(run.session, 0));
}

TEST(RenderLaunch, DefaultSceneWithChoicesMadeInTheDialog) {
  // No scene given: the host's default document. The render uses what the
  // dialog shows at the click, not what was stored.
  TempDir dir;
  Session s = RunHost(HostOptions(dir),
                      "command 1027069\nchoose 10008 6002\nchoose 10003 6031\n"
                      "choose 10004 6056\nuntick 10012\ntick 10024\nclick 10032\n"
                      "show renderdata\nshow effects\n");
  EXPECT_CLEAN(s);
  auto renders = s.Events("render");
  ASSERT_EQ(renders.size(), 1u);
  const json& seen = renders[0]["settings"];
  EXPECT_EQ(renders[0]["command"], kPictureViewerCommand);
  EXPECT_EQ(seen["5002"], json::parse(R"({"int32": 2})"));
  EXPECT_EQ(seen["5008"], json::parse(R"({"float": 80.0})"));
  EXPECT_EQ(seen["5009"], json::parse(R"({"float": 45.0})"));
  EXPECT_EQ(seen["7004"], json::parse(R"({"bool": false})"));
  // Ambient occlusion kept, glow not; global illumination kept by default.
  EXPECT_EQ(renders[0]["effects"], json::parse(R"([{"type": 1021096, "enabled": true, "bits": 0},
                            {"type": 300001045, "enabled": true, "bits": 0},
                            {"type": 1001401, "enabled": false, "bits": 4},
                            {"type": 1001400, "enabled": false, "bits": 4}])"));
  EXPECT_EQ(s.Last("renderdata")["settings"]["5008"], json::parse(R"({"float": 1280.0})"));
  EXPECT_EQ(s.Last("effects")["effects"][2]["enabled"], true);
}

TEST(RenderLaunch, NoActiveDocumentNoRender) {
  TempDir dir;
  simhost::Options options = HostOptions(dir);
  Session s = RunHost(options, "command 1027069\ndocument none\nclick 10032\n");
  EXPECT_CLEAN(s);
  EXPECT_TRUE(s.Events("render").empty());
  EXPECT_TRUE(s.Events("callcommand").empty());
  EXPECT_TRUE(s.Events("messagebox").empty());
}

}  // namespace
}  // namespace brevio_test
