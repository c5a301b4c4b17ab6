// The module in a hostile host: an allocation refused at every point of the
// start-up, of opening the dialog and of a test render, one point per run.
// Whatever fails, the module must not crash, leak or misuse the host, must
// answer as the host expects, and must leave the document as it found it.
#include <gtest/gtest.h>

#include <set>

#include "session_helpers.h"

namespace brevio_test {
namespace {

const char* kLoaded = "Talvern Software: Brevio successfully loaded.";
const char* kNotRegistered = "Talvern Software: Failed to register Brevio";

// Index of the first event of that name (and action), or -1.
int IndexOf(const Session& s, const std::string& name, int action = 0) {
  for (size_t i = 0; i < s.events.size(); ++i)
    if (s.events[i].value("event", "") == name &&
        (action == 0 || s.events[i].value("action", 0) == action))
      return static_cast<int>(i);
  return -1;
}

int EntryResult(const Session& s, int action) {
  const int i = IndexOf(s, "entry", action);
  return i < 0 ? -99 : s.events[i].value("result", -99);
}

// What one run with the Nth creation refused did; `injected` false when the
// script made fewer creations than N.
struct FailedRun {
  Session session;
  bool injected = false;
  std::string kind;         // of the refused creation
  bool duringStart = true;  // refused before action 2 returned
};

FailedRun RunWithFailure(const simhost::Options& base, const std::string& script, int64_t n) {
  simhost::Options options = base;
  options.failAllocationAt = n;
  FailedRun run;
  run.session = RunHost(options, script);
  const int failure = IndexOf(run.session, "fail-allocation");
  run.injected = failure >= 0;
  if (run.injected) {
    run.kind = run.session.events[failure]["kind"];
    run.duringStart = failure < IndexOf(run.session, "entry", 2);
  }
  return run;
}

// What every run must show, wherever its failure fell.
void ExpectSoundRun(const FailedRun& run) {
  const Session& s = run.session;
  // Exit 2 is a script line the user could not carry out (no window to click
  // in, say); 1 would be a leak or a misuse.
  EXPECT_NE(s.result.exitCode, 1) << s.result.transcript;
  EXPECT_TRUE(s.Events("leak").empty()) << s.result.transcript;
  EXPECT_TRUE(s.Events("misuse").empty()) << s.result.transcript;
  EXPECT_EQ(EntryResult(s, 1), 1);
  EXPECT_EQ(EntryResult(s, 3), 1);

  const auto& console = s.Console();
  auto at = [&](const char* line) {
    return std::find(console.begin(), console.end(), std::string(line)) - console.begin();
  };
  const bool noCommandObject = run.duringStart && run.kind == "memory";
  if (noCommandObject) {
    // The command object could not be made: the host is never asked.
    EXPECT_EQ(EntryResult(s, 2), 0);
    EXPECT_TRUE(s.Events("register").empty());
    ASSERT_LT(at(kNotRegistered) + 1, static_cast<long>(console.size())) << s.result.transcript;
    EXPECT_EQ(console[at(kNotRegistered) + 1], " ");
  } else {
    EXPECT_EQ(EntryResult(s, 2), 1) << s.result.transcript;
    ASSERT_EQ(s.Events("register").size(), 1u);
    EXPECT_EQ(s.Events("register")[0]["result"], true);
    EXPECT_FALSE(s.HasConsoleLine(kNotRegistered));
    // Only the refused string of the line itself can drop it.
    if (!(run.duringStart && run.kind == "string")) {
      EXPECT_TRUE(s.HasConsoleLine(kLoaded));
    }
  }
}

// Runs the script once for every creation it makes, refusing that one.
template <class Check>
int Sweep(const simhost::Options& options, const std::string& script, Check check) {
  int64_t n = 0;
  for (;; ++n) {
    FailedRun run = RunWithFailure(options, script, n);
    if (!run.injected) break;
    SCOPED_TRACE("creation " + std::to_string(n) + " (" + run.kind + ") refused");
    ExpectSoundRun(run);
    check(run);
    if (::testing::Test::HasFatalFailure() || n > 5000) break;
  }
  return static_cast<int>(n);
}

TEST(Hostile, EveryAllocationOfTheStartUpMayFail) {
  TempDir dir;
  const int points = Sweep(HostOptions(dir), "", [](const FailedRun&) {});
  // The start-up makes a handful of objects at least: location, resource,
  // strings, command object, dialog, icon.
  EXPECT_GT(points, 6);
}

TEST(Hostile, EveryAllocationOfOpeningTheDialogMayFail) {
  TempDir dir;
  Sweep(HostOptions(dir), "command 1027069\nshow dialog\n", [](const FailedRun& run) {
    const Session& s = run.session;
    const auto commands = s.Events("command");
    if (s.Events("register").empty() || s.Events("register")[0]["result"] != true) {
      EXPECT_TRUE(commands.empty());  // nothing to run
      return;
    }
    ASSERT_EQ(commands.size(), 1u);
    // Without its host dialog the command cannot open a window, and says so.
    if (run.duringStart && run.kind == "dialog") {
      EXPECT_EQ(commands[0]["result"], 0);
    }
    // An open window shows what could be built, never a half-built menu
    // (the host reports that as a misuse) nor an item twice.
    const json dialog = s.Last("dialog");
    for (const auto& menu : dialog["menus"])
      EXPECT_TRUE(menu["title"] == "File" || menu["title"] == "Help") << menu;
    for (const auto& g : dialog["gadgets"]) {
      if (g["kind"] != "combo") continue;
      std::set<int> ids;
      for (const auto& item : g["items"]) EXPECT_TRUE(ids.insert(item[0].get<int>()).second) << g;
    }
  });
}

TEST(Hostile, EveryAllocationOfATestRenderMayFailAndTheDocumentIsRestored) {
  TempDir dir;
  // Picture Viewer at 1:2 with the region taken from the interactive render
  // region: every step of the test render makes objects.
  const std::string script =
      "command 1027069\n"
      "choose 10003 6031\n"
      "choose 10004 6042\n"
      "tick 10013\n"
      "show renderdata\nshow effects\n"
      "click 10032\n"
      "show renderdata\nshow effects\n";
  int renders = 0;
  Sweep(HostOptions(dir), script, [&](const FailedRun& run) {
    const Session& s = run.session;
    const auto settings = s.Events("renderdata");
    const auto effects = s.Events("effects");
    if (settings.size() < 2) return;  // the click never came
    renders += !s.Events("render").empty();
    const json& before = settings[0]["settings"];
    const json& after = settings[1]["settings"];
    for (const auto& [id, value] : before.items())
      EXPECT_EQ(after.value(id, json()), value) << "render setting " << id;
    ASSERT_EQ(effects.size(), 2u);
    ASSERT_EQ(effects[0]["effects"].size(), effects[1]["effects"].size());
    for (size_t i = 0; i < effects[0]["effects"].size(); ++i)
      EXPECT_EQ(effects[1]["effects"][i]["enabled"], effects[0]["effects"][i]["enabled"])
          << "effect #" << i;
  });
  EXPECT_GT(renders, 0);
}

TEST(Hostile, EveryAllocationOfSavingAndResettingMayFail) {
  TempDir dir;
  Sweep(HostOptions(dir), "command 1027069\nuntick 10020\nmenu 5055\nmenu 5050\nshow dialog\n",
        [](const FailedRun& run) {
          const Session& s = run.session;
          const auto saves = s.Events("prefs");
          // A container that could not be made is never offered as the settings.
          for (const auto& save : saves) EXPECT_EQ(save["entries"].size(), 28u);
          if (saves.empty()) return;
          const json dialog = s.Last("dialog");
          if (!dialog.value("open", false)) return;
          // Reset after a save shows what was saved.
          for (const auto& g : dialog["gadgets"])
            if (g["id"] == 10020) {
              EXPECT_EQ(g["value"], false);
            }
        });
}

}  // namespace
}  // namespace brevio_test
