// Loading, starting and ending the module as the host drives it.
#include <gtest/gtest.h>

#include <fstream>

#include "session_helpers.h"

namespace brevio_test {
namespace {

const char* kLoaded = "Talvern Software: Brevio successfully loaded.";
const char* kNotRegistered = "Talvern Software: Failed to register Brevio";
const char* kNoSettings = "Failed to load the Brevio settings.";
const char* kNoResource = "Brevio: failed to load resource file.";

// The results of c4d_main for one action (and message, for action 6).
std::vector<int> EntryResults(const Session& s, int action, int message = -1) {
  std::vector<int> out;
  for (const auto& e : s.Events("entry")) {
    if (e.value("action", 0) != action) continue;
    if (message >= 0 && e.value("message", -1) != message) continue;
    out.push_back(e.value("result", 0));
  }
  return out;
}

TEST(Lifecycle, FirstRunStartsInOrderWithExactConsoleLines) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), "");
  EXPECT_CLEAN(s);

  // Settings line (from the registration) before the two start-up lines.
  std::vector<std::string> expected = {kNoSettings, kLoaded, " "};
  EXPECT_EQ(s.Console(), expected);

  // System initialisation, then the resource, then the start, then the end.
  std::vector<std::pair<int, int>> order;
  for (const auto& e : s.Events("entry")) order.push_back({e["action"], e["result"]});
  auto first = [&](int action) {
    for (size_t i = 0; i < order.size(); ++i)
      if (order[i].first == action) return static_cast<int>(i);
    return -1;
  };
  ASSERT_GE(first(1), 0);
  EXPECT_LT(first(1), first(6));
  EXPECT_LT(first(6), first(2));
  EXPECT_LT(first(2), first(3));
  EXPECT_EQ(EntryResults(s, 1), std::vector<int>{1});
  EXPECT_EQ(EntryResults(s, 6, 1), std::vector<int>{1});
  EXPECT_EQ(EntryResults(s, 2), std::vector<int>{1});
  EXPECT_EQ(EntryResults(s, 3), std::vector<int>{1});

  auto reg = s.Events("register");
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0]["id"], 1027069);
  EXPECT_EQ(reg[0]["name"], "Brevio");
  EXPECT_FALSE(reg[0]["help"].get<std::string>().empty());
  EXPECT_EQ(reg[0]["icon"], true);
  EXPECT_TRUE(s.Events("leak").empty());
}

TEST(Lifecycle, HostVersionIsChecked) {
  TempDir dir;
  auto options = HostOptions(dir);
  options.apiVersion = 2025999;
  Session old = RunHost(options, "");
  EXPECT_EQ(EntryResults(old, 1), std::vector<int>{-3});
  EXPECT_TRUE(old.Events("register").empty());
  EXPECT_TRUE(old.Events("leak").empty());

  options.apiVersion = 2026000;
  Session exact = RunHost(options, "");
  EXPECT_CLEAN(exact);
  EXPECT_EQ(EntryResults(exact, 1), std::vector<int>{1});
}

TEST(Lifecycle, MissingModuleLocationOrServiceRootIsRefused) {
  TempDir dir;
  auto options = HostOptions(dir);
  options.passModuleLocation = false;
  Session noLocation = RunHost(options, "");
  EXPECT_EQ(EntryResults(noLocation, 1), std::vector<int>{-3});
  EXPECT_TRUE(noLocation.Events("leak").empty());

  // A host that hands over no service tables at all must not crash the module.
  options = HostOptions(dir);
  options.passServiceRoot = false;
  Session noRoot = RunHost(options, "");
  EXPECT_EQ(EntryResults(noRoot, 1), std::vector<int>{-3});
  EXPECT_TRUE(noRoot.Events("leak").empty());
}

TEST(Lifecycle, EveryActionCodeAnswersAsTheHostExpects) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir),
                      "entry 4\n"
                      "entry 5\n"
                      "entry 0\n"
                      "entry 7\n"
                      "entry 6 0\n"
                      "entry 6 2\n");
  EXPECT_CLEAN(s);
  // The host asks for the entry version itself at load; the script asks again.
  for (int r : EntryResults(s, 4)) EXPECT_EQ(r, 5);
  EXPECT_EQ(EntryResults(s, 5), std::vector<int>{-1});
  EXPECT_EQ(EntryResults(s, 0), std::vector<int>{-1});
  EXPECT_EQ(EntryResults(s, 7), std::vector<int>{-1});
  // Message 0 comes once from the host's own start-up and once from the script.
  for (int r : EntryResults(s, 6, 0)) EXPECT_EQ(r, 1);
  EXPECT_EQ(EntryResults(s, 6, 2), std::vector<int>{-1});
}

