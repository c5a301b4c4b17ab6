// Scene files: what a good scene becomes, the shortcuts for absent keys, and
// that every kind of malformed scene is refused with a useful reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "document/scene.h"

namespace simhost {
namespace {

using nlohmann::json;

TEST(SceneLoader, ReadsEveryPartOfAGoodScene) {
  json j = json::parse(R"({
    "description": "two GI effects, the second off",
    "render_settings": {"5008": {"float": 1920.5}, "5002": {"int32": 2}, "6018": {"bool": true}},
    "post_effects": [
      {"type": 1021096},
      {"type": 1021096, "enabled": false, "settings": {"1": {"int32": 5}}},
      {"type": 300001045, "bits": 6}
    ],
    "interactive_render_region": [10, 20, 300, 200],
    "render_reenables_effects": [1021096]
  })");
  Scene s;
  std::string error;
  ASSERT_TRUE(ParseScene(j, s, error)) << error;
  ASSERT_TRUE(s.renderSettings.has_value());
  EXPECT_EQ(s.renderSettings->entries.size(), 3u);
  EXPECT_EQ(s.renderSettings->entries.at(5008), Value::Float(1920.5));
  EXPECT_EQ(s.renderSettings->entries.at(5002), Value::Int32(2));
  EXPECT_EQ(s.renderSettings->entries.at(6018), Value::Bool(true));

  ASSERT_EQ(s.effects.size(), 3u);
  EXPECT_EQ(s.effects[0].type, 1021096);
  EXPECT_EQ(s.effects[0].bits, 0);
  EXPECT_EQ(s.effects[1].bits, kBitDisabled);
  EXPECT_EQ(s.effects[1].settings.entries.at(1), Value::Int32(5));
  EXPECT_EQ(s.effects[2].bits, 6);  // other bits kept, off through bit 4

  ASSERT_TRUE(s.interactiveRegion.has_value());
  EXPECT_EQ(*s.interactiveRegion, (std::array<int32_t, 4>{10, 20, 300, 200}));
  EXPECT_FALSE(s.reenableAll);
  EXPECT_EQ(s.reenableTypes, std::vector<int32_t>{1021096});
}

TEST(SceneLoader, AbsentKeysAndNullMeanWhatTheDocsSay) {
  Scene s;
  std::string error;
  // Nothing given: the host's default render settings, no effects, no region.
  ASSERT_TRUE(ParseScene(json::object(), s, error)) << error;
  ASSERT_TRUE(s.renderSettings.has_value());
  EXPECT_EQ(*s.renderSettings, DefaultRenderSettings());
  EXPECT_TRUE(s.effects.empty());
  EXPECT_FALSE(s.interactiveRegion.has_value());
  EXPECT_FALSE(s.reenableAll);

  // null render settings: a document without active render settings.
  ASSERT_TRUE(ParseScene(json::parse(R"({"render_settings": null, "post_effects": []})"), s, error))
      << error;
  EXPECT_FALSE(s.renderSettings.has_value());

  // An empty object is an empty container, not the defaults.
  ASSERT_TRUE(ParseScene(json::parse(R"({"render_settings": {}})"), s, error)) << error;
  ASSERT_TRUE(s.renderSettings.has_value());
  EXPECT_TRUE(s.renderSettings->entries.empty());

  ASSERT_TRUE(ParseScene(json::parse(R"({"render_reenables_effects": true,
                                         "interactive_render_region": null})"),
                         s, error))
      << error;
  EXPECT_TRUE(s.reenableAll);
  EXPECT_FALSE(s.interactiveRegion.has_value());
}

TEST(SceneLoader, DefaultSceneHoldsEverySettingTheTestRenderTouches) {
  Scene s = DefaultScene();
  ASSERT_TRUE(s.renderSettings.has_value());
  const auto& e = s.renderSettings->entries;
  for (int32_t id : {5002, 5016, 5070, 5300, 7005, 7006, 7007, 7008}) {
    ASSERT_TRUE(e.count(id)) << id;
    EXPECT_EQ(e.at(id).type, Value::Type::Int32) << id;
  }
  for (int32_t id :
       {5021, 5052, 5064, 5069, 5076, 5202, 5401, 5604, 6016, 6017, 6018, 6019, 6020, 6021, 7004}) {
    ASSERT_TRUE(e.count(id)) << id;
    EXPECT_EQ(e.at(id).type, Value::Type::Int32) << id;
    EXPECT_TRUE(e.at(id).spelledBool) << id;
  }
  EXPECT_EQ(e.at(5008), Value::Float(1280.0));
  EXPECT_EQ(e.at(5009), Value::Float(720.0));
  EXPECT_EQ(e.at(5300), Value::Int32(0));  // the standard renderer
  EXPECT_FALSE(s.effects.empty());
  EXPECT_TRUE(s.interactiveRegion.has_value());

  // Its JSON form reads back to the same scene.
  Scene back;
  std::string error;
  ASSERT_TRUE(ParseScene(SceneToJson(s), back, error)) << error;
  EXPECT_EQ(*back.renderSettings, *s.renderSettings);
  ASSERT_EQ(back.effects.size(), s.effects.size());
  for (size_t i = 0; i < s.effects.size(); ++i) {
    EXPECT_EQ(back.effects[i].type, s.effects[i].type);
    EXPECT_EQ(back.effects[i].bits, s.effects[i].bits);
  }
  EXPECT_EQ(back.interactiveRegion, s.interactiveRegion);
}

