// Checks of the module's resources: where its resource folder is, the one
// load of the module-wide resource, and the strings read through it.
#include <string>
#include <vector>

#include "c4d_module.h"
#include "layer_fixture.h"

namespace layertest {
namespace {

using namespace cinema;
using Folders = std::vector<std::string>;

TEST_F(HostLayer, ResourceFolderFollowsWhereTheModuleLies) {
  ASSERT_EQ(Init(), 1);
  // An ordinary plug-in: res beside the module, also when the host keeps its
  // framework elsewhere.
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/plugins/Brevio/res");
  fake::Current().frameworkLocation = "/host/corelibs/cinema.framework";
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/plugins/Brevio/res");

  // A module among the host's own: its folder under the host's resources.
  fake::Current().frameworkLocation = "/plugins/cinema.framework";
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/host/resource/modules/Brevio");
  // ... unless the host cannot say where it started.
  tables.system.GetStartupPath = nullptr;
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "/plugins/Brevio/res");
}

TEST_F(HostLayer, WithoutAModuleLocationResourcesAreRelative) {
  // The host has no memory for the module's copy of its location.
  fake::Current().failCreates["filename"] = 1;
  ASSERT_EQ(Init(), 1);
  ASSERT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(Text(GeGetPluginResourcePath()), "res");
}

TEST_F(HostLayer, WithoutPathsNoResourceIsLookedFor) {
  tables.filename.Create = nullptr;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(GeGetPluginResourcePath().GetHostHandle(), nullptr);
  GeResource resource;
  EXPECT_FALSE(resource.Init());
  EXPECT_TRUE(fake::Current().resourceLoads.empty());
}

// The module resource is looked for once in the module's life, so this is
// the one check that loads it.
TEST_F(HostLayer, ModuleResourceIsLoadedOnceAndKeptUntilTheEnd) {
  ASSERT_EQ(Init(), 1);
  ASSERT_EQ(SendModuleMessage(C4DPL_INIT_SYS), 1);
  EXPECT_EQ(fake::Current().resourceLoads, Folders{"/plugins/Brevio/res"});
  EXPECT_EQ(Text(GeLoadString(20000)), "Brevio");
  // A later request answers from that attempt.
  EXPECT_EQ(SendModuleMessage(C4DPL_INIT_SYS), 1);
  EXPECT_EQ(fake::Current().resourceLoads.size(), 1u);

  // A nested end keeps it; the outermost gives it back after the plug-in's end.
  ASSERT_EQ(Init(), 1);
  End();
  EXPECT_NE(g_resource.GetHostHandle(), nullptr);
  End();
  EXPECT_TRUE(Plugin().resourceAtEnd);
  EXPECT_EQ(g_resource.GetHostHandle(), nullptr);
  EXPECT_EQ(fake::Live("resource"), 0);
  EXPECT_EQ(fake::Live("string"), 0);

  // The end does not allow another attempt.
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(SendModuleMessage(C4DPL_INIT_SYS), -1);
  EXPECT_EQ(fake::Current().resourceLoads.size(), 1u);
}

TEST_F(HostLayer, FailedResourceLoadIsNotRepeated) {
  fake::Current().missingResourceFolders = {"/plugins/Brevio/res"};
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  EXPECT_FALSE(resource.Init());
  EXPECT_FALSE(resource.Init());
  EXPECT_EQ(fake::Current().resourceLoads.size(), 1u);
  // Strings are then real, empty host strings that can be passed on.
  const String& missing = resource.LoadString(20000);
  EXPECT_NE(missing.GetHostHandle(), nullptr);
  EXPECT_TRUE(missing.IsEmpty());
}

TEST_F(HostLayer, LoadedStringsAreCachedUntilFree) {
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
  EXPECT_EQ(fake::Live("string"), 3);

  resource.Free();
  EXPECT_EQ(fake::Live("string"), 0);
  EXPECT_EQ(fake::Live("resource"), 0);
  // Free keeps the one attempt made.
  EXPECT_FALSE(resource.Init());
  EXPECT_TRUE(resource.LoadString(20000).IsEmpty());
  EXPECT_EQ(fake::Current().resourceLoads.size(), 1u);
}

TEST_F(HostLayer, StringsBeyondTheCacheShareOneSpareSlot) {
  for (int32_t id = 1; id <= GeResource::kCachedStrings + 2; ++id)
    fake::Current().strings[id] = "s" + std::to_string(id);
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
  EXPECT_EQ(fake::Live("string"), GeResource::kCachedStrings + 1);
}

TEST_F(HostLayer, StringAskedForBeforeTheLoadIsReadAfterIt) {
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  EXPECT_TRUE(resource.LoadString(20000).IsEmpty());
  ASSERT_TRUE(resource.Init());
  EXPECT_EQ(Text(resource.LoadString(20000)), "Brevio");
}

TEST_F(HostLayer, PluginFolderResourceLoadsOncePerObject) {
  ASSERT_EQ(Init(), 1);
  GeResource resource;
  ASSERT_TRUE(resource.Init(Filename("/plugins/Other")));
  EXPECT_EQ(Text(resource.LoadString(20001)), "Help text");
  // A second Init of either kind answers from the first and loads nothing.
  EXPECT_TRUE(resource.Init(Filename("/plugins/Third")));
  EXPECT_TRUE(resource.Init());
  EXPECT_EQ(fake::Current().resourceLoads, Folders{"/plugins/Other/res"});
  EXPECT_EQ(fake::Live("resource"), 1);
  resource.Free();
  EXPECT_FALSE(resource.Init(Filename("/plugins/Third")));
  EXPECT_EQ(fake::Live("resource"), 0);
  // A first attempt that fails is the object's one attempt too.
  GeResource none;
  EXPECT_FALSE(none.Init(Filename()));
  EXPECT_FALSE(none.Init(Filename("/plugins/Other")));
  EXPECT_EQ(fake::Current().resourceLoads, Folders{"/plugins/Other/res"});
}

TEST_F(HostLayer, GeLoadStringWithoutAResourceAnswersARealEmptyString) {
  ASSERT_EQ(Init(), 1);
  const String& s = GeLoadString(20000);
  EXPECT_NE(s.GetHostHandle(), nullptr);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(&GeLoadString(20000), &s);
  EXPECT_EQ(fake::Live("string"), 1);
  g_resource.Free();
  EXPECT_EQ(fake::Live("string"), 0);
}

}  // namespace
}  // namespace layertest
