// The enabling rules as the user meets them: each rule both ways, only the
// dependent gadgets change state, and values of disabled gadgets are kept.
// Without an active document the dialog does nothing at all.
#include <gtest/gtest.h>

#include "dialog_helpers.h"

namespace brevio_test {
namespace {

// Runs `steps` after opening the window, with a `show dialog` after each.
// Answers the session; snapshot 0 is the window as opened.
Session Steps(TempDir& dir, const std::vector<std::string>& steps) {
  std::vector<std::string> lines = {kOpen, kShow};
  for (const auto& step : steps) {
    lines.push_back(step);
    lines.push_back(kShow);
  }
  return RunHost(HostOptions(dir), Script(lines));
}

TEST(DialogRules, RenderTargetGatesResolutionAndRegion) {
  TempDir dir;
  Session s = Steps(dir, {"choose 10003 6031", "choose 10004 6048", "tick 10013", "untick 10012",
                          "tick 10012", "choose 10003 6030", "choose 10003 6031"});
  EXPECT_CLEAN(s);
  // Picture Viewer: resolution and region open up; 10013 too, 10012 being ticked.
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), (std::set<int>{10003, 10004, 10012, 10013}));
  EXPECT_TRUE(Disabled(Gadgets(s, 1)).count(10004) == 0);
  // Unticking the region greys out its dependant only, keeping its tick.
  Window unticked = Gadgets(s, 4);
  EXPECT_EQ(Changed(Gadgets(s, 3), unticked), (std::set<int>{10012, 10013}));
  EXPECT_FALSE(unticked[10013].enabled);
  EXPECT_EQ(unticked[10013].value, true);
  EXPECT_TRUE(Gadgets(s, 5)[10013].enabled);
  // Back to the editor: all three greyed out, values as they were.
  Window editor = Gadgets(s, 6);
  EXPECT_EQ(Changed(Gadgets(s, 5), editor), (std::set<int>{10003, 10004, 10012, 10013}));
  EXPECT_EQ(editor[10004], (Shown{6048, false}));
  EXPECT_EQ(editor[10012], (Shown{true, false}));
  EXPECT_EQ(editor[10013], (Shown{true, false}));
  EXPECT_EQ(Gadgets(s, 7), Gadgets(s, 5));
}

TEST(DialogRules, RegionDependantStaysOffWithoutTheRegion) {
  TempDir dir;
  // With the region unticked in the editor, the Picture Viewer opens up the
  // resolution and the region but not its dependant.
  Session s =
      Steps(dir, {"choose 10003 6031", "untick 10012", "choose 10003 6030", "choose 10003 6031"});
  EXPECT_CLEAN(s);
  Window w = Gadgets(s, 4);
  EXPECT_TRUE(w[10004].enabled);
  EXPECT_TRUE(w[10012].enabled);
  EXPECT_FALSE(w[10013].enabled);
}

TEST(DialogRules, AntiAliasingGatesItsFilter) {
  TempDir dir;
  Session s = Steps(
      dir, {"choose 10008 6001", "choose 10009 6011", "choose 10008 6000", "choose 10008 6002"});
  EXPECT_CLEAN(s);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), (std::set<int>{10008, 10009}));
  EXPECT_TRUE(Gadgets(s, 1)[10009].enabled);
  EXPECT_EQ(Gadgets(s, 3)[10009], (Shown{6011, false}));
  EXPECT_EQ(Gadgets(s, 4)[10009], (Shown{6011, true}));
}

