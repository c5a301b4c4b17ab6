// Console lines as the host's logger receives them: every line the module
// can write, each with the fixed audience and meta values and the source
// file and line of the call that wrote it, checked against the module's
// sources.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "session_helpers.h"

namespace brevio_test {
namespace {

// The host's logger values every line carries: all audiences (debugger,
// developers, users) and the default meta flag.
constexpr int kAudienceAll = 14;
constexpr int kMetaDefault = 1;

// One call of WriteConsoleLine in the module's sources.
struct CallSite {
  std::string source;                 // the name it reports: "main", "brevcore"
  std::string path;                   // the file it is in
  int line = 0;                       // the line of its __LINE__
  std::vector<std::string> literals;  // the texts it may write (none: a computed text)
  bool seen = false;
};

// Every call site in source/*.cpp. A file reports the name before the first
// '_' of its own: brevcore_dialog.cpp belongs to "brevcore".
std::vector<CallSite> CallSites() {
  std::vector<CallSite> sites;
  const std::regex literal(R"re("((?:[^"\\]|\\.)*)"_s)re");
  for (const auto& entry : fs::directory_iterator(fs::path(BREVIO_SOURCE_DIR) / "source")) {
    if (entry.path().extension() != ".cpp") continue;
    std::ifstream in(entry.path());
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    const std::string stem = entry.path().stem().string();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find("WriteConsoleLine(") == std::string::npos ||
          lines[i].find("void WriteConsoleLine(") != std::string::npos)
        continue;
      CallSite site;
      site.source = stem.substr(0, stem.find('_'));
      site.path = entry.path().filename().string();
      std::string statement;
      for (size_t j = i; j < lines.size(); ++j) {
        statement += lines[j] + "\n";
        if (site.line == 0 && lines[j].find("__LINE__") != std::string::npos)
          site.line = static_cast<int>(j) + 1;
        if (lines[j].find(';') != std::string::npos) break;
      }
      for (std::sregex_iterator m(statement.begin(), statement.end(), literal), end; m != end; ++m)
        site.literals.push_back((*m)[1]);
      EXPECT_NE(site.line, 0) << site.path << ":" << i + 1 << " passes no __LINE__";
      sites.push_back(site);
    }
  }
  return sites;
}

TEST(Console, EveryLineCarriesTheLoggerValuesAndItsCallSite) {
  std::vector<CallSite> sites = CallSites();
  ASSERT_GE(sites.size(), 6u);  // start, its blank line, resource, settings, path, description

  TempDir dir;
  std::vector<Session> sessions;
  // A first run (no settings stored) that opens the window.
  sessions.push_back(RunHost(HostOptions(dir), "command 1027069\n"));
  // A refused registration.
  simhost::Options refused = HostOptions(dir);
  refused.refuseRegistration = true;
  sessions.push_back(RunHost(refused, ""));
  // No resource folder: neither the module's resource nor the description loads.
  simhost::Options bare = HostOptions(dir);
  bare.pluginDirs = {CopyPlugins(dir)};
  fs::remove_all(fs::path(bare.pluginDirs[0]) / "Brevio" / "res");
  sessions.push_back(RunHost(bare, "command 1027069\n"));

  for (const Session& s : sessions) {
    EXPECT_CLEAN(s);
    for (const json& e : s.Events("console")) {
      SCOPED_TRACE(e.dump());
      EXPECT_EQ(e["flags"], kAudienceAll);
      EXPECT_EQ(e["level"], kMetaDefault);
      const std::string text = e["text"];
      CallSite* match = nullptr;
      for (CallSite& site : sites) {
        if (site.source != e["file"] || site.line != e["line"]) continue;
        const bool fits = site.literals.empty()
                              ? text.size() > 7 && text.substr(text.size() - 7) == "/Brevio"
                              : std::find(site.literals.begin(), site.literals.end(), text) !=
                                    site.literals.end();
        if (fits) match = &site;
      }
      ASSERT_NE(match, nullptr) << "no call in source/ writes this text at this file and line";
      match->seen = true;
    }
  }
  for (const CallSite& site : sites)
    EXPECT_TRUE(site.seen) << site.path << ":" << site.line << " was never written";
}

}  // namespace
}  // namespace brevio_test
