// The host used badly: a script line that cannot be carried out must not
// lose what the plug-in saved before it, the same module file must not be
// loaded twice, and the `simhost` program must answer a bad script path, a
// closed standard input or an unwritable event log with an error exit code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/platform.h"
#include "session_helpers.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace brevio_test {
namespace {

TEST(HostileUsage, AFaultyLineFailsTheRunAndKeepsTheSettingsSavedBeforeIt) {
  TempDir dir;
  simhost::Options options = HostOptions(dir);
  Session s = RunHost(options, "command 1027069\ntick 10005\nmenu 5055\ndocument \"\"\n");
  EXPECT_EQ(s.result.exitCode, 2) << s.result.transcript;
  ASSERT_EQ(s.Events("error").size(), 1u);
  EXPECT_EQ(s.Events("error")[0]["line"], 4);
  std::ifstream in(options.prefsDir + "/world_plugin_data.json");
  ASSERT_TRUE(in) << s.result.transcript;
  const json stored = json::parse(in);
  EXPECT_TRUE(stored["plugins"].contains("1027069")) << stored.dump();
}

TEST(HostileUsage, TheSameModuleFileIsLoadedOnce) {
  TempDir dir;
  simhost::Options options = HostOptions(dir);
  options.pluginDirs = {BuiltPluginsDir(), BuiltPluginsDir()};
  Session twice = RunHost(options, "");
  EXPECT_CLEAN(twice);
  EXPECT_EQ(twice.Events("register").size(), 1u);
  auto refused = twice.Events("module");
  ASSERT_FALSE(refused.empty());
  EXPECT_EQ(refused.back()["loaded"], false);
  EXPECT_NE(refused.back()["reason"].get<std::string>().find("already loaded"), std::string::npos);

#ifndef _WIN32
  // A hard link under another name is the same file too.
  const std::string plugins = CopyPlugins(dir);
  const std::string ext = simhost::platform::ModuleExtension();
  fs::create_directories(plugins + "/Twin");
  fs::create_hard_link(plugins + "/Brevio/Brevio" + ext, plugins + "/Twin/Twin" + ext);
  options.pluginDirs = {plugins};
  Session linked = RunHost(options, "");
  EXPECT_CLEAN(linked);
  EXPECT_EQ(linked.Events("register").size(), 1u);
  EXPECT_NE(linked.Events("module").back()["reason"].get<std::string>().find("already loaded"),
            std::string::npos);
#endif
}

#ifndef _WIN32
// Runs the simhost program through the shell; answers its exit code.
int Program(const std::string& arguments) {
  const std::string command = std::string("\"") + SIMHOST_PROGRAM + "\" --quiet --plugins \"" +
                              BuiltPluginsDir() + "\" " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostileUsage, TheProgramRefusesBadScriptsAndLogsWithAnErrorCode) {
  TempDir dir;
  EXPECT_EQ(Program("--prefs \"" + (dir / "prefs") + "\" /dev/null"), 0);
  EXPECT_EQ(Program("\"" + dir.Path().generic_string() + "\""), 64);  // a folder
  EXPECT_EQ(Program("- <&-"), 64);                                    // stdin closed
  EXPECT_EQ(Program("--log /dev/full /dev/null"), 2);
  EXPECT_EQ(Program("--log \"" + (dir / "no/such/folder/log") + "\" /dev/null"), 64);

  // Standard input that cannot be read is no empty script.
  const std::string folder = "\"" + dir.Path().generic_string() + "\"";
  EXPECT_EQ(Program("- < " + folder), 64);                         // a folder
  EXPECT_EQ(Program("- 0>\"" + (dir / "write-only") + "\""), 64);  // open for writing
  EXPECT_EQ(Program("- < /dev/null"), 0);                          // empty is fine
  // Named pipes nobody writes to or reads from: refused, not waited on.
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  EXPECT_EQ(Program("\"" + (dir / "pipe") + "\""), 64);
  EXPECT_EQ(Program("--log \"" + (dir / "pipe") + "\" /dev/null"), 64);
}

TEST(HostileUsage, AModuleFileCutShortIsRefusedNotACrash) {
  TempDir dir;
  const std::string plugins = CopyPlugins(dir);
  const std::string module = plugins + "/Brevio/Brevio" + simhost::platform::ModuleExtension();
  const std::string whole = module + ".whole";
  fs::copy_file(module, whole);
  // Cut inside what the system maps (it would fault on the missing pages),
  // and after it (only the sections are missing).
  for (uintmax_t size : {uintmax_t{38912}, fs::file_size(whole) - 1}) {
    fs::copy_file(whole, module, fs::copy_options::overwrite_existing);
    fs::resize_file(module, size);
    simhost::Options options = HostOptions(dir);
    options.pluginDirs = {plugins};
    Session s = RunHost(options, "");
    EXPECT_EQ(s.Events("register").size(), 0u) << size;
    ASSERT_FALSE(s.Events("module").empty()) << s.result.transcript;
    EXPECT_EQ(s.Last("module")["loaded"], false);
    EXPECT_NE(s.Last("module").value("reason", "").find("cut short"), std::string::npos)
        << s.Last("module").dump();
  }
}
#endif

}  // namespace
}  // namespace brevio_test
