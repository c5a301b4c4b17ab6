// Checks of the host layer's own logic against the in-process fake host: the
// entry protocol and its counter, the declarations, console lines, the
// resource folder, missing tables, and the trampolines into C++ objects.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "c4d.h"
#include "c4d_module.h"
#include "c4d_tables.h"
#include "fake_host.h"

extern "C" C4D_ModuleInfo g_maxon;
extern "C" int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3);

// The module's own life-cycle functions, as a plug-in would define them.
namespace {
int g_starts = 0;
int g_ends = 0;
Bool g_startAnswer = true;
}  // namespace
Bool PluginStart() {
  ++g_starts;
  return g_startAnswer;
}
Bool PluginMessage(Int32 id, void*) { return id == 0; }
void PluginEnd() { ++g_ends; }

namespace {

void* Action(int32_t action, const void* p1 = nullptr, const void* p3 = nullptr) {
  return reinterpret_cast<void*>(static_cast<intptr_t>(
      c4d_main(action, const_cast<void*>(p1), nullptr, const_cast<void*>(p3))));
}
int Answer(int32_t action, const void* p1 = nullptr, const void* p3 = nullptr) {
  return static_cast<int>(reinterpret_cast<intptr_t>(Action(action, p1, p3)));
}

std::string Text(const String& s) {
  char buf[512];
  s.GetCString(buf, sizeof(buf));
  return buf;
}

// Every check starts with a fresh host and an initialised module, and ends
// the module again, so that the module-wide state does not leak between them.
class HostLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::ResolveLogger(true);
    g_starts = g_ends = 0;
    g_startAnswer = true;
    root = fake::MakeRoot();
    location = fake::NewPath("/plugins/Brevio");
  }
  void TearDown() override {
    for (; inits > 0; --inits) Answer(C4D_PL_END);
    fake::FreePath(location);
    for (const auto& [kind, count] : fake::Current().live) EXPECT_EQ(count, 0) << kind;
  }
  int Init() {
    const int answer = Answer(C4D_PL_INIT_SYS, &root, location);
    inits += answer == 1;
    return answer;
  }

  C4D_ServiceRoot root;
  int inits = 0;
  C4D_Filename* location = nullptr;
};

TEST_F(HostLayer, EntryAnswersEveryActionAsTheHostExpects) {
  EXPECT_EQ(Answer(C4D_PL_INIT_VERSION), 5);
  EXPECT_EQ(Answer(0), -1);
  EXPECT_EQ(Answer(5), -1);
  EXPECT_EQ(Answer(7), -1);
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(Answer(C4D_PL_MESSAGE, reinterpret_cast<void*>(0)), 1);
  EXPECT_EQ(Answer(C4D_PL_MESSAGE, reinterpret_cast<void*>(2)), -1);
  // Only the low 32 bits of p1 carry the message id.
  EXPECT_EQ(Answer(C4D_PL_MESSAGE, reinterpret_cast<void*>(uintptr_t{1} << 32)), 1);
  EXPECT_EQ(Answer(C4D_PL_INIT), 1);
  g_startAnswer = false;
  EXPECT_EQ(Answer(C4D_PL_INIT), 0);
  EXPECT_EQ(g_starts, 2);
}

TEST_F(HostLayer, RefusedInitialisationStoresNothingAndCanBeRetried) {
  EXPECT_EQ(Answer(C4D_PL_INIT_SYS, nullptr, location), -3);
  root.apiVersion = C4D_API_VERSION - 1;
  EXPECT_EQ(Init(), -3);
  root.apiVersion = C4D_API_VERSION;
  EXPECT_EQ(Answer(C4D_PL_INIT_SYS, &root, nullptr), -3);
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(HostTables().memory, nullptr);

  // An end without a matching initialisation tears nothing down.
  EXPECT_EQ(Answer(C4D_PL_END), 1);
  EXPECT_EQ(g_ends, 0);

  EXPECT_EQ(Init(), 1);
  ASSERT_NE(GetModuleLocation(), nullptr);
  EXPECT_EQ(Text(GeGetPluginPath().GetString()), "/plugins/Brevio");
}

// The module resource is looked for once in the module's life, so this is
// the one check that loads it.
TEST_F(HostLayer, NestedInitialisationTearsDownOnlyAtTheOutermostEnd) {
  ASSERT_EQ(Init(), 1);
  const C4D_Filename* stored = GetModuleLocation();
  EXPECT_EQ(Init(), 1);
  EXPECT_EQ(GetModuleLocation(), stored);
  ASSERT_TRUE(InitModuleResource());
  EXPECT_EQ(fake::Current().lastResourceFolder, "/plugins/Brevio/res");
  EXPECT_EQ(Text(GeLoadString(20000)), "string 20000");
  // A later request answers from that attempt.
  fake::Current().lastResourceFolder.clear();
  EXPECT_TRUE(InitModuleResource());
  EXPECT_TRUE(fake::Current().lastResourceFolder.empty());

  EXPECT_EQ(Answer(C4D_PL_END), 1);
  --inits;
  EXPECT_EQ(g_ends, 0);
  EXPECT_EQ(GetModuleLocation(), stored);
  EXPECT_NE(GetModuleResource().Get(), nullptr);

  EXPECT_EQ(Answer(C4D_PL_END), 1);
  --inits;
  EXPECT_EQ(g_ends, 1);
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(GetModuleResource().Get(), nullptr);
  EXPECT_EQ(fake::Current().live["resource"], 0);
  // The end does not allow another attempt.
  EXPECT_FALSE(InitModuleResource());
}