TEST(Lifecycle, NestedInitialisationTearsDownOnlyAtTheOutermostEnd) {
  TempDir dir;
  // A nested pair of actions 1 and 3 must leave the module location and the
  // resource in place: the dialog still finds its description afterwards.
  Session s = RunHost(HostOptions(dir),
                      "entry 1\n"
                      "entry 3\n"
                      "command 1027069\n");
  EXPECT_CLEAN(s);
  EXPECT_EQ(EntryResults(s, 1), (std::vector<int>{1, 1}));
  EXPECT_EQ(EntryResults(s, 3), (std::vector<int>{1, 1}));
  EXPECT_FALSE(s.HasConsoleLine("Brevio: could not load the resource file."));
  EXPECT_TRUE(s.Events("leak").empty());
}

TEST(Lifecycle, MissingResourceFolderIsReportedOnceAndStillRegisters) {
  TempDir dir;
  auto options = HostOptions(dir);
  std::string plugins = CopyPlugins(dir);
  fs::remove_all(fs::path(plugins) / "Brevio" / "res");
  options.pluginDirs = {plugins};

  Session s = RunHost(options, "entry 6 1\n");
  EXPECT_CLEAN(s);
  // Both message 1 calls fail, and each says so.
  EXPECT_EQ(EntryResults(s, 6, 1), (std::vector<int>{-1, -1}));
  EXPECT_EQ(s.CountConsoleLine(kNoResource), 2u);

  auto reg = s.Events("register");
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0]["name"], "");
  EXPECT_EQ(reg[0]["help"], "");
  EXPECT_EQ(reg[0]["icon"], false);
  EXPECT_TRUE(s.HasConsoleLine(kLoaded));
}

TEST(Lifecycle, MissingOrBrokenIconRegistersWithoutOne) {
  TempDir dir;
  auto options = HostOptions(dir);
  std::string plugins = CopyPlugins(dir);
  fs::path icon = fs::path(plugins) / "Brevio" / "res" / "brevio.tif";
  options.pluginDirs = {plugins};

  fs::remove(icon);
  Session missing = RunHost(options, "");
  EXPECT_CLEAN(missing);
  ASSERT_EQ(missing.Events("register").size(), 1u);
  EXPECT_EQ(missing.Events("register")[0]["icon"], false);
  EXPECT_TRUE(missing.HasConsoleLine(kLoaded));

  {
    std::ofstream broken(icon, std::ios::binary);
    broken << "not an image";
  }
  Session unreadable = RunHost(options, "");
  EXPECT_CLEAN(unreadable);
  ASSERT_EQ(unreadable.Events("register").size(), 1u);
  EXPECT_EQ(unreadable.Events("register")[0]["icon"], false);
}

TEST(Lifecycle, RegistrationFailuresAreReportedOnTheConsole) {
  TempDir dir;
  auto options = HostOptions(dir);
  options.refuseRegistration = true;
  Session refused = RunHost(options, "");
  EXPECT_CLEAN(refused);
  EXPECT_EQ(EntryResults(refused, 2), std::vector<int>{0});
  std::vector<std::string> tail(refused.Console().end() - 2, refused.Console().end());
  EXPECT_EQ(tail, (std::vector<std::string>{kNotRegistered, " "}));

  // The command object cannot be allocated: nothing reaches the registration.
  options = HostOptions(dir);
  options.failAllocationKind = "memory";
  options.failAllocationAt = 0;
  Session noMemory = RunHost(options, "");
  EXPECT_CLEAN(noMemory);
  EXPECT_EQ(EntryResults(noMemory, 2), std::vector<int>{0});
  EXPECT_TRUE(noMemory.Events("register").empty());
  EXPECT_TRUE(noMemory.HasConsoleLine(kNotRegistered));
}

TEST(Lifecycle, NoDefaultLoggerDropsConsoleLinesSilently) {
  TempDir dir;
  auto options = HostOptions(dir);
  options.noDefaultLogger = true;
  Session s = RunHost(options, "command 1027069\nclose\n");
  EXPECT_CLEAN(s);
  EXPECT_TRUE(s.Console().empty());
  EXPECT_EQ(EntryResults(s, 2), std::vector<int>{1});
}

TEST(Lifecycle, MissingServiceTablesNeverCrashTheModule) {
  TempDir dir;
  for (const char* table :
       {"memory", "container", "string", "filename", "resource", "bitmap", "registration", "dialog",
        "document", "command", "console", "prefs", "system"}) {
    SCOPED_TRACE(table);
    auto options = HostOptions(dir);
    options.missingTables = {table};
    Session s = RunHost(options, "command 1027069\nclick 10032\nclose\n");
    // Whatever the module can still do, it must end without a leak.
    EXPECT_TRUE(s.Events("leak").empty()) << s.result.transcript;
  }
}

}  // namespace
}  // namespace brevio_test
