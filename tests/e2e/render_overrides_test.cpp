// The render settings a test render hands to the host's render command: each
// override row with its edge values, stored choice ids outside the lists
// included, and the render settings put back afterwards.
#include <gtest/gtest.h>

#include "render_support.h"

namespace brevio_test {
namespace {

// Renders FullSettings() (or `settings`) with `choices`; answers what the
// render saw, after checking that the session was clean, that exactly one
// render ran and that the document came back as it was.
json Rendered(const Choices& choices, const json& settings = FullSettings()) {
  TempDir dir;
  RenderRun run = RunRender(dir, SceneWith(settings), choices);
  EXPECT_CLEAN(run.session);
  if (run.renders.size() != 1 || run.settings.size() != 2) {
    ADD_FAILURE() << "expected one render\n" << run.session.result.transcript;
    return json::object();
  }
  ExpectRestored(run.settings[0], run.settings[1], run.renders[0]["settings"]);
  return run.renders[0]["settings"];
}

json Typed(const char* type, double v) {
  return std::string(type) == "float"  ? json{{"float", v}}
         : std::string(type) == "bool" ? json{{"bool", v != 0}}
                                       : json{{"int32", static_cast<int32_t>(v)}};
}

TEST(RenderOverrides, AntiAliasingModeAndFilter) {
  // Stored choice -> written value; ids outside the lists take the last branch.
  const std::pair<int32_t, int32_t> modes[] = {{6000, 0}, {6001, 1}, {6002, 2}, {6003, 2}, {-1, 2}};
  for (const auto& [choice, mode] : modes) {
    SCOPED_TRACE("antialiasing " + std::to_string(choice));
    Choices c;
    c.antialiasing = choice;
    EXPECT_EQ(Rendered(c)["5002"], Typed("int32", mode));
  }
  const std::pair<int32_t, int32_t> filters[] = {{6010, 0}, {6011, 1}, {6012, 1}, {0, 1}};
  for (const auto& [choice, filter] : filters) {
    SCOPED_TRACE("filter " + std::to_string(choice));
    Choices c;
    c.antialiasingFilter = choice;
    EXPECT_EQ(Rendered(c)["5070"], Typed("int32", filter));
  }
}

TEST(RenderOverrides, FrameRangeLeavesUnknownChoices) {
  // FullSettings() renders manual frames (0).
  const std::pair<int32_t, int32_t> ranges[] = {{6020, 1}, {6021, 3}, {6023, 2},
                                                {6022, 0}, {6024, 0}, {0, 0}};
  for (const auto& [choice, sequence] : ranges) {
    SCOPED_TRACE("frame range " + std::to_string(choice));
    Choices c;
    c.frameRange = choice;
    EXPECT_EQ(Rendered(c)["5016"], Typed("int32", sequence));
  }
}

TEST(RenderOverrides, ResolutionDividedOnlyForThePictureViewer) {
  struct Case {
    int32_t target, scale;
    double x, y;
  };
  const Case cases[] = {
      {6030, 6056, 1920, 1080},  // editor: never divided
      {6030, 6042, 1920, 1080},  //
      {6031, 6041, 1920, 1080},  // 1:1 rewrites the same values
      {6031, 6042, 960, 540},    //
      {6031, 6043, 640, 360},    //
      {6031, 6056, 120, 67.5},   // the fraction is kept
      {6031, 6040, 1920, 1080},  // not above 6040: left
      {6031, 6000, 1920, 1080},  //
      {6031, 6045, 384, 216},    // a divisor outside the list still divides
      {6035, 6042, 1920, 1080},  // a target outside the list is not the Picture Viewer
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("target " + std::to_string(c.target) + " scale " + std::to_string(c.scale));
    Choices choices;
    choices.renderTarget = c.target;
    choices.resolutionScale = c.scale;
    json seen = Rendered(choices);
    EXPECT_EQ(seen["5008"], Typed("float", c.x));
    EXPECT_EQ(seen["5009"], Typed("float", c.y));
  }

  // A missing entry reads as 0.0 and is written back as a floating value.
  // (The host never holds a resolution of another type: such a scene is
  // refused.)
  Choices half;
  half.renderTarget = 6031;
  half.resolutionScale = 6042;
  json settings = FullSettings();
  settings.erase("5008");
  json seen = Rendered(half, settings);
  EXPECT_EQ(seen["5008"], Typed("float", 0.0));
  EXPECT_EQ(seen["5009"], Typed("float", 540.0));
}

TEST(RenderOverrides, SingleOptionsSwitchOffOrLeave) {
  // Option gadget -> render setting it switches off when unticked.
  const std::pair<int32_t, int32_t> rows[] = {{10006, 5076}, {10005, 5202}, {10021, 6016},
                                              {10020, 5064}, {10022, 5052}, {10019, 5604},
                                              {10018, 5069}, {10023, 5401}};
  for (const auto& [gadget, setting] : rows) {
    SCOPED_TRACE("option " + std::to_string(gadget));
    Choices off, on;
    off.Set(gadget, false);
    on.Set(gadget, true);
    EXPECT_EQ(Rendered(off)[Key(setting)], Typed("bool", 0));
    EXPECT_EQ(Rendered(on)[Key(setting)], Typed("bool", 1));  // left as the scene has it
  }

  // Active object only works the other way round: ticked forces it on,
  // unticked never forces it off.
  json activeOnly = FullSettings();
  SetBool(activeOnly, 5021, true);
  EXPECT_EQ(Rendered(Choices().Set(10007, true))["5021"], Typed("bool", 1));
  EXPECT_EQ(Rendered(Choices().Set(10007, false))["5021"], Typed("bool", 0));
  EXPECT_EQ(Rendered(Choices().Set(10007, false), activeOnly)["5021"], Typed("bool", 1));
}

TEST(RenderOverrides, DependentOptionsOnlyCountUnderTheirParent) {
  // Shadows (10015) and limit shadows to soft (10017).
  json seen = Rendered(Choices().Set(10015, false).Set(10017, true));
  EXPECT_EQ(seen["6019"], Typed("bool", 0));
  EXPECT_EQ(seen["6021"], Typed("bool", 0));
  seen = Rendered(Choices().Set(10015, true).Set(10017, true));
  EXPECT_EQ(seen["6019"], Typed("bool", 1));
  EXPECT_EQ(seen["6021"], Typed("bool", 1));
  seen = Rendered(Choices().Set(10015, true).Set(10017, false));
  EXPECT_EQ(seen["6021"], Typed("bool", 0));

  // Reflections (10014) and limit reflections (10016): off clears all three,
  // even with 10016 ticked.
  json reflective = FullSettings();
  SetBool(reflective, 6020, true);
  seen = Rendered(Choices().Set(10014, false).Set(10016, true), reflective);
  EXPECT_EQ(seen["6018"], Typed("bool", 0));
  EXPECT_EQ(seen["6017"], Typed("bool", 0));
  EXPECT_EQ(seen["6020"], Typed("bool", 0));
  seen = Rendered(Choices().Set(10014, true).Set(10016, true));
  EXPECT_EQ(seen["6018"], Typed("bool", 1));
  EXPECT_EQ(seen["6020"], Typed("bool", 1));
  seen = Rendered(Choices().Set(10014, true).Set(10016, false), reflective);
  EXPECT_EQ(seen["6020"], Typed("bool", 1));  // left

  // Render region (10012) and from the interactive region (10013): without
  // 10012 the region is off whatever 10013 says.
  json region = FullSettings();
  SetBool(region, 7004, true);
  EXPECT_EQ(Rendered(Choices().Set(10012, false).Set(10013, true), region)["7004"],
            Typed("bool", 0));
  EXPECT_EQ(Rendered(Choices().Set(10012, true).Set(10013, false))["7004"], Typed("bool", 1));
}

TEST(RenderOverrides, EveryRowAtOnceMatchesTheModel) {
  // All rows away from the defaults in one render, against the model.
  Choices c;
  c.antialiasing = 6001;
  c.antialiasingFilter = 6011;
  c.frameRange = 6021;
  c.renderTarget = 6031;
  c.resolutionScale = 6044;
  for (auto& [gadget, on] : c.options) on = !on;
  json settings = FullSettings();
  json seen = Rendered(c, settings);
  EXPECT_EQ(seen, ExpectedRenderSettings(settings, std::nullopt, c));
  EXPECT_EQ(seen["5008"], Typed("float", 480));
}

}  // namespace
}  // namespace brevio_test
