// The Brevio window as it opens: gadgets, items, menus and the enabled states
// of the factory defaults; closing and reopening; a broken or missing
// description.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "dialog_helpers.h"

namespace brevio_test {
namespace {

const char* kNoDescription = "Brevio: could not load the resource file.";

TEST(DialogLayout, OpensWithItemsMenusAndTheFactoryDefaults) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, kShow}));
  EXPECT_CLEAN(s);
  json d = DialogEvent(s, 0);
  EXPECT_TRUE(d["open"]);
  EXPECT_EQ(d["title"], "Brevio");

  std::map<int, json> items;
  for (const auto& g : d["gadgets"])
    if (g["kind"] == "combo") items[g["id"]] = g["items"];
  EXPECT_EQ(items[10008], json::parse(R"([[6000,"None"],[6001,"Geometry"],[6002,"Best"]])"));
  EXPECT_EQ(items[10009], json::parse(R"([[6010,"Still"],[6011,"Animation"]])"));
  EXPECT_EQ(items[10002],
            json::parse(R"([[6020,"Current frame"],[6021,"Preview range"],[6023,"All"]])"));
  EXPECT_EQ(items[10003], json::parse(R"([[6030,"Editor"],[6031,"Picture Viewer"]])"));
  EXPECT_EQ(items[10004], json::parse(R"([[6041,"1:1"],[6042,"1:2"],[6043,"1:3"],[6044,"1:4"],
                                          [6048,"1:8"],[6056,"1:16"]])"));
  EXPECT_EQ(items[10010],
            json::parse(R"([[6070,"Low - no filter"],[6073,"Low"],[6075,"No change"]])"));

  EXPECT_EQ(d["menus"], json::parse(R"([
      {"title":"File","entries":[{"id":5055,"text":"Save Settings"},
                                 {"id":5050,"text":"Reset settings"},
                                 {"separator":true},{"command":12097}]},
      {"title":"Help","entries":[{"id":5100,"text":"About Brevio..."},
                                 {"id":5110,"text":"Show Help File (.PDF)..."}]}])"));

  Window w = Gadgets(d);
  EXPECT_EQ(w.size(), 31u);
  EXPECT_EQ(w[10008].value, 6000);
  EXPECT_EQ(w[10009].value, 6010);
  EXPECT_EQ(w[10002].value, 6020);
  EXPECT_EQ(w[10003].value, 6030);
  EXPECT_EQ(w[10004].value, 6041);
  EXPECT_EQ(Ticked(w), (std::set<int>{10012, 10015, 10020, 10023, 10027}));
  // Anti-aliasing "None" and target "Editor" grey out their dependants; so
  // does 10014 unticked. 10017 and the eight effects follow ticked boxes.
  EXPECT_EQ(Disabled(w), (std::set<int>{10009, 10004, 10012, 10013, 10016}));

  // The plug-in folder is written when the window is created.
  EXPECT_EQ(s.CountConsoleLine(BuiltPluginsDir() + "/Brevio"), 1u);
  EXPECT_FALSE(s.HasConsoleLine(kNoDescription));
}

TEST(DialogLayout, CloseAndReopenKeepsValuesAndItems) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir),
                      Script({kOpen, "choose 10003 6031", "choose 10004 6048", "tick 10014",
                              "untick 10023", "choose 10010 6073", kShow, "click 10033", kShow,
                              kOpen, kShow, "close", kOpen, "menu 12097", kOpen, kOpen, kShow}));
  EXPECT_CLEAN(s);
  EXPECT_FALSE(DialogEvent(s, 1)["open"]);  // Close button: the window is gone
  Window before = Gadgets(s, 0);
  Window after = Gadgets(s, 2);
  // The settings survive; combo 10010 is not bound to any, so the new window
  // shows none of its items chosen again.
  EXPECT_EQ(Changed(before, after), std::set<int>{10010});
  EXPECT_EQ(Gadgets(s, 3), after);

  for (int n : {2, 3}) {
    std::map<int, size_t> counts;
    const json d = DialogEvent(s, n);
    for (const auto& g : d["gadgets"])
      if (g["kind"] == "combo") counts[g["id"]] = g["items"].size();
    EXPECT_EQ(counts, (std::map<int, size_t>{
                          {10008, 3}, {10009, 2}, {10002, 3}, {10003, 2}, {10004, 6}, {10010, 3}}));
  }
  // One path line per window created (four); the last open only brought
  // the window to the front.
  EXPECT_EQ(s.CountConsoleLine(BuiltPluginsDir() + "/Brevio"), 4u);
  size_t fronts = 0;
  for (const auto& e : s.Events("window")) fronts += e.value("front", false);
  EXPECT_EQ(fronts, 1u);
}

TEST(DialogLayout, MissingResourceFolderReportsAndOpensNoWindow) {
  TempDir dir;
  std::string brevio;
  simhost::Options o = CopiedHostOptions(dir, brevio);
  fs::remove_all(brevio + "/res");
  Session s = RunHost(o, Script({kOpen, kShow}));
  EXPECT_CLEAN(s);

  // The path line, then the failure, in that order and nothing between.
  const auto& console = s.Console();
  auto path = std::find(console.begin(), console.end(), brevio);
  ASSERT_NE(path, console.end()) << s.result.transcript;
  ASSERT_NE(path + 1, console.end());
  EXPECT_EQ(*(path + 1), kNoDescription);
  EXPECT_FALSE(DialogEvent(s, 0)["open"]);
  EXPECT_FALSE(s.Last("window")["layout"]);
}

