// The dialog's remaining commands: the About box, the help document beside
// the module, the unbound combo box 10010, and the Close button.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_helpers.h"

namespace brevio_test {
namespace {

TEST(DialogCommands, AboutShowsThreeLinesUnderTheProductLine) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, "menu 5100"}));
  EXPECT_CLEAN(s);
  auto boxes = s.Events("messagebox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["style"], 48);
  std::string text = boxes[0]["text"];
  EXPECT_EQ(text.substr(0, text.find('\n')), "Brevio v1.21 for Cinema 4D 2026");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  EXPECT_NE(text.back(), '\n');
  EXPECT_EQ(s.Last("user")["answer"], true);
}

TEST(DialogCommands, HelpOpensTheDocumentBesideTheModule) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, "menu 5110"}));
  EXPECT_CLEAN(s);
  json open = s.Last("open");
  EXPECT_EQ(open["path"], BuiltPluginsDir() + "/Brevio/Brevio.pdf");
  EXPECT_EQ(open["exists"], true);
}

TEST(DialogCommands, MissingHelpDocumentIsReportedByNothing) {
  TempDir dir;
  std::string brevio;
  simhost::Options o = CopiedHostOptions(dir, brevio);
  fs::remove(brevio + "/Brevio.pdf");
  Session s = RunHost(o, Script({kOpen, "menu 5110"}));
  EXPECT_CLEAN(s);
  json open = s.Last("open");
  EXPECT_EQ(open["path"], brevio + "/Brevio.pdf");
  EXPECT_EQ(open["exists"], false);
  EXPECT_TRUE(s.Events("messagebox").empty());
  EXPECT_EQ(s.Console().back(), brevio);  // the window's path line is the last
}

TEST(DialogCommands, UnboundComboTouchesNothing) {
  TempDir dir;
  Session s =
      RunHost(HostOptions(dir), Script({kOpen, kShow, "choose 10010 6073", kShow, "menu 5055"}));
  EXPECT_CLEAN(s);
  EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)), std::set<int>{10010});
  EXPECT_EQ(Gadgets(s, 1)[10010].value, 6073);
  // What is saved is the factory defaults, and nothing about 10010.
  EXPECT_EQ(s.Last("prefs")["entries"], json::parse(R"({
      "7000":{"int32":6000},"7001":{"int32":6010},"7002":{"int32":6020},
      "7003":{"int32":6030},"7004":{"int32":6041},
      "7005":{"bool":false},"7006":{"bool":false},"7007":{"bool":false},"7008":{"bool":false},
      "7009":{"bool":false},"7010":{"bool":true},"7011":{"bool":false},"7012":{"bool":true},
      "7013":{"bool":false},"7014":{"bool":false},"7015":{"bool":true},"7016":{"bool":false},
      "7017":{"bool":false},"7018":{"bool":false},"7019":{"bool":true},"7020":{"bool":false},
      "7021":{"bool":false},"7022":{"bool":false},"7023":{"bool":false},"7024":{"bool":false},
      "7025":{"bool":false},"7026":{"bool":true},"7027":{"bool":false}})"));
  EXPECT_TRUE(s.Events("messagebox").empty());
  EXPECT_TRUE(s.Events("callcommand").empty());
}

TEST(DialogCommands, CloseButtonClosesTheWindowOnly) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, "tick 10005", "click 10033", kShow}));
  EXPECT_CLEAN(s);
  EXPECT_FALSE(DialogEvent(s, 0)["open"]);
  auto windows = s.Events("window");
  ASSERT_GE(windows.size(), 2u);
  EXPECT_EQ(windows[1]["by"], "plugin");
  EXPECT_TRUE(s.Events("prefs").empty());
}

}  // namespace
}  // namespace brevio_test