struct Malformed {
  const char* scene;
  const char* reason;  // a part of the error text
};

TEST(SceneLoader, BoolAndInt32AreOneTypeForDescribedSettings) {
  Scene s;
  std::string error;
  ASSERT_TRUE(ParseScene(json::parse(R"({"render_settings": {"5300": {"bool": true},
      "6019": {"int32": 2}, "9999": {"float": 1}}})"),
                         s, error))
      << error;
  EXPECT_EQ(s.renderSettings->entries.at(5300), Value::Int32(1));
  EXPECT_EQ(s.renderSettings->entries.at(6019).i, 2);
}

TEST(SceneLoader, RefusesMalformedScenesSayingWhatIsWrong) {
  const Malformed cases[] = {
      {R"([1, 2])", "a scene is a JSON object"},
      {R"({"post_effect": []})", "unknown key \"post_effect\""},
      {R"({"description": 7})", "description"},
      {R"({"render_settings": [1]})", "render_settings: expected an object"},
      {R"({"render_settings": {"5008": {"double": 1}}})", "render_settings: "},
      {R"({"render_settings": {"x": {"int32": 1}}})", "render_settings: "},
      // A setting the host describes holds its own type only.
      {R"({"render_settings": {"5008": {"int32": 1920}}})",
       "render_settings: entry \"5008\" (RDATA_XRES): the host keeps it as float, the scene "
       "gives int32"},
      {R"({"render_settings": {"6019": {"float": 1}}})",
       "entry \"6019\" (RDATA_OPTION_SHADOW): the host keeps it as bool, the scene gives float"},
      {R"({"post_effects": {"type": 1}})", "post_effects: expected a list"},
      {R"({"post_effects": [5]})", "post_effects[0]: expected an object"},
      {R"({"post_effects": [{"enabled": true}]})", "post_effects[0]: \"type\" is missing"},
      {R"({"post_effects": [{"type": 1}, {"type": 1.5}]})",
       "post_effects[1].type: expected an integer"},
      {R"({"post_effects": [{"type": 4294967296}]})", "does not fit a 32-bit integer"},
      {R"({"post_effects": [{"type": -3}]})", "type id is positive"},
      {R"({"post_effects": [{"type": 1, "enabled": "yes"}]})", "post_effects[0].enabled"},
      {R"({"post_effects": [{"type": 1, "enabled": true, "bits": 4}]})", "contradicts"},
      {R"({"post_effects": [{"type": 1, "on": true}]})", "post_effects[0]: unknown key \"on\""},
      {R"({"post_effects": [{"type": 1, "settings": 3}]})", "post_effects[0].settings"},
      {R"({"render_settings": null, "post_effects": [{"type": 1}]})", "without render settings"},
      {R"({"interactive_render_region": [1, 2, 3]})", "expected [left, top, right, bottom]"},
      {R"({"interactive_render_region": [10, 0, 5, 8]})", "is not a region"},
      {R"({"interactive_render_region": [0, 0, 5, "8"]})", "interactive_render_region[3]"},
      {R"({"render_reenables_effects": "all"})", "render_reenables_effects"},
      {R"({"render_reenables_effects": [1.5]})", "render_reenables_effects[0]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scene);
    Scene s;
    std::string error;
    EXPECT_FALSE(ParseScene(json::parse(c.scene), s, error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << "error was: " << error;
  }
}

class SceneFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("brevio-scene-" + std::to_string(std::random_device{}()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::filesystem::path dir_;
};

TEST_F(SceneFile, LoadsAFileAndNamesTheSceneAfterIt) {
  std::string path = Write("gi.json", R"({"post_effects": [{"type": 1021096}]})");
  Scene s;
  std::string error;
  ASSERT_TRUE(LoadSceneFile(path, s, error)) << error;
  EXPECT_EQ(s.name, path);
  ASSERT_EQ(s.effects.size(), 1u);
}

TEST_F(SceneFile, ErrorsNameThePath) {
  Scene s;
  std::string error;
  std::string missing = (dir_ / "nope.json").string();
  EXPECT_FALSE(LoadSceneFile(missing, s, error));
  EXPECT_EQ(error, "scene " + missing + ": cannot be read");

  std::string broken = Write("broken.json", "{\n  \"render_settings\": {,\n}");
  EXPECT_FALSE(LoadSceneFile(broken, s, error));
  EXPECT_EQ(error.rfind("scene " + broken + ": not JSON: ", 0), 0u) << error;
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;

  std::string wrong = Write("wrong.json", R"({"post_effects": [{"type": "gi"}]})");
  EXPECT_FALSE(LoadSceneFile(wrong, s, error));
  EXPECT_EQ(error.rfind("scene " + wrong + ": post_effects[0].type", 0), 0u) << error;

  std::string empty = Write("empty.json", "");
  EXPECT_FALSE(LoadSceneFile(empty, s, error));
  EXPECT_NE(error.find("not JSON"), std::string::npos) << error;
}

TEST(SceneLoader, EveryExampleSceneLoads) {
  size_t count = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(BREVIO_SOURCE_DIR) + "/simhost/scenes")) {
    if (entry.path().extension() != ".json") continue;
    SCOPED_TRACE(entry.path().string());
    Scene s;
    std::string error;
    EXPECT_TRUE(LoadSceneFile(entry.path().string(), s, error)) << error;
    ++count;
  }
  EXPECT_GE(count, 5u);
}

}  // namespace
}  // namespace simhost