TEST_F(HostLayer, DeclarationsAreLinkedInOrder) {
  EXPECT_EQ(g_maxon.apiVersion, 2026000);
  EXPECT_EQ(g_maxon.apiVersionCompatible, 2026000);
  std::vector<std::string> ids;
  for (const C4D_Declaration* d = g_maxon.declarations; d != nullptr; d = d->next)
    ids.push_back(std::to_string(d->kind) + " " + d->id +
                  (d->label ? std::string(" ") + d->label : ""));
  const std::vector<std::string> expected = {
      "1 com.talvernsoftware.brevio",
      "2 net.maxon.c4d.cinema.framework",
      "2 net.maxon.command.framework",
      "2 net.maxon.core.framework",
      "2 net.maxon.crypt.framework",
      "2 net.maxon.image.framework",
      "2 net.maxon.math.framework",
      "2 net.maxon.mesh_misc.framework",
      "2 net.maxon.modeling_geom.framework",
      "2 net.maxon.python.framework",
      "3 .reflection [reflection registration]",
      "4 net.maxon.core.logger.default",
  };
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(g_maxon.lastDeclaration->next, nullptr);
}

TEST_F(HostLayer, ConsoleLinesCarryTheLoggerFlagsOrAreDropped) {
  ASSERT_EQ(Init(), 1);
  WriteConsoleLine("hello", "brevcore", 42);
  ASSERT_EQ(fake::Current().console.size(), 1u);
  const fake::ConsoleLine& line = fake::Current().console[0];
  EXPECT_EQ(line.text, "hello");
  EXPECT_EQ(line.file, "brevcore");
  EXPECT_EQ(line.line, 42);
  EXPECT_EQ(line.flags, 14);
  EXPECT_EQ(line.level, 1);

  fake::ResolveLogger(false);
  WriteConsoleLine("dropped", "brevcore", 43);
  EXPECT_EQ(fake::Current().console.size(), 1u);
  EXPECT_EQ(fake::Current().live["string"], 0);
}

TEST_F(HostLayer, ResourceFolderFollowsWhereTheModuleLies) {
  ASSERT_EQ(Init(), 1);
  // An ordinary plug-in: res beside the module, also when the host knows its
  // framework elsewhere.
  EXPECT_EQ(Text(GetResourceFolder().GetString()), "/plugins/Brevio/res");
  fake::Current().frameworkLocation = "/host/corelibs/cinema.framework";
  EXPECT_EQ(Text(GetResourceFolder().GetString()), "/plugins/Brevio/res");

  // A module among the host's own: its folder under the host's resources.
  fake::Current().frameworkLocation = "/plugins/cinema.framework";
  EXPECT_EQ(Text(GetResourceFolder().GetString()), "/host/resource/modules/Brevio");
}

TEST_F(HostLayer, WithoutAModuleLocationResourcesAreRelative) {
  // A location the module cannot copy: the filename table lacks Create.
  C4D_FilenameTable noCreate = *root.filename;
  noCreate.Create = nullptr;
  root.filename = &noCreate;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_FALSE(GeGetPluginPath().IsPopulated());
  // Nothing can be made without Create; the folder then stays empty.
  EXPECT_EQ(GetResourceFolder().Get(), nullptr);
}

TEST_F(HostLayer, MissingTablesMakeEveryWrapperFailQuietly) {
  root.tableCount = 3;  // memory, container and string only
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(HostTables().filename, nullptr);
  EXPECT_EQ(HostTables().dialog, nullptr);

  BaseContainer bc;
  bc.SetInt32(1, 5);
  EXPECT_EQ(bc.GetInt32(1, 0), 5);
  EXPECT_FALSE(GetWorldPluginData(1027069).IsValid());
  EXPECT_FALSE(SetWorldPluginData(1027069, bc, false));
  EXPECT_FALSE(GetActiveDocument());
  CallCommand(12099);
  EventAdd();
  EXPECT_EQ(MessageDialog(GEMB_ICONEXCLAMATION, "text"), 0);
  EXPECT_FALSE(GeExecuteFile(GeGetPluginPath() + "Brevio.pdf"));

  GeDialog dialog;
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_FALSE(dialog.Open(DLG_TYPE_ASYNC, 1027069));
  EXPECT_FALSE(dialog.SetInt32(10008, 6000));
  Int32 value = 77;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 77);
  EXPECT_FALSE(dialog.MenuSubBegin("File"));

  // Without a registration table nobody would ever free the object: the
  // module frees it itself.
  const String name("Brevio");
  EXPECT_FALSE(RegisterCommandPlugin(1027069, name, 0, nullptr, name, new CommandData));
  EXPECT_EQ(fake::Current().live["memory"], 0);
}

class CountingDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    ++layouts;
    return true;
  }
  Bool Command(Int32 id, const BaseContainer& msg) override {
    commands.push_back(id);
    lastMessageId = msg.GetId();
    return true;
  }
  int layouts = 0;
  std::vector<Int32> commands;
  Int32 lastMessageId = 0;
};

TEST_F(HostLayer, DialogTrampolinesReachTheObjectAndRefuseStrangers) {
  ASSERT_EQ(Init(), 1);
  CountingDialog dialog;
  C4D_Dialog* handle = dialog.GetHandle();
  ASSERT_NE(handle, nullptr);
  const C4D_DialogCallbacks* callbacks =
      *reinterpret_cast<const C4D_DialogCallbacks* const*>(handle);  // fake's first member

  EXPECT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 1027069));
  EXPECT_EQ(dialog.layouts, 1);

  BaseContainer action(BFM_ACTION);
  EXPECT_TRUE(callbacks->Command(&dialog, 10032, action.Get()));
  EXPECT_EQ(dialog.commands, std::vector<Int32>{10032});
  EXPECT_EQ(dialog.lastMessageId, BFM_ACTION);

  // A context that is not a dialog object is refused.
  int stranger[16] = {};
  EXPECT_FALSE(callbacks->CreateLayout(stranger));
  EXPECT_FALSE(callbacks->Command(stranger, 1, action.Get()));
  EXPECT_FALSE(callbacks->InitValues(nullptr));

  // A failed read leaves the value alone; a good one replaces it.
  Int32 value = 5;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 5);
  dialog.SetInt32(10008, 6001);
  EXPECT_TRUE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 6001);
  Bool ticked = true;
  EXPECT_FALSE(dialog.GetBool(10027, ticked));
  EXPECT_TRUE(ticked);
}

class CountingCommand : public CommandData {
 public:
  Bool Execute(BaseDocument) override {
    ++executes;
    return true;
  }
  Bool RestoreLayout(void* secret) override { return secret != nullptr; }
  int executes = 0;
};

TEST_F(HostLayer, CommandRegistrationHandsOverTheObjectAndItsSlots) {
  ASSERT_EQ(Init(), 1);
  const String name("Brevio");
  const String help("help");
  EXPECT_FALSE(RegisterCommandPlugin(1027069, name, 0, nullptr, help, nullptr));
  EXPECT_EQ(fake::Current().registrations, 0);

  auto* command = new CountingCommand;
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(fake::Current().live["memory"], 1);
  ASSERT_TRUE(RegisterCommandPlugin(1027069, name, 0, nullptr, help, command));
  const C4D_CommandRecord& record = fake::Current().lastRecord;
  EXPECT_EQ(record.object, static_cast<CommandData*>(command));
  EXPECT_EQ(record.help, help.Get());
  EXPECT_EQ(record.icon, nullptr);

  EXPECT_TRUE(record.Execute(record.object, nullptr));
  EXPECT_EQ(command->executes, 1);
  EXPECT_FALSE(record.ExecuteSubID(record.object, nullptr, 1));
  EXPECT_FALSE(record.ExecuteOptionID(record.object, nullptr, 1));
  EXPECT_EQ(record.GetState(record.object, nullptr, nullptr), CMD_ENABLED);
  EXPECT_FALSE(record.GetSubContainer(record.object, nullptr, nullptr));
  int secret = 0;
  EXPECT_TRUE(record.RestoreLayout(record.object, &secret));
  EXPECT_EQ(record.GetScriptName(record.object), nullptr);
  EXPECT_TRUE(record.Message(record.object, 1, nullptr));

  // Something that is not a command object is refused.
  int stranger[16] = {};
  EXPECT_FALSE(record.Execute(stranger, nullptr));

  record.Destruct(record.object);
  EXPECT_EQ(fake::Current().live["memory"], 0);

  // A refused registration: the host destroys the object at once.
  fake::Current().refuseRegistration = true;
  EXPECT_FALSE(RegisterCommandPlugin(1027069, name, 0, nullptr, help, new CountingCommand));
  EXPECT_EQ(fake::Current().live["memory"], 0);
}

TEST_F(HostLayer, PathsJoinAndCopyIndependently) {
  ASSERT_EQ(Init(), 1);
  Filename folder = GeGetPluginPath();
  Filename copy = folder;
  Filename joined = copy + "res";
  EXPECT_EQ(Text(joined.GetString()), "/plugins/Brevio/res");
  EXPECT_EQ(Text(joined.GetFileString()), "res");
  EXPECT_TRUE(joined.GetDirectory().IsEqual(folder));
  EXPECT_EQ(Text((Filename() + "res").GetString()), "res");
  EXPECT_EQ(Text(Filename().GetString()), "");
}

}  // namespace
