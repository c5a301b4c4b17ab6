// Checks of the dialogs the plug-in makes: the trampolines the host calls,
// gadget values and menus, and a dialog without a host side.
#include <string>
#include <vector>

#include "layer_fixture.h"
#include "sim_host.h"

namespace layertest {
namespace {

using namespace cinema;

constexpr Int32 kPluginId = 1027069;
constexpr Int32 kDescription = 10001;  // the module's dialog description (DLG_BREVIO)

class CountingDialog : public GeDialog {
 public:
  Bool CreateLayout() override { return Note("layout"); }
  Bool InitValues() override { return Note("values"); }
  Bool Command(Int32 id, const BaseContainer& msg) override {
    return Note("command " + std::to_string(id) + " " + Of(msg));
  }
  Bool CoreMessage(Int32 id, const BaseContainer& msg) override {
    return Note("core " + std::to_string(id) + " " + Of(msg));
  }
  Bool AskClose() override { return Note("ask"); }
  void DestroyWindow() override { Note("destroy"); }

  std::vector<std::string> calls;

 private:
  Bool Note(const std::string& what) {
    calls.push_back(what);
    return true;
  }
  static std::string Of(const BaseContainer& msg) {
    return std::to_string(msg.GetId()) + "/" + std::to_string(msg.GetInt32(BFM_ACTION_ID));
  }
};

TEST_F(HostLayer, DialogTrampolinesReachTheObjectAndRefuseStrangers) {
  ASSERT_EQ(Init(), 1);
  {
    CountingDialog dialog;
    C4D_Dialog* handle = dialog.GetHostHandle();
    ASSERT_NE(handle, nullptr);
    const C4D_DialogCallbacks* cb = hostsim::DialogOf(handle).callbacks;
    void* ctx = hostsim::DialogOf(handle).ctx;
    EXPECT_EQ(ctx, static_cast<GeDialog*>(&dialog));

    // A non-modal window (this host opens no modal ones).
    EXPECT_TRUE(dialog.Open(DLG_TYPE::ASYNC, kPluginId, -1, -1, 0, 0, 3));
    EXPECT_TRUE(hostsim::DialogOf(handle).open);
    EXPECT_EQ(hostsim::DialogOf(handle).pluginId, kPluginId);
    EXPECT_EQ(hostsim::DialogOf(handle).subId, 3);

    // The host's action message is lent to the dialog, never freed by it.
    C4D_Container* action = hostsim::HostContainer(BFM_ACTION);
    hostsim::SetHostInt(action, BFM_ACTION_ID, 10032);
    EXPECT_TRUE(cb->Command(ctx, 10032, action));
    EXPECT_TRUE(cb->CoreMessage(ctx, 200, action));
    EXPECT_TRUE(cb->AskClose(ctx));
    cb->DestroyWindow(ctx);
    const std::vector<std::string> expected = {
        "layout",
        "values",
        "command 10032 " + std::to_string(BFM_ACTION) + "/10032",
        "core 200 " + std::to_string(BFM_ACTION) + "/10032",
        "ask",
        "destroy"};
    EXPECT_EQ(dialog.calls, expected);

    // A context that is not a dialog object is refused.
    alignas(GeDialog) unsigned char stranger[sizeof(CountingDialog)] = {};
    for (void* other : {static_cast<void*>(stranger), static_cast<void*>(nullptr)}) {
      EXPECT_FALSE(cb->CreateLayout(other));
      EXPECT_FALSE(cb->InitValues(other));
      EXPECT_FALSE(cb->Command(other, 1, action));
      EXPECT_FALSE(cb->CoreMessage(other, 1, action));
      EXPECT_FALSE(cb->AskClose(other));
      cb->DestroyWindow(other);
    }
    EXPECT_EQ(dialog.calls.size(), expected.size());
    EXPECT_EQ(hostsim::Live("dialog"), 1);
  }
  // The host side goes with the object.
  EXPECT_EQ(hostsim::Live("dialog"), 0);
}

// A dialog laid out from the module's own description.
class LaidOutDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    return resource.Init() && LoadDialogResource(kDescription, &resource, 0);
  }
  GeResource resource;
};

