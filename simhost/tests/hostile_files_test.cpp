// Hostile files as a reviewer would hand them to the host: scene and
// preference files with numbers out of range, duplicate keys, nesting deep
// enough to exhaust a recursive reader, devices instead of files, and
// resource files nested as deep. Each is refused with a reason naming the
// file and the place; none may crash the host or lose what it already holds.
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core_fixture.h"
#include "document/scene.h"
#include "platform/platform.h"
#include "resource/res_syntax.h"

namespace simhost {
namespace {

std::string Nested(size_t depth, const std::string& open, const std::string& close) {
  std::string s;
  s.reserve(depth * (open.size() + close.size()));
  for (size_t i = 0; i < depth; ++i) s += open;
  for (size_t i = 0; i < depth; ++i) s += close;
  return s;
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Loads a scene file and answers its error ("ok" when it is accepted).
std::string SceneError(const ScratchDir& dir, const std::string& text) {
  const std::string path = dir / "scene.json";
  Write(path, text);
  Scene scene;
  std::string error;
  return LoadSceneFile(path, scene, error) ? "ok" : error;
}

TEST(HostileScene, OutOfRangeNumbersDuplicateKeysAndDeepNestingAreRefused) {
  ScratchDir dir;
  const std::string good = R"({"render_settings": {"5008": {"float": 1920}}})";
  EXPECT_EQ(SceneError(dir, good), "ok");

  std::string e = SceneError(dir, R"({"render_settings": {"5008": {"float": 1e400}}})");
  EXPECT_NE(e.find("scene.json"), std::string::npos) << e;
  EXPECT_NE(e.find("1e400"), std::string::npos) << e;

  e = SceneError(dir, R"({"render_settings": {"5002": {"int32": 18446744073709551615}}})");
  EXPECT_NE(e.find("5002"), std::string::npos) << e;
  e = SceneError(dir, R"({"post_effects": [{"type": 5000000000}]})");
  EXPECT_NE(e.find("post_effects[0].type"), std::string::npos) << e;

  e = SceneError(dir, R"({"description": "a", "description": "b"})");
  EXPECT_NE(e.find("\"description\" appears twice"), std::string::npos) << e;

  // Deep nesting in a refused field, then in an accepted one.
  e = SceneError(dir, "{\"description\": " + Nested(50000, "[", "]") + "}");
  EXPECT_NE(e.find("nested deeper than"), std::string::npos) << e;
  e = SceneError(dir, "{\"render_settings\": " + Nested(50000, "{\"1\":", "}") + "}");
  EXPECT_NE(e.find("nested deeper than"), std::string::npos) << e;
}

TEST(HostileScene, AnythingButARegularFileIsRefused) {
  ScratchDir dir;
  Scene scene;
  std::string error;
  EXPECT_FALSE(LoadSceneFile(dir.Str(), scene, error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
#ifndef _WIN32
  EXPECT_FALSE(LoadSceneFile("/dev/zero", scene, error));
  EXPECT_NE(error.find("/dev/zero"), std::string::npos) << error;
#endif
}

TEST(HostileScene, ANulByteIsRefusedWithItsOffset) {
  ScratchDir dir;
  const std::string e = SceneError(dir, std::string("{\"description\": \"a\"}\0{", 22));
  EXPECT_NE(e.find("scene.json"), std::string::npos) << e;
  EXPECT_NE(e.find("a NUL byte at offset 20"), std::string::npos) << e;
}

#ifndef _WIN32
TEST(HostileScene, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo((dir / "scene.json").c_str(), 0644), 0);
  Scene scene;
  std::string error;
  EXPECT_FALSE(LoadSceneFile(dir / "scene.json", scene, error));
  EXPECT_EQ(error, "scene " + (dir / "scene.json") + ": a named pipe, not a regular file");
}
#endif

// A module cut short (a copy interrupted, a full disk) is refused before the
// system maps it: the loader would fault on the pages past its end.
TEST(HostileModule, AFileCutShortIsRefusedBeforeLoading) {
  const std::string module =
      std::string(BREVIO_PLUGINS_DIR) + "/Brevio/Brevio" + platform::ModuleExtension();
  std::string whole, error;
  if (!platform::ReadRegularFile(module, whole, error)) GTEST_SKIP() << module << ": " << error;
  EXPECT_TRUE(platform::CheckModuleImage(whole, error)) << error;
  for (size_t size : {whole.size() - 1, whole.size() / 2, size_t{100}, size_t{20}}) {
    error.clear();
    EXPECT_FALSE(platform::CheckModuleImage(whole.substr(0, size), error)) << size;
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
  }
  // A PE file: headers, one section table entry, its data at 0x200.
  std::string pe(0x400, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) pe[at + i] = static_cast<char>(v >> (8 * i));
  };
  pe[0] = 'M', pe[1] = 'Z';
  put(0x3C, 0x40, 4);
  put(0x40, 0x00004550, 4);  // "PE\0\0"
  put(0x46, 1, 2);           // one section
  put(0x54, 0, 2);           // no optional header
  put(0x58 + 16, 0x200, 4);  // its size
  put(0x58 + 20, 0x200, 4);  // its place
  EXPECT_TRUE(platform::CheckModuleImage(pe, error)) << error;
  EXPECT_FALSE(platform::CheckModuleImage(pe.substr(0, 0x300), error));
  EXPECT_NE(error.find("section 0 (of 1) ends at byte 1024"), std::string::npos) << error;
  EXPECT_FALSE(platform::CheckModuleImage(pe.substr(0, 0x60), error));
  EXPECT_NE(error.find("section table"), std::string::npos) << error;
}

TEST(HostileResource, DeepBlocksAreRefusedWithTheLine) {
  std::vector<res::Node> nodes;
  res::ResError error;
  EXPECT_FALSE(res::ParseBlocks(Nested(20000, "G {\n", "}"), nodes, error));
  EXPECT_NE(error.text.find("nested deeper than"), std::string::npos) << error.text;
  EXPECT_GT(error.line, 1);
  res::StringFile strings;
  EXPECT_FALSE(res::ParseStringFile("STRINGTABLE " + Nested(20000, "X {", "}"), strings, error));
  // Real resources nest a handful of levels.
  EXPECT_TRUE(res::ParseBlocks(Nested(30, "G {\n", "}"), nodes, error)) << error.text;
}

class HostilePrefs : public CoreTest {
 protected:
  HostilePrefs() {
    host_.options.prefsDir = dir_ / "prefs";
    std::filesystem::create_directories(host_.options.prefsDir);
  }
  std::string File() const { return PrefsFile(host_.options); }
  static std::string Entry(const std::string& id, const std::string& data) {
    return "\"" + id + "\": {\"id\": -1, \"data\": " + data + "}";
  }
  static std::string PrefsText(const std::string& entries) {
    return R"({"format": "simhost world plug-in preferences 1", "plugins": {)" + entries + "}}";
  }
  int32_t Stored(int32_t plugin, int32_t id) {
    C4D_Container* c = prefs_->GetWorldPluginData(plugin);
    return c == nullptr ? -999 : bc_->GetInt32(c, id, -1);
  }
  ScratchDir dir_;
};

TEST_F(HostilePrefs, AFormatOfTheWrongTypeIsSetAsideNotACrash) {
  for (const std::string& text :
       std::vector<std::string>{R"({"format":1,"plugins":{}})", R"({"format":null,"plugins":{}})",
                                R"([1,2])", "{\"format\": " + std::string(100000, '[') + "}"}) {
    Write(File(), text);
    host_.Start();
    ASSERT_EQ(Events("prefs-load").size(), 1u) << text;
    EXPECT_EQ(Events("prefs-load")[0]["ok"], false);
    host_.Stop();
    host_.journal.Forget();
  }
}

TEST_F(HostilePrefs, AnotherPluginsBadEntryLeavesTheValidOnesLoaded) {
  Write(File(), PrefsText(Entry("1027069", R"({"7000": {"int32": 6001}})") + ", " +
                          Entry("1000001", R"({"1": {"int32": "six"}})") + ", " +
                          Entry("1000002", R"({"1": {"int32": 18446744073709551615}})") + ", " +
                          R"("1000003": {"id": 5000000000, "data": {}}, )" +
                          Entry("1000004", R"({"1": {"int32": 1}, "1": {"int32": 2}})")));
  host_.Start();
  EXPECT_EQ(Stored(1027069, 7000), 6001);
  for (int32_t other : {1000001, 1000002, 1000003, 1000004})
    EXPECT_EQ(prefs_->GetWorldPluginData(other), nullptr) << other;
  auto load = Events("prefs-load");
  ASSERT_EQ(load.size(), 1u);
  EXPECT_EQ(load[0]["ok"], false);
  EXPECT_EQ(load[0]["kept"], 1);
  ASSERT_EQ(load[0]["refused"].size(), 4u) << load[0].dump();
  EXPECT_NE(load[0]["refused"][3].get<std::string>().find("appears twice"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(load[0]["aside"].get<std::string>()));
  host_.Stop();
}

TEST_F(HostilePrefs, EveryCorruptFileSetAsideIsKept) {
  std::set<std::string> asides;
  for (const char* text : {"not json 1", "not json 2", "not json 3"}) {
    Write(File(), text);
    host_.Start();
    asides.insert(Events("prefs-load").back()["aside"].get<std::string>());
    host_.Stop();
  }
  ASSERT_EQ(asides.size(), 3u);
  std::set<std::string> texts;
  for (const auto& a : asides) {
    std::ifstream in(a);
    std::string text;
    std::getline(in, text);
    texts.insert(text);
  }
  EXPECT_EQ(texts, (std::set<std::string>{"not json 1", "not json 2", "not json 3"}));
}

#ifndef _WIN32
// A named pipe where the preferences file should be: not waited on at the
// start, not moved aside, not replaced; the plug-in is told its settings are
// not kept.
TEST_F(HostilePrefs, ANamedPipeIsNeitherReadNorReplaced) {
  ASSERT_EQ(mkfifo(File().c_str(), 0644), 0);
  host_.Start();
  auto load = Events("prefs-load");
  ASSERT_EQ(load.size(), 1u);
  EXPECT_EQ(load[0]["ok"], false);
  EXPECT_EQ(load[0]["error"], File() + ": a named pipe, not a regular file");
  C4D_Container* c = bc_->Create(-1);
  EXPECT_EQ(prefs_->SetWorldPluginData(1027069, c, 0), 0);
  bc_->Free(c);
  host_.Stop();
  EXPECT_FALSE(host_.errored);
  EXPECT_TRUE(std::filesystem::is_fifo(File()));
}
#endif

TEST_F(HostilePrefs, AFailedWriteAtQuitFailsTheRunWithAnErrorEvent) {
  host_.Start();
  C4D_Container* c = bc_->Create(-1);
  bc_->SetInt32(c, 7000, 6001);
  ASSERT_EQ(prefs_->SetWorldPluginData(1027069, c, 0), 1);
  bc_->Free(c);
  // The folder goes away between the save and the quit (as a full disk
  // would refuse the write): the plug-in was told its settings are kept.
  std::filesystem::remove_all(host_.options.prefsDir);
  Write(host_.options.prefsDir, "a file in the way");
  host_.Stop();
  EXPECT_TRUE(host_.errored);
  auto errors = Events("error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0]["text"].get<std::string>().find(File()), std::string::npos);
  EXPECT_EQ(Events("prefs-save").back()["ok"], false);
}

TEST_F(HostilePrefs, TheWriteLeavesNoTemporaryFileAndUsesAFreshName) {
  host_.Start();
  C4D_Container* c = bc_->Create(-1);
  ASSERT_EQ(prefs_->SetWorldPluginData(1027069, c, 0), 1);
  bc_->Free(c);
  // A temporary file another host left behind is not this host's to reuse.
  Write(File() + ".tmp", "another host's half-written file");
  host_.Stop();
  EXPECT_FALSE(host_.errored);
  std::ifstream other(File() + ".tmp");
  std::string text;
  std::getline(other, text);
  EXPECT_EQ(text, "another host's half-written file");
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(host_.options.prefsDir)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2u);  // the preferences and the other host's file
}

}  // namespace
}  // namespace simhost
