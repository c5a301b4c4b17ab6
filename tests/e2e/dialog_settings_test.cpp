// Saving and resetting the settings from the dialog: every one of the 28
// fields round-trips through the preferences, a restart brings them back, a
// reset with nothing stored shows the factory defaults, a refused save tells
// the user in a box and nowhere else.
#include <gtest/gtest.h>

#include <fstream>

#include "dialog_helpers.h"

namespace brevio_test {
namespace {

const char* kNoSettings = "Failed to load the Brevio settings.";

// Every field away from its factory default, each dependent box changed
// while the box it depends on lets the user reach it.
const std::vector<std::string> kAwayFromDefaults = {
    "choose 10008 6002", "choose 10009 6011", "choose 10002 6023", "choose 10003 6031",
    "choose 10004 6048", "tick 10005",        "tick 10006",        "tick 10007",
    "tick 10013",        "untick 10012",      "tick 10014",        "tick 10016",
    "tick 10017",        "untick 10015",      "tick 10018",        "tick 10019",
    "untick 10020",      "tick 10021",        "tick 10022",        "tick 10024",
    "tick 10025",        "tick 10026",        "untick 10027",      "tick 10028",
    "tick 10029",        "tick 10030",        "tick 10031",        "untick 10023"};

// And back again.
const std::vector<std::string> kBackToDefaults = {
    "tick 10023",        "tick 10027",        "untick 10024",      "untick 10025",
    "untick 10026",      "untick 10028",      "untick 10029",      "untick 10030",
    "untick 10031",      "tick 10020",        "untick 10018",      "untick 10019",
    "untick 10021",      "untick 10022",      "tick 10015",        "untick 10017",
    "untick 10016",      "untick 10014",      "tick 10012",        "untick 10013",
    "untick 10005",      "untick 10006",      "untick 10007",      "choose 10004 6041",
    "choose 10003 6030", "choose 10002 6020", "choose 10009 6010", "choose 10008 6000"};

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(DialogSettings, SaveThenResetBringsBackAllTwentyEightFields) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script(Join({{kOpen, kShow},
                                                     kAwayFromDefaults,
                                                     {kShow, "menu 5055"},
                                                     kBackToDefaults,
                                                     {kShow, "menu 5050", kShow}})));
  EXPECT_CLEAN(s);
  Window defaults = Gadgets(s, 0), changed = Gadgets(s, 1), back = Gadgets(s, 2),
         reset = Gadgets(s, 3);
  // All 28 fields changed (10010 and the buttons are not fields).
  std::set<int> fields(kChecks.begin(), kChecks.end());
  fields.insert({10008, 10009, 10002, 10003, 10004});
  std::set<int> values;
  for (int id : fields)
    if (defaults[id].value != changed[id].value) values.insert(id);
  EXPECT_EQ(values, fields);
  EXPECT_EQ(Changed(defaults, back), std::set<int>{});
  EXPECT_EQ(Changed(changed, reset), std::set<int>{});  // values and enabled states

  // What was stored: exactly the 28 keys, replacing whatever was there,
  // including the values of boxes that were disabled when saved (10013).
  json saved = s.Last("prefs");
  EXPECT_EQ(saved["plugin"], kBrevioId);
  EXPECT_EQ(saved["add"], false);
  EXPECT_EQ(saved["entries"], json::parse(R"({
      "7000":{"int32":6002},"7001":{"int32":6011},"7002":{"int32":6023},
      "7003":{"int32":6031},"7004":{"int32":6048},
      "7005":{"bool":true},"7006":{"bool":true},"7007":{"bool":true},"7008":{"bool":true},
      "7009":{"bool":true},"7010":{"bool":false},"7011":{"bool":true},"7012":{"bool":false},
      "7013":{"bool":true},"7014":{"bool":true},"7015":{"bool":false},"7016":{"bool":true},
      "7017":{"bool":true},"7018":{"bool":true},"7019":{"bool":false},"7020":{"bool":true},
      "7021":{"bool":true},"7022":{"bool":true},"7023":{"bool":true},"7024":{"bool":true},
      "7025":{"bool":true},"7026":{"bool":false},"7027":{"bool":true}})"));
  EXPECT_EQ(s.CountConsoleLine(kNoSettings), 1u);  // the start only: reset found them
}

