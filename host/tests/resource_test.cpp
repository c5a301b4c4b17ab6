// Checks of the module's resources: where its resource folder is, the one
// load of the module-wide resource, and the strings read through it.
#include <map>
#include <string>
#include <vector>

#include "c4d_module.h"
#include "layer_fixture.h"
#include "sim_host.h"

namespace layertest {
namespace {

using namespace cinema;

// The module's strings, as its resource set on disk holds them.
const std::map<int32_t, std::string> kStrings = {{20000, "Brevio"}, {20001, "Help text"}};

// The module lies in a real plug-in folder whose res folder holds `strings`
// (none: the folder has no resources); answers the folder.
std::string UsePluginFolder(C4D_Filename*& location,
                            const std::map<int32_t, std::string>& strings = kStrings) {
  const std::string folder = hostsim::PluginFolder("Brevio", strings);
  location = hostsim::HostPath(folder);
  return folder;
}

TEST_F(HostLayer, ResourceFolderFollowsWhereTheModuleLies) {
  ASSERT_EQ(Init(), 1);
  // An ordinary plug-in: res beside the module, where the host keeps its
  // framework elsewhere, and also when the host has no such framework.
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/plugins/Brevio/res");
  const auto framework = tables.system.GetFrameworkLocation;
  tables.system.GetFrameworkLocation = nullptr;
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/plugins/Brevio/res");
  tables.system.GetFrameworkLocation = framework;
  End();

  // A module among the host's own: its folder under the host's resources.
  location = hostsim::HostPath(hostsim::ModulesFolder() + "/Brevio");
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(Text(GeGetPluginResourcePath()), hostsim::StartupFolder() + "/resource/modules/Brevio");
  // ... unless the host cannot say where it started.
  tables.system.GetStartupPath = nullptr;
  EXPECT_EQ(Text(GeGetPluginResourcePath()), hostsim::ModulesFolder() + "/Brevio/res");
}

TEST_F(HostLayer, WithoutAModuleLocationResourcesAreRelative) {
  // The host has no memory for the module's copy of its location.
  hostsim::FailNextCreate("filename");
  ASSERT_EQ(Init(), 1);
  ASSERT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "res");
}

TEST_F(HostLayer, WithoutPathsNoResourceIsLookedFor) {
  tables.filename.Create = nullptr;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(GeGetPluginResourcePath().GetHostHandle(), nullptr);
  GeResource resource;
  const uint64_t calls = hostsim::Calls();
  EXPECT_FALSE(resource.Init());
  EXPECT_EQ(hostsim::Calls(), calls);
}

// The module resource is looked for once in the module's life, so this is
// the one check that loads it.
TEST_F(HostLayer, ModuleResourceIsLoadedOnceAndKeptUntilTheEnd) {
  const std::string folder = UsePluginFolder(location);
  ASSERT_EQ(Init(), 1);
  ASSERT_EQ(SendModuleMessage(C4DPL_INIT_SYS), 1);
  EXPECT_EQ(hostsim::FolderOf(g_resource.GetHostHandle()), folder + "/res");
  EXPECT_EQ(hostsim::Live("resource"), 1);
  EXPECT_EQ(Text(GeLoadString(20000)), "Brevio");
  // A later request answers from that attempt, without the host.
  uint64_t calls = hostsim::Calls();
  EXPECT_EQ(SendModuleMessage(C4DPL_INIT_SYS), 1);
  EXPECT_EQ(hostsim::Calls(), calls);

  // A nested end keeps it; the outermost gives it back after the plug-in's end.
  ASSERT_EQ(Init(), 1);
  End();
  EXPECT_NE(g_resource.GetHostHandle(), nullptr);
  End();
  EXPECT_TRUE(Plugin().resourceAtEnd);
  EXPECT_EQ(g_resource.GetHostHandle(), nullptr);
  EXPECT_EQ(hostsim::Live("resource"), 0);
  EXPECT_EQ(hostsim::Live("string"), 0);

  // The end does not allow another attempt.
  ASSERT_EQ(Init(), 1);
  calls = hostsim::Calls();
  EXPECT_EQ(SendModuleMessage(C4DPL_INIT_SYS), -1);
  EXPECT_EQ(hostsim::Calls(), calls);
  EXPECT_EQ(hostsim::Live("resource"), 0);
}

TEST_F(HostLayer, FailedResourceLoadIsNotRepeated) {
  UsePluginFolder(location, {});  // no res folder
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  EXPECT_FALSE(resource.Init());
  const uint64_t calls = hostsim::Calls();
  EXPECT_FALSE(resource.Init());
  EXPECT_EQ(hostsim::Calls(), calls);
  // Strings are then real, empty host strings that can be passed on.
  const String& missing = resource.LoadString(20000);
  EXPECT_NE(missing.GetHostHandle(), nullptr);
  EXPECT_TRUE(missing.IsEmpty());
}

TEST_F(HostLayer, LoadedStringsAreCachedUntilFree) {
  UsePluginFolder(location);
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  ASSERT_TRUE(resource.Init());
  const String& name = resource.LoadString(20000);
  EXPECT_EQ(&resource.LoadString(20000), &name);
  EXPECT_EQ(Text(name), "Brevio");
  EXPECT_EQ(Text(resource.LoadString(20001)), "Help text");
  const String& unknown = resource.LoadString(5);
  EXPECT_NE(unknown.GetHostHandle(), nullptr);
  EXPECT_TRUE(unknown.IsEmpty());
  EXPECT_EQ(Text(name), "Brevio");
  EXPECT_EQ(hostsim::Live("string"), 3);

  resource.Free();
  EXPECT_EQ(hostsim::Live("string"), 0);
  EXPECT_EQ(hostsim::Live("resource"), 0);
  // Free keeps the one attempt made.
  EXPECT_FALSE(resource.Init());
  EXPECT_TRUE(resource.LoadString(20000).IsEmpty());
  EXPECT_EQ(hostsim::Live("resource"), 0);
}

TEST_F(HostLayer, StringsBeyondTheCacheShareOneSpareSlot) {
  std::map<int32_t, std::string> strings;
  for (int32_t id = 1; id <= GeResource::kCachedStrings + 2; ++id)
    strings[id] = "s" + std::to_string(id);
  UsePluginFolder(location, strings);
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  ASSERT_TRUE(resource.Init());
  std::vector<const String*> cached;
  for (int32_t id = 1; id <= GeResource::kCachedStrings; ++id)
    cached.push_back(&resource.LoadString(id));
  const String& spare = resource.LoadString(GeResource::kCachedStrings + 1);
  EXPECT_EQ(Text(spare), "s33");
  EXPECT_EQ(&resource.LoadString(GeResource::kCachedStrings + 2), &spare);
  EXPECT_EQ(Text(spare), "s34");
  // The cached ones stay where they are, with their own text.
  for (int32_t id = 1; id <= GeResource::kCachedStrings; ++id) {
    EXPECT_EQ(&resource.LoadString(id), cached[id - 1]);
    EXPECT_EQ(Text(*cached[id - 1]), "s" + std::to_string(id));
  }
  EXPECT_EQ(hostsim::Live("string"), GeResource::kCachedStrings + 1);
}

TEST_F(HostLayer, StringAskedForBeforeTheLoadIsReadAfterIt) {
  UsePluginFolder(location);
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  EXPECT_TRUE(resource.LoadString(20000).IsEmpty());
  ASSERT_TRUE(resource.Init());
  EXPECT_EQ(Text(resource.LoadString(20000)), "Brevio");
}

TEST_F(HostLayer, PluginFolderResourceLoadsOncePerObject) {
  UsePluginFolder(location);
  const std::string other = hostsim::PluginFolder("Other", kStrings);
  const std::string third = hostsim::PluginFolder("Third", kStrings);
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  ASSERT_TRUE(resource.Init(Filename(other.c_str())));
  EXPECT_EQ(Text(resource.LoadString(20001)), "Help text");
  EXPECT_EQ(hostsim::FolderOf(resource.GetHostHandle()), other + "/res");
  // A second Init of either kind answers from the first and loads nothing.
  const Filename thirdFolder(third.c_str());
  const uint64_t calls = hostsim::Calls();
  EXPECT_TRUE(resource.Init(thirdFolder));
  EXPECT_TRUE(resource.Init());
  EXPECT_EQ(hostsim::Calls(), calls);
  EXPECT_EQ(hostsim::FolderOf(resource.GetHostHandle()), other + "/res");
  EXPECT_EQ(hostsim::Live("resource"), 1);
  resource.Free();
  EXPECT_FALSE(resource.Init(thirdFolder));
  EXPECT_EQ(hostsim::Live("resource"), 0);
  // A first attempt that fails is the object's one attempt too.
  GeResource none;
  EXPECT_FALSE(none.Init(Filename()));
  EXPECT_FALSE(none.Init(Filename(other.c_str())));
  EXPECT_EQ(none.GetHostHandle(), nullptr);
  EXPECT_EQ(hostsim::Live("resource"), 0);
}

TEST_F(HostLayer, GeLoadStringWithoutAResourceAnswersARealEmptyString) {
  ASSERT_EQ(Init(), 1);
  const String& s = GeLoadString(20000);
  EXPECT_NE(s.GetHostHandle(), nullptr);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(&GeLoadString(20000), &s);
  EXPECT_EQ(hostsim::Live("string"), 1);
  g_resource.Free();
  EXPECT_EQ(hostsim::Live("string"), 0);
}

}  // namespace
}  // namespace layertest