// A copy of the plug-in whose description lacks the lines that hold any of
// `needles`.
simhost::Options WithoutResLines(TempDir& dir, const std::vector<std::string>& needles) {
  std::string brevio;
  simhost::Options o = CopiedHostOptions(dir, brevio);
  std::string path = brevio + "/res/dialogs/brevio.res";
  std::ifstream in(path);
  std::stringstream kept;
  std::set<std::string> removed;
  for (std::string line; std::getline(in, line);) {
    bool drop = false;
    for (const std::string& needle : needles)
      if (line.find(needle) != std::string::npos) {
        removed.insert(needle);
        drop = true;
      }
    if (!drop) kept << line << "\n";
  }
  in.close();
  EXPECT_EQ(removed.size(), needles.size());
  std::ofstream(path, std::ios::trunc) << kept.str();
  return o;
}

TEST(DialogLayout, AGadgetMissingFromTheDescriptionKeepsItsField) {
  TempDir dir;
  // Shadows (10015, on by default) is gone from the description.
  simhost::Options o = WithoutResLines(dir, {"CHECKBOX IDC_SHADOW "});
  Session s = RunHost(o, Script({kOpen, "choose 10003 6031", "tick 10017", "menu 5055", kShow}));
  EXPECT_CLEAN(s);
  EXPECT_FALSE(s.HasConsoleLine(kNoDescription));
  Window w = Gadgets(s, 0);
  EXPECT_EQ(w.count(10015), 0u);
  // Nothing could be read from the missing box: the stored value is the
  // field's own, and the rule that depends on it still follows the field.
  json saved = s.Last("prefs")["entries"];
  EXPECT_EQ(saved["7010"], json::parse(R"({"bool":true})"));
  EXPECT_EQ(saved["7024"], json::parse(R"({"bool":true})"));
  EXPECT_EQ(saved.size(), 28u);
  EXPECT_TRUE(w[10017].enabled);
}

// Whatever a failed read may hand back never reaches the settings: a check
// box that is off and a combo box, both missing, keep their fields through
// a save and a render while every other gadget is changed.
TEST(DialogLayout, MissingGadgetsReachNeitherThePreferencesNorTheRender) {
  TempDir dir;
  // Save image (10006, off) and the frame range (10002, "Current frame").
  simhost::Options o =
      WithoutResLines(dir, {"CHECKBOX IDC_SAVEIMAGE ", "COMBOBOX IDC_FRAMERANGE "});
  const std::string scene = dir / "scene.json";
  std::ofstream(scene) << R"({"render_settings":{"5076":{"bool":true},"5016":{"int32":0},
      "5008":{"float":640.0},"5009":{"float":480.0}}})";
  Session s = RunHost(
      o, Script({"document " + Quoted(scene), kOpen, "choose 10008 6002", "choose 10009 6011",
                 "choose 10003 6031", "choose 10004 6042", "tick 10005", "tick 10007", "tick 10021",
                 "menu 5055", "click 10032", kShow}));
  EXPECT_CLEAN(s);
  Window w = Gadgets(s, 0);
  EXPECT_EQ(w.count(10006) + w.count(10002), 0u);

  json saved = s.Last("prefs")["entries"];
  EXPECT_EQ(saved.size(), 28u);
  EXPECT_EQ(saved["7006"], json::parse(R"({"bool":false})"));
  EXPECT_EQ(saved["7002"], json::parse(R"({"int32":6020})"));
  // The gadgets that are there were read.
  EXPECT_EQ(saved["7000"], json::parse(R"({"int32":6002})"));
  EXPECT_EQ(saved["7004"], json::parse(R"({"int32":6042})"));
  EXPECT_EQ(saved["7005"], json::parse(R"({"bool":true})"));
  EXPECT_EQ(saved["7025"], json::parse(R"({"bool":true})"));
  // Every stored choice is one of the combo items, every option a boolean.
  for (const auto& [key, value] : saved.items()) {
    if (value.contains("int32"))
      EXPECT_TRUE(value["int32"] >= 6000 && value["int32"] <= 6075) << key << " " << value;
    else
      EXPECT_TRUE(value.contains("bool")) << key << " " << value;
  }

  auto renders = s.Events("render");
  ASSERT_EQ(renders.size(), 1u) << s.result.transcript;
  json rendered = renders[0]["settings"];
  EXPECT_EQ(rendered["5076"], json::parse(R"({"bool":false})"));  // save image off
  EXPECT_EQ(rendered["5016"], json::parse(R"({"int32":1})"));     // the current frame
  EXPECT_EQ(rendered["5002"], json::parse(R"({"int32":2})"));     // the gadgets that are there
  EXPECT_EQ(rendered["5008"], json::parse(R"({"float":320.0})"));
}

TEST(DialogLayout, BrokenDescriptionIsReportedWithItsLine) {
  TempDir dir;
  std::string brevio;
  simhost::Options o = CopiedHostOptions(dir, brevio);
  std::ofstream(brevio + "/res/dialogs/brevio.res", std::ios::trunc)
      << "DIALOG DLG_BREVIO\n{\n  NAME IDS_DLG_TITLE;\n  GROUP {\n";
  Session s = RunHost(o, Script({kOpen}));
  EXPECT_CLEAN(s);
  EXPECT_EQ(s.Last("resource")["error"],
            "res/dialogs/brevio.res:5: expected '}' to close 'GROUP' opened at line 4");
  EXPECT_TRUE(s.HasConsoleLine(kNoDescription));
}

}  // namespace
}  // namespace brevio_test