TEST(DialogSettings, SavedSettingsSurviveARestart) {
  TempDir dir;
  Session s =
      RunHost(HostOptions(dir),
              Script(Join({{kOpen},
                           kAwayFromDefaults,
                           {"choose 10010 6075", kShow, "menu 5055", "restart", kOpen, kShow}})));
  EXPECT_CLEAN(s);
  // The first start found nothing; the second found what was saved. The
  // unbound combo 10010 is not among it.
  EXPECT_EQ(s.CountConsoleLine(kNoSettings), 1u);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), std::set<int>{10010});
  EXPECT_EQ(Gadgets(s, 1)[10010].value, 0);
}

TEST(DialogSettings, ResetWithNothingStoredShowsTheFactoryDefaults) {
  TempDir dir;
  Session s =
      RunHost(HostOptions(dir), Script({kOpen, kShow, "choose 10008 6001", "choose 10003 6031",
                                        "untick 10023", "menu 5050", kShow}));
  EXPECT_CLEAN(s);
  EXPECT_EQ(s.CountConsoleLine(kNoSettings), 2u);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), std::set<int>{});
  EXPECT_TRUE(s.Events("prefs").empty());
}

TEST(DialogSettings, RefusedSaveTellsTheUserInABoxOnly) {
  TempDir dir;
  simhost::Options o = HostOptions(dir);
  o.refusePrefsSave = true;
  Session s = RunHost(o, Script({kOpen, "tick 10005", kShow, "menu 5055", kShow}));
  EXPECT_CLEAN(s);
  auto boxes = s.Events("messagebox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["text"], "Brevio: failed to save the plugin preferences correctly.");
  EXPECT_EQ(boxes[0]["style"], 48);
  EXPECT_EQ(s.Last("prefs")["result"], false);
  // No console line beyond those of the start and the window.
  std::vector<std::string> expected = {kNoSettings, "Talvern Software: Brevio successfully loaded.",
                                       " ", BuiltPluginsDir() + "/Brevio"};
  EXPECT_EQ(s.Console(), expected);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), std::set<int>{});
  EXPECT_EQ(s.Last("user")["answer"], true);
}

// The host has no boolean type: a stored int32 under an option's key loads as
// (value != 0), a stored bool under a choice's key as 0 or 1, unchanged; a
// floating value under either is no value of theirs and gives the default.
TEST(DialogSettings, StoredValuesLoadAsTheHostReadsThem) {
  TempDir dir;
  simhost::Options o = HostOptions(dir);
  fs::create_directories(o.prefsDir);
  std::ofstream(fs::path(o.prefsDir) / "world_plugin_data.json") << R"({
      "format": "simhost world plug-in preferences 1",
      "plugins": {"1027069": {"data": {
        "7000": {"bool": true}, "7002": {"bool": false}, "7001": {"float": 6011},
        "7005": {"int32": 5}, "7010": {"int32": 0}, "7006": {"int32": -1},
        "7012": {"float": 0}}}}})";
  Session s = RunHost(o, Script({kOpen, kShow}));
  EXPECT_CLEAN(s);
  Window w = Gadgets(s, 0);
  EXPECT_EQ(w[10008].value, 1);
  EXPECT_EQ(w[10002].value, 0);
  EXPECT_EQ(w[10009].value, 6010);  // the default
  EXPECT_EQ(w[10005].value, true);
  EXPECT_EQ(w[10006].value, true);
  EXPECT_EQ(w[10015].value, false);
  EXPECT_EQ(w[10020].value, true);  // the default
}

TEST(DialogSettings, ASecondSaveReplacesTheFirst) {
  TempDir dir;
  Session s =
      RunHost(HostOptions(dir), Script({kOpen, "tick 10005", "menu 5055", "untick 10005",
                                        "tick 10006", "menu 5055", "restart", kOpen, kShow}));
  EXPECT_CLEAN(s);
  Window w = Gadgets(s, 0);
  EXPECT_EQ(w[10005].value, false);
  EXPECT_EQ(w[10006].value, true);
}

}  // namespace
}  // namespace brevio_test
