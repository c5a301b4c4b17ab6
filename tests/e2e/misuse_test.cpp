// The simulated host's checks on every call between host and plug-in, proven
// against modules that break the rules on purpose (tests/badmodule).
#include <gtest/gtest.h>

#include "core/rules.h"
#include "session_helpers.h"

namespace brevio_test {
namespace {

simhost::Options BadHost(const char* pluginsDir) {
  simhost::Options o;
  o.pluginDirs = {pluginsDir};
  o.echo = false;
  return o;
}

Session RunBad(const std::string& script) {
  return RunHost(BadHost(BREVIO_BADPLUGINS_DIR), script);
}

TEST(Misuse, WellBehavedCallsAreNotReported) {
  Session s = RunBad("command 1900000\n");
  EXPECT_CLEAN(s);
  EXPECT_TRUE(s.Events("misuse").empty());
  EXPECT_TRUE(s.Events("leak").empty());
  // Every command object goes back through its destructor entry, once.
  EXPECT_EQ(s.Events("destruct").size(), 31u);
}

TEST(Misuse, ObjectsLeftByACallAreReportedWithThatCall) {
  struct Case {
    const char* script;
    const char* during;
    const char* kind;
  };
  const Case cases[] = {
      {"command 1900001\n", "Execute(1900001)", "container"},
      {"command 1900007\n", "CreateLayout", "string"},
      {"command 1900008\nmenu 77\n", "Command(77)", "container"},
      {"command 1900009\n", "Execute(1900009)", "descid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    Session s = RunBad(c.script);
    EXPECT_EQ(s.result.exitCode, 1) << s.result.transcript;
    auto leaks = s.Events("leak");
    // Once when the call returns, once more when the host run ends.
    ASSERT_EQ(leaks.size(), 2u) << s.result.transcript;
    EXPECT_EQ(leaks[0]["rule"], "leak-in-call");
    EXPECT_EQ(leaks[1]["rule"], "leak-at-quit");
    for (const auto& leak : leaks) {
      EXPECT_EQ(leak["during"], c.during);
      EXPECT_EQ(leak["kind"], c.kind);
      EXPECT_EQ(leak["count"], 1);
    }
    EXPECT_TRUE(s.Events("misuse").empty());
  }
}

TEST(Misuse, StateKeptFromTheStartMustBeFreedByTheEnd) {
  Session s = RunHost(BadHost(BREVIO_LEAKYPLUGINS_DIR), "command 1900000\n");
  EXPECT_EQ(s.result.exitCode, 1);
  auto leaks = s.Events("leak");
  ASSERT_EQ(leaks.size(), 1u) << s.result.transcript;
  EXPECT_EQ(leaks[0]["during"], "c4d_main(2)");
  EXPECT_EQ(leaks[0]["kind"], "container");
  EXPECT_EQ(leaks[0]["count"], 1);
}

TEST(Misuse, ForbiddenCallsAreReportedAndRefused) {
  struct Case {
    const char* script;
    const char* call;
    const char* rule;
  };
  const Case cases[] = {
      {"command 1900002\n", "Container.Create", "main-thread"},
      {"command 1900003\n", "Container.Free", "live-handle"},
      {"command 1900004\n", "Memory.Free", "command-object"},
      {"command 1900005\n", "Dialog.Close", "window-in-layout"},
      {"command 1900006\n", "Registration.RegisterPlugin", "register-phase"},
      {"command 1900012\n", "Container.SetInt32", "lent-read-only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    Session s = RunBad(c.script);
    EXPECT_EQ(s.result.exitCode, 1) << s.result.transcript;
    auto misuses = s.Events("misuse");
    ASSERT_EQ(misuses.size(), 1u) << s.result.transcript;
    EXPECT_EQ(misuses[0]["call"], c.call);
    EXPECT_EQ(misuses[0]["rule"], c.rule) << misuses[0]["text"];
    // A refused call does nothing, so it leaves nothing behind either.
    EXPECT_TRUE(s.Events("leak").empty()) << s.result.transcript;
  }
}

// Misuses of the session by rule, in order.
std::vector<std::string> Rules(const Session& s) {
  std::vector<std::string> rules;
  for (const auto& m : s.Events("misuse")) rules.push_back(m.value("rule", "?"));
  return rules;
}

TEST(Misuse, AFreedHandleStaysStaleEvenWhenANewObjectCouldTakeItsAddress) {
  Session s = RunBad("command 1900010\n");
  EXPECT_EQ(s.result.exitCode, 1) << s.result.transcript;
  EXPECT_EQ(Rules(s), (std::vector<std::string>{"live-handle", "live-handle"}))
      << s.result.transcript;
  EXPECT_EQ(s.Events("misuse")[0]["call"], "Container.SetInt32");
  EXPECT_EQ(s.Events("misuse")[1]["call"], "Container.Free");
  EXPECT_TRUE(s.Events("leak").empty()) << s.result.transcript;
}

TEST(Misuse, MalformedUtf8IsRefusedWhateverItsForm) {
  // A surrogate, an overlong '/', a code point above U+10FFFF; then a good one.
  Session s = RunBad("command 1900011\n");
  EXPECT_EQ(Rules(s), (std::vector<std::string>{"utf8", "utf8", "utf8"})) << s.result.transcript;
}

TEST(Misuse, TheStoredPreferencesAreLentForReadingOnly) {
  Session s = RunBad("command 1900012\n");
  EXPECT_EQ(Rules(s), std::vector<std::string>{"lent-read-only"});
  // The write changed nothing: the command answers the stored value.
  EXPECT_EQ(s.Last("command")["result"], 1) << s.result.transcript;
}

TEST(Misuse, ACallbackThatOnlyPartlyFitsTheCallbacksSizeIsNotCalled) {
  // The menu entry's Command would leave a container behind if it were called.
  Session s = RunBad("command 1900013\nmenu 77\n");
  EXPECT_CLEAN(s);
  EXPECT_TRUE(s.Events("leak").empty());
}

TEST(Misuse, CallsFromAnotherThreadDuringTheHostsOwnAreReportedNotACrash) {
  Session s = RunBad("command 1900014\n");
  EXPECT_EQ(s.result.exitCode, 1);
  size_t thread = 0, null = 0;
  for (const auto& rule : Rules(s)) {
    thread += rule == "main-thread";
    null += rule == "null-handle";
  }
  EXPECT_EQ(thread, 200u);
  EXPECT_EQ(null, 200u);
}

TEST(Misuse, TheHostKeepsWhatItOwnsAndGivesBackWhatItRefused) {
  // The command object the plug-in tried to free is still destroyed once, at
  // the end; the late registration's object is destroyed at once.
  Session freed = RunBad("command 1900004\n");
  int destroyed = 0;
  for (const auto& e : freed.Events("destruct")) destroyed += e["id"] == 1900004;
  EXPECT_EQ(destroyed, 1);

  Session late = RunBad("command 1900006\n");
  bool refused = false;
  for (const auto& e : late.Events("destruct"))
    refused = refused || (e["id"] == 1900099 && e["reason"] == "registration refused");
  EXPECT_TRUE(refused) << late.result.transcript;
}

// The bad module's command (and what else the script does) that breaks each
// rule of the host's table.
struct Proof {
  simhost::Rule rule;
  const char* script;
};
constexpr Proof kProofs[] = {
    {simhost::Rule::MainThread, "command 1900002\n"},
    {simhost::Rule::NullHandle, "command 1900015\n"},
    {simhost::Rule::LiveHandle, "command 1900003\n"},
    {simhost::Rule::LentObject, "command 1900016\n"},
    {simhost::Rule::LentReadOnly, "command 1900012\n"},
    {simhost::Rule::Utf8, "command 1900011\n"},
    {simhost::Rule::Argument, "command 1900017\n"},
    {simhost::Rule::ActiveDocument, "command 1900018\n"},
    {simhost::Rule::NodeKind, "command 1900019\n"},
    {simhost::Rule::RegisterType, "command 1900020\n"},
    {simhost::Rule::RegisterRecord, "command 1900021\n"},
    {simhost::Rule::RegisterObject, "command 1900022\nentry 2\n"},
    {simhost::Rule::RegisterPhase, "command 1900006\n"},
    {simhost::Rule::CommandObject, "command 1900004\n"},
    {simhost::Rule::DialogCallbacks, "command 1900023\n"},
    {simhost::Rule::FreeInCallback, "command 1900024\n"},
    {simhost::Rule::WindowInLayout, "command 1900005\n"},
    {simhost::Rule::NoWindow, "command 1900025\n"},
    {simhost::Rule::GadgetKind, "command 1900026\n"},
    {simhost::Rule::ComboItem, "command 1900027\n"},
    {simhost::Rule::MenuBar, "command 1900028\n"},
    {simhost::Rule::LeakInCall, "command 1900029\n"},
    {simhost::Rule::LeakAtQuit, "command 1900030\nentry 2\n"},
};

TEST(Misuse, EveryRuleHasACommandThatBreaksItAndNoOther) {
  for (const simhost::RuleInfo& rule : simhost::kRules) {
    SCOPED_TRACE(rule.id);
    const Proof* proof = nullptr;
    for (const Proof& p : kProofs)
      if (p.rule == rule.rule) proof = &p;
    ASSERT_NE(proof, nullptr) << "no bad-module command breaks the rule " << rule.id;
    Session s = RunBad(proof->script);
    EXPECT_EQ(s.result.exitCode, 1) << s.result.transcript;
    // Every report of the run is of this rule, and there is one.
    std::vector<json> reports = s.Events("misuse");
    for (const json& leak : s.Events("leak")) reports.push_back(leak);
    ASSERT_FALSE(reports.empty()) << s.result.transcript;
    for (const json& report : reports) {
      EXPECT_EQ(report.value("rule", "?"), rule.id) << report.dump();
      EXPECT_EQ(report.value("event", "?"), rule.event) << report.dump();
    }
    // The script itself ran: a broken rule is not a script error.
    EXPECT_TRUE(s.Events("error").empty()) << s.result.transcript;
  }
}

}  // namespace
}  // namespace brevio_test
