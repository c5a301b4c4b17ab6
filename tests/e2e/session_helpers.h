// session_helpers.h - running the real built module in the simulated host
// from a test, and reading back what happened.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "brevio_testing/support.h"
#include "simhost/simhost.h"

namespace brevio_test {

namespace fs = std::filesystem;
using nlohmann::json;

// A fresh folder, named after the running test, removed with everything in
// it when the test ends.
class TempDir : public brevio_testing::TempDir {
 public:
  TempDir() : brevio_testing::TempDir(TestName()) {}

 private:
  static std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "_" + info->name() : "brevio";
  }
};

using brevio_testing::Quoted;

// The one id Brevio registers: its command, its dialog, its preferences.
constexpr int32_t kBrevioId = 1027069;

// The plug-ins folder of the build, holding Brevio/ with the module and res/.
inline std::string BuiltPluginsDir() { return BREVIO_PLUGINS_DIR; }

// A copy of the built plug-ins folder that a test may change (remove res/,
// break a file, ...). Answers the copy's plug-ins folder.
inline std::string CopyPlugins(const TempDir& dir) {
  fs::path target = dir.Path() / "plugins";
  fs::copy(BuiltPluginsDir(), target, fs::copy_options::recursive);
  return target.generic_string();
}

// Options for a well-behaved host with its own preferences folder.
inline simhost::Options HostOptions(const TempDir& dir) {
  simhost::Options o;
  o.pluginDirs = {BuiltPluginsDir()};
  o.prefsDir = (dir.Path() / "prefs").generic_string();
  o.echo = false;
  return o;
}

struct Session {
  simhost::Result result;
  std::vector<json> events;

  // Every event with "event" == name, in order.
  std::vector<json> Events(const std::string& name) const {
    std::vector<json> out;
    for (const auto& e : events)
      if (e.value("event", "") == name) out.push_back(e);
    return out;
  }
  const std::vector<std::string>& Console() const { return result.console; }
  bool HasConsoleLine(const std::string& text) const {
    for (const auto& l : result.console)
      if (l == text) return true;
    return false;
  }
  size_t CountConsoleLine(const std::string& text) const {
    size_t n = 0;
    for (const auto& l : result.console) n += (l == text);
    return n;
  }
  // The last event of that name (an empty object when there is none).
  json Last(const std::string& name) const {
    auto all = Events(name);
    return all.empty() ? json::object() : all.back();
  }
};

inline Session RunHost(const simhost::Options& options, const std::string& script) {
  Session s;
  s.result = simhost::RunSession(options, script);
  for (const auto& line : s.result.events) s.events.push_back(json::parse(line));
  return s;
}

// Fails the test with the transcript when the session did not end cleanly
// (script error, misuse or leak).
#define EXPECT_CLEAN(session) EXPECT_EQ((session).result.exitCode, 0) << (session).result.transcript

}  // namespace brevio_test