TEST_F(HostLayer, DialogGadgetsAndMenusReachTheHostSide) {
  location = hostsim::HostPath(hostsim::ModuleFolder());
  ASSERT_EQ(Init(), 1);
  LaidOutDialog dialog;
  C4D_Dialog* handle = dialog.GetHostHandle();
  ASSERT_NE(handle, nullptr);

  // A failed read (no window yet) hands back the poison (a check box: its
  // truth), as the host's undefined value would be; a good one replaces the
  // value.
  Int32 value = 5;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, UNDEFINED_GADGET_VALUE);
  Bool ticked = false;
  EXPECT_FALSE(dialog.GetBool(10027, ticked));
  EXPECT_TRUE(ticked);
  ASSERT_TRUE(dialog.Open(DLG_TYPE::ASYNC, kPluginId));
  EXPECT_TRUE(dialog.SetInt32(10008, 6001));
  EXPECT_TRUE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 6001);
  EXPECT_TRUE(dialog.SetBool(10027, false));
  EXPECT_TRUE(dialog.GetBool(10027, ticked));
  EXPECT_FALSE(ticked);

  EXPECT_TRUE(dialog.MenuSubBegin("Old"_s));
  EXPECT_TRUE(dialog.MenuSubEnd());
  EXPECT_TRUE(dialog.MenuFlushAll());
  EXPECT_TRUE(dialog.MenuSubBegin("File"_s));
  EXPECT_TRUE(dialog.MenuAddString(5, "Open"_s));
  EXPECT_TRUE(dialog.MenuAddSeparator());
  EXPECT_TRUE(dialog.MenuAddCommand(IDM_CM_CLOSEWINDOW));
  EXPECT_TRUE(dialog.MenuSubEnd());
  EXPECT_TRUE(dialog.MenuFinished());
  EXPECT_TRUE(dialog.FreeChildren(10010));
  EXPECT_TRUE(dialog.AddChild(10010, 2, "Best"_s));
  // A text without a host string is not passed on.
  EXPECT_FALSE(dialog.MenuSubBegin(maxon::String()));
  EXPECT_FALSE(dialog.AddChild(10010, 3, maxon::String()));
  const std::vector<std::string> menu = {"sub File",      "string 5 Open", "separator",
                                         "command 12097", "end",           "finished"};
  EXPECT_EQ(hostsim::DialogOf(handle).menu, menu);
  EXPECT_EQ(hostsim::ItemsOf(handle, 10010), std::vector<std::string>{"2 Best"});

  // The dialog description comes from the resource given, or from none.
  EXPECT_FALSE(dialog.LoadDialogResource(kDescription, nullptr, 0));
  GeResource resource;
  ASSERT_TRUE(resource.Init());
  EXPECT_TRUE(dialog.LoadDialogResource(kDescription, &resource, 0));
}

TEST_F(HostLayer, DialogWithoutAHostSideNeverReachesTheHost) {
  ASSERT_EQ(Init(), 1);
  hostsim::FailNextCreate("dialog");
  GeDialog dialog;
  ASSERT_EQ(dialog.GetHostHandle(), nullptr);
  EXPECT_FALSE(dialog.Open(DLG_TYPE::MODAL, kPluginId));
  EXPECT_FALSE(dialog.RestoreLayout(kPluginId, 0, nullptr));
  EXPECT_FALSE(dialog.Close());
  EXPECT_FALSE(dialog.LoadDialogResource(1000, &g_resource, 0));
  EXPECT_FALSE(dialog.FreeChildren(10010));
  EXPECT_FALSE(dialog.AddChild(10010, 1, "Best"_s));
  EXPECT_FALSE(dialog.MenuFlushAll());
  EXPECT_FALSE(dialog.MenuSubBegin("File"_s));
  EXPECT_FALSE(dialog.MenuAddString(5, "Open"_s));
  EXPECT_FALSE(dialog.MenuAddSeparator());
  EXPECT_FALSE(dialog.MenuAddCommand(IDM_CM_CLOSEWINDOW));
  EXPECT_FALSE(dialog.MenuSubEnd());
  EXPECT_FALSE(dialog.MenuFinished());
  EXPECT_FALSE(dialog.SetInt32(10008, 1));
  EXPECT_FALSE(dialog.SetBool(10027, 1));
  Int32 value = 3;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 3);
  EXPECT_FALSE(dialog.Enable(10008, true));
  // A host would have to read through a NULL dialog for any of them.
  EXPECT_EQ(hostsim::Misuses(), std::vector<std::string>{});
}

}  // namespace
}  // namespace layertest
