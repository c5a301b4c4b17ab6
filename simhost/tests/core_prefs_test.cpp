// World plug-in preferences: replace versus merge, what the host keeps
// between runs, and the host refusing to store.
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <fstream>

#include "core_fixture.h"

namespace simhost {
namespace {

class PrefsTest : public CoreTest {
 protected:
  PrefsTest() { host_.options.prefsDir = dir_ / "prefs"; }

  // Offers a container of int32 entries to the host; answers its answer.
  int32_t Offer(std::map<int32_t, int32_t> values, bool add) {
    C4D_Container* c = bc_->Create(-1);
    for (auto [id, v] : values) bc_->SetInt32(c, id, v);
    int32_t ok = prefs_->SetWorldPluginData(1027069, c, add ? 1 : 0);
    bc_->Free(c);
    return ok;
  }
  int32_t Stored(int32_t id) {
    C4D_Container* c = prefs_->GetWorldPluginData(1027069);
    return c == nullptr ? -999 : bc_->GetInt32(c, id, -1);
  }

  ScratchDir dir_;
};

TEST_F(PrefsTest, ReplaceDropsOldEntriesMergeKeepsThem) {
  host_.Start();
  EXPECT_EQ(prefs_->GetWorldPluginData(1027069), nullptr);
  ASSERT_EQ(Offer({{7000, 6001}, {7001, 6011}}, false), 1);
  ASSERT_EQ(Offer({{7000, 6002}, {7002, 6023}}, true), 1);
  EXPECT_EQ(Stored(7000), 6002);
  EXPECT_EQ(Stored(7001), 6011);
  EXPECT_EQ(Stored(7002), 6023);

  ASSERT_EQ(Offer({{7004, 6056}}, false), 1);
  EXPECT_EQ(Stored(7000), -1);
  EXPECT_EQ(Stored(7004), 6056);

  // The stored container is the host's: borrowed, never to be freed.
  bc_->Free(prefs_->GetWorldPluginData(1027069));
  EXPECT_EQ(Misuses(), 1u);
  host_.failed = false;
  auto offered = Events("prefs");
  ASSERT_EQ(offered.size(), 3u);
  EXPECT_EQ(offered[1]["add"], true);
  EXPECT_EQ(offered[2]["entries"], (nlohmann::json{{"7004", {{"int32", 6056}}}}));
  host_.Stop();
  EXPECT_FALSE(host_.failed);
}

TEST_F(PrefsTest, StoredPreferencesComeBackInTheNextRunWithTheirTypes) {
  host_.Start();
  C4D_Container* c = bc_->Create(-1);
  bc_->SetInt32(c, 7004, 6999);  // out-of-list ids are the plug-in's business
  bc_->SetBool(c, 7026, 1);
  bc_->SetFloat(c, 5008, 960.5);
  ASSERT_EQ(prefs_->SetWorldPluginData(1027069, c, 0), 1);
  bc_->Free(c);
  host_.Stop();
  EXPECT_TRUE(std::filesystem::exists(PrefsFile(host_.options)));
  EXPECT_FALSE(std::filesystem::exists(PrefsFile(host_.options) + ".tmp"));

  host_.Start();
  C4D_Container* back = prefs_->GetWorldPluginData(1027069);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(bc_->GetInt32(back, 7004, 0), 6999);
  EXPECT_EQ(bc_->GetBool(back, 7026, 0), 1);
  EXPECT_EQ(bc_->GetInt32(back, 7026, -1), 1);                   // a bool is the int32 1
  EXPECT_TRUE(AsContainer(back)->entries.at(7026).spelledBool);  // and is stored as a bool
  EXPECT_DOUBLE_EQ(bc_->GetFloat(back, 5008, 0), 960.5);
  EXPECT_EQ(bc_->GetId(back), -1);
  host_.Stop();
  EXPECT_FALSE(host_.failed);
}

TEST_F(PrefsTest, WithoutAFolderPreferencesLastTheSession) {
  host_.options.prefsDir = "";
  host_.Start();
  ASSERT_EQ(Offer({{7000, 6001}}, false), 1);
  host_.Stop();
  host_.Start();
  EXPECT_EQ(Stored(7000), 6001);
  host_.Stop();
}

TEST_F(PrefsTest, RefusedSavesKeepWhatWasStored) {
  host_.Start();
  ASSERT_EQ(Offer({{7000, 6001}}, false), 1);
  host_.options.refusePrefsSave = true;
  EXPECT_EQ(Offer({{7000, 6002}}, false), 0);
  EXPECT_EQ(Stored(7000), 6001);
  EXPECT_EQ(Events("prefs").back()["result"], false);
  host_.options.refusePrefsSave = false;

  // A folder that cannot be written refuses too (root may write anywhere;
  // Windows has no such folder modes).
#ifndef _WIN32
  if (geteuid() != 0) {
    std::filesystem::create_directories(host_.options.prefsDir);
    chmod(host_.options.prefsDir.c_str(), 0500);
    EXPECT_EQ(Offer({{7000, 6003}}, false), 0);
    chmod(host_.options.prefsDir.c_str(), 0700);
  }
#endif
  host_.options.prefsDir = dir_ / "a-file";
  std::ofstream(host_.options.prefsDir) << "in the way";
  EXPECT_EQ(Offer({{7000, 6004}}, false), 0);
  EXPECT_EQ(Stored(7000), 6001);
  host_.options.prefsDir = dir_ / "prefs";
  host_.Stop();
}

TEST_F(PrefsTest, ACorruptFileIsSetAsideNotLost) {
  std::filesystem::create_directories(host_.options.prefsDir);
  const std::string file = PrefsFile(host_.options);
  {
    std::ofstream out(file);
    out << R"({"format": "simhost world plug-in preferences 1", "plugins": {"1027069": )"
        << R"({"id": -1, "data": {"7000": {"int32": "six"}}}}})";
  }
  host_.Start();
  EXPECT_EQ(prefs_->GetWorldPluginData(1027069), nullptr);
  auto load = Events("prefs-load");
  ASSERT_EQ(load.size(), 1u);
  EXPECT_EQ(load[0]["ok"], false);
  EXPECT_NE(load[0]["error"].get<std::string>().find("7000"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(file + ".corrupt"));
  host_.Stop();
}

}  // namespace
}  // namespace simhost
