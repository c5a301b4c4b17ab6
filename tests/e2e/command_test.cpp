// The command as the host sees it: what it registers (strings and the icon
// the host keeps), the window it opens and the layout it restores, each under
// the one identity the command and its dialog share.
#include <gtest/gtest.h>

#include "dialog_helpers.h"

namespace brevio_test {
namespace {

TEST(Command, RegistersItsStringsAndAnIconTheHostKeeps) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), "");
  EXPECT_CLEAN(s);
  auto reg = s.Events("register");
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0]["id"], kBrevioId);
  EXPECT_EQ(reg[0]["name"], "Brevio");
  EXPECT_EQ(reg[0]["help"], "Quick test render of the active document with simplified settings");
  EXPECT_EQ(reg[0]["result"], true);
  // The icon comes from the resource folder beside the module, holds an
  // image and is marked for the pixel ratio 1.
  EXPECT_EQ(reg[0]["icon"], true);
  EXPECT_EQ(reg[0]["iconPath"], BuiltPluginsDir() + "/Brevio/res/brevio.tif");
  EXPECT_EQ(reg[0]["iconImage"], true);
  EXPECT_EQ(reg[0]["iconData"], json::parse(R"({"100": 1.0})"));
}

// The window events that answer the dialog's Open or RestoreLayout, with the
// keys they carry besides `event` and `title`.
std::vector<json> WindowCalls(const Session& s) {
  std::vector<json> out;
  for (json e : s.Events("window")) {
    if (!e.contains("subId")) continue;  // a close
    e.erase("event");
    e.erase("title");
    out.push_back(e);
  }
  return out;
}

TEST(Command, OpensAndRestoresItsDialogUnderOneIdentity) {
  TempDir dir;
  // Opened, brought to the front, closed, restored from a layout, restored
  // again while open, closed, restored with the window closed by the user.
  Session s = RunHost(HostOptions(dir), Script({kOpen, kOpen, "close", "restore 1027069",
                                                "restore 1027069", "click 10033", kOpen}));
  EXPECT_CLEAN(s);
  const json opened = {{"open", true}, {"plugin", kBrevioId}, {"subId", 0},        {"x", -1},
                       {"y", -1},      {"defaultWidth", 0},   {"defaultHeight", 0}};
  json front = opened;
  front["front"] = true;
  const json restored = {{"open", true},
                         {"plugin", kBrevioId},
                         {"subId", 0},
                         {"layoutData", true},
                         {"restored", true}};
  json restoredFront = restored;
  restoredFront.erase("restored");
  restoredFront["front"] = true;
  EXPECT_EQ(WindowCalls(s), (std::vector<json>{opened, front, restored, restoredFront, opened}));

  for (const auto& e : s.Events("command")) EXPECT_EQ(e["result"], 1);
  auto restores = s.Events("restore");
  ASSERT_EQ(restores.size(), 2u);
  for (const auto& e : restores) EXPECT_EQ(e["result"], 1);
}

}  // namespace
}  // namespace brevio_test