TEST(DialogRules, PostEffectsGateTheirEightSwitches) {
  TempDir dir;
  Session s = Steps(dir, {"tick 10024", "untick 10027", "untick 10023", "tick 10023"});
  EXPECT_CLEAN(s);
  std::set<int> eight = {10024, 10025, 10026, 10027, 10028, 10029, 10030, 10031};
  std::set<int> withSwitch = eight;
  withSwitch.insert(10023);
  Window off = Gadgets(s, 3);
  EXPECT_EQ(Changed(Gadgets(s, 2), off), withSwitch);
  for (int id : eight) EXPECT_FALSE(off[id].enabled) << id;
  EXPECT_EQ(off[10024].value, true);
  EXPECT_EQ(off[10027].value, false);
  EXPECT_EQ(Gadgets(s, 4), Gadgets(s, 2));
}

TEST(DialogRules, ReflectionAndShadowGateTheirLimits) {
  TempDir dir;
  Session s = Steps(dir, {"tick 10014", "tick 10016", "untick 10014", "tick 10017", "untick 10015",
                          "tick 10015"});
  EXPECT_CLEAN(s);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), (std::set<int>{10014, 10016}));
  EXPECT_TRUE(Gadgets(s, 1)[10016].enabled);
  EXPECT_EQ(Gadgets(s, 3)[10016], (Shown{true, false}));
  EXPECT_EQ(Changed(Gadgets(s, 4), Gadgets(s, 5)), (std::set<int>{10015, 10017}));
  EXPECT_EQ(Gadgets(s, 5)[10017], (Shown{true, false}));
  EXPECT_EQ(Gadgets(s, 6)[10017], (Shown{true, true}));
}

TEST(DialogRules, ABoxNoRuleReadsChangesOnlyItself) {
  TempDir dir;
  Session s = Steps(dir, {"choose 10003 6031", "tick 10013", "tick 10005", "choose 10002 6023"});
  EXPECT_CLEAN(s);
  EXPECT_EQ(Changed(Gadgets(s, 1), Gadgets(s, 2)), std::set<int>{10013});
  EXPECT_EQ(Changed(Gadgets(s, 2), Gadgets(s, 3)), std::set<int>{10005});
  EXPECT_EQ(Changed(Gadgets(s, 3), Gadgets(s, 4)), std::set<int>{10002});
}

TEST(DialogRules, DisabledGadgetsCannotBeOperated) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, "choose 10009 6011"}));
  EXPECT_NE(s.result.exitCode, 0);
  EXPECT_NE(s.result.transcript.find("is disabled: the user cannot operate it"), std::string::npos)
      << s.result.transcript;
}

TEST(DialogRules, WithoutAnActiveDocumentNothingHappens) {
  TempDir dir;
  Session s =
      RunHost(HostOptions(dir),
              Script({kOpen, kShow, "document none", "tick 10014", "choose 10003 6031", "menu 5055",
                      "menu 5050", "menu 5100", "menu 5110", "click 10032", "click 10033", kShow,
                      "document default", "click 10033", kOpen, kShow}));
  EXPECT_CLEAN(s);
  // Every command answered false and did nothing: no rule ran, nothing was
  // saved, no box, no file, no render, and the window stayed open.
  auto user = s.Events("user");
  ASSERT_GE(user.size(), 8u);
  for (size_t i = 0; i < 8; ++i) EXPECT_FALSE(user[i]["answer"]) << user[i].dump();
  EXPECT_TRUE(s.Events("prefs").empty());
  EXPECT_TRUE(s.Events("messagebox").empty());
  EXPECT_TRUE(s.Events("open").empty());
  EXPECT_TRUE(s.Events("callcommand").empty());
  Window idle = Gadgets(s, 1);
  EXPECT_TRUE(DialogEvent(s, 1)["open"]);
  EXPECT_EQ(Changed(Gadgets(s, 0), idle), (std::set<int>{10014, 10003}));  // the host's change only
  EXPECT_FALSE(idle[10016].enabled);
  // The settings never heard of it: a new window shows the old values.
  EXPECT_EQ(Gadgets(s, 2), Gadgets(s, 0));
  EXPECT_EQ(s.CountConsoleLine("Failed to load the Brevio settings."), 1u);
}

}  // namespace
}  // namespace brevio_test
