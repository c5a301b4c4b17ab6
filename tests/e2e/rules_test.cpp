// The host's rules table as its users see it: the page that documents the
// rules and the program's --list-rules say what the table says.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "core/rules.h"
#include "session_helpers.h"

namespace brevio_test {
namespace {

std::vector<std::string> TableIds() {
  std::vector<std::string> ids;
  for (const simhost::RuleInfo& rule : simhost::kRules) ids.push_back(rule.id);
  return ids;
}

TEST(Rules, TheChecksPageListsExactlyTheTablesRulesInItsOrder) {
  std::ifstream page(BREVIO_SOURCE_DIR "/simhost/docs/checks.md");
  ASSERT_TRUE(page);
  // A rule's row: | `id` | what the plug-in must do | event |
  const std::regex row(R"(^\| `([a-z0-9-]+)` \|.*\| (misuse|leak) \|\s*$)");
  std::vector<std::string> ids;
  std::string line;
  std::smatch m;
  while (std::getline(page, line)) {
    if (!std::regex_match(line, m, row)) continue;
    ids.push_back(m[1]);
    for (const simhost::RuleInfo& rule : simhost::kRules) {
      if (m[1] == rule.id) {
        EXPECT_EQ(m[2], rule.event) << line;
      }
    }
  }
  EXPECT_EQ(ids, TableIds());
}

#ifndef _WIN32
TEST(Rules, TheProgramListsEveryRuleAsOneJsonLine) {
  TempDir dir;
  const std::string out = dir / "rules.jsonl";
  const std::string command =
      std::string("\"") + SIMHOST_PROGRAM + "\" --list-rules >\"" + out + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(out);
  std::vector<std::string> ids;
  std::string line;
  while (std::getline(in, line)) {
    const json rule = json::parse(line);
    ASSERT_TRUE(rule.is_object()) << line;
    EXPECT_EQ(rule.size(), 3u) << line;
    ids.push_back(rule.value("rule", ""));
    if (ids.size() <= simhost::kRuleCount) {
      const simhost::RuleInfo& expected = simhost::kRules[ids.size() - 1];
      EXPECT_EQ(rule.value("event", ""), expected.event) << line;
      EXPECT_EQ(rule.value("text", ""), expected.text) << line;
    }
  }
  EXPECT_EQ(ids, TableIds());
}
#endif

}  // namespace
}  // namespace brevio_test
