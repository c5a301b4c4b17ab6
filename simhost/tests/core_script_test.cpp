// Reading session scripts, and what a faulty line does to a session.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/host.h"
#include "core/script.h"
#include "core_fixture.h"
#include "simhost/simhost.h"

namespace simhost {
namespace {

using nlohmann::json;

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string error;
  EXPECT_TRUE(SplitWords(line, words, error)) << error;
  return words;
}

TEST(ScriptWords, BlanksQuotesAndComments) {
  EXPECT_EQ(Words("  choose\t10008   6001  "),
            (std::vector<std::string>{"choose", "10008", "6001"}));
  EXPECT_EQ(Words("# a comment"), std::vector<std::string>{});
  EXPECT_EQ(Words("command 1027069 # run it"), (std::vector<std::string>{"command", "1027069"}));
  EXPECT_EQ(Words(R"(document "my scenes/a #1.json")"),
            (std::vector<std::string>{"document", "my scenes/a #1.json"}));
  EXPECT_EQ(Words(R"(say "" "a\"b\\c")"), (std::vector<std::string>{"say", "", "a\"b\\c"}));
  EXPECT_EQ(Words("x\r"), std::vector<std::string>{"x"});

  std::vector<std::string> words;
  std::string error;
  EXPECT_FALSE(SplitWords(R"(document "unterminated)", words, error));
  EXPECT_NE(error.find("not closed"), std::string::npos);
  EXPECT_FALSE(SplitWords(R"(x "\q")", words, error));
  EXPECT_NE(error.find("\\q"), std::string::npos);

  EXPECT_EQ(ScriptLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(ScriptLines(""), std::vector<std::string>{});
}

TEST(ScriptWords, WholeInt32Only) {
  int32_t v = 0;
  EXPECT_TRUE(ParseInt32("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  for (const char* bad : {"", "2147483648", "12a", " 1", "+1", "0x10", "1.0"})
    EXPECT_FALSE(ParseInt32(bad, v)) << bad;
}

TEST(ScriptActions, LongestNameWins) {
  ActionRegistry registry;
  std::string ran;
  registry.Add("show", "show", [&](Host&, const std::vector<std::string>&, std::string&) {
    ran = "show";
    return true;
  });
  registry.Add("show dialog", "show dialog",
               [&](Host&, const std::vector<std::string>&, std::string&) {
                 ran = "show dialog";
                 return true;
               });
  size_t consumed = 0;
  EXPECT_NE(registry.Find({"show", "dialog", "x"}, consumed), nullptr);
  EXPECT_EQ(consumed, 2u);
  EXPECT_NE(registry.Find({"show", "effects"}, consumed), nullptr);
  EXPECT_EQ(consumed, 1u);
  EXPECT_EQ(registry.Find({"shows"}, consumed), nullptr);
  EXPECT_EQ(registry.Usages().size(), 2u);
}

class SessionScript : public ::testing::Test {
 protected:
  std::vector<json> Run(const std::string& script, int& exitCode) {
    Options options;
    options.pluginDirs = {dir_.Str()};  // no modules: only the host itself
    options.echo = false;
    Result r = RunSession(options, script);
    exitCode = r.exitCode;
    transcript_ = r.transcript;
    std::vector<json> events;
    for (const auto& e : r.events) events.push_back(json::parse(e));
    return events;
  }
  static std::vector<json> Of(const std::vector<json>& events, const std::string& name) {
    std::vector<json> out;
    for (const auto& e : events)
      if (e["event"] == name) out.push_back(e);
    return out;
  }
  ScratchDir dir_;
  std::string transcript_;
};

TEST_F(SessionScript, UnknownActionNamesItsLineAndStopsTheScript) {
  int exitCode = 0;
  auto events = Run("# warm-up\n\nrestart\nfrobnicate 3\nrestart\n", exitCode);
  EXPECT_EQ(exitCode, 2);
  auto errors = Of(events, "error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0]["line"], 4);
  EXPECT_NE(errors[0]["text"].get<std::string>().find("frobnicate"), std::string::npos);
  EXPECT_NE(transcript_.find("script line 4"), std::string::npos);
  // The line before ran, the line after did not, and the host still quit.
  EXPECT_EQ(Of(events, "restart").size(), 1u);
  EXPECT_EQ(Of(events, "stop").size(), 2u);
}

TEST_F(SessionScript, BadArgumentsAreErrorsOfTheirLine) {
  struct Case {
    const char* script;
    int line;
    const char* mentions;
  } cases[] = {
      {"command\n", 1, "command ID"},
      {"command 12x\n", 1, "12x"},
      {"restart\ncommand 1027069\n", 2, "no command 1027069"},
      {"quit now\n", 1, "quit"},
      {"entry 1\n", 1, "no module"},
      {"entry\n", 1, "entry ACTION"},
      {"restart\nrestart \"open\n", 2, "not closed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    int exitCode = 0;
    auto errors = Of(Run(c.script, exitCode), "error");
    EXPECT_EQ(exitCode, 2);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0]["line"], c.line);
    EXPECT_NE(errors[0]["text"].get<std::string>().find(c.mentions), std::string::npos)
        << errors[0]["text"];
  }
}

TEST_F(SessionScript, QuitEndsTheScript) {
  int exitCode = 0;
  auto events = Run("quit\nfrobnicate\n", exitCode);
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(Of(events, "error").empty());
  EXPECT_EQ(Of(events, "stop").size(), 1u);
  EXPECT_EQ(events.back()["event"], "end");
}

TEST_F(SessionScript, ASessionActsLineByLineAndFinishesOnce) {
  Options options;
  options.pluginDirs = {dir_.Str()};
  options.echo = false;
  Session session(options);
  std::string error;
  EXPECT_TRUE(session.Act("# a comment"));
  EXPECT_FALSE(session.Act("frobnicate", &error));
  EXPECT_NE(error.find("frobnicate"), std::string::npos);
  // A faulty line changes nothing: the session goes on.
  EXPECT_FALSE(session.Act("restart now", &error));
  EXPECT_TRUE(session.Act("restart"));
  EXPECT_TRUE(session.Act("quit"));
  EXPECT_TRUE(session.Quit());
  EXPECT_FALSE(session.Act("restart"));
  EXPECT_EQ(session.Script(), "# a comment\nfrobnicate\nrestart now\nrestart\nquit\nrestart\n");
  const Result& result = session.Finish();
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(&session.Finish(), &result);
  std::vector<json> events;
  for (const auto& e : result.events) events.push_back(json::parse(e));
  auto errors = Of(events, "error");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0]["line"], 2);
  EXPECT_EQ(errors[1]["line"], 3);
  EXPECT_EQ(Of(events, "start").size(), 2u);
  EXPECT_EQ(Of(events, "end").size(), 1u);
}

}  // namespace
}  // namespace simhost
