// Checks of what the plug-in hands the host and the host hands back: command
// registration and its trampolines, dialogs, node messages, documents,
// preferences, console lines, message boxes and commands.
#include <string>
#include <vector>

#include "fake_host.h"
#include "layer_fixture.h"

namespace layertest {
namespace {

using namespace cinema;

constexpr Int32 kPluginId = 1027069;

struct CommandLog {
  int destroyed = 0;
  std::vector<std::string> calls;
};
CommandLog g_commands;

class CountingCommand : public CommandData {
 public:
  ~CountingCommand() override { ++g_commands.destroyed; }
  Bool Execute(BaseDocument* doc, GeDialog* parent) override {
    return Record("execute", doc, parent, 0, 0);
  }
  Bool ExecuteSubID(BaseDocument* doc, Int32 subid, GeDialog* parent) override {
    return Record("sub", doc, parent, subid, 0);
  }
  Bool ExecuteOptionID(BaseDocument* doc, Int32 plugid, Int32 subid, GeDialog* parent) override {
    return Record("option", doc, parent, subid, plugid);
  }
  Bool GetSubContainer(BaseDocument*, BaseContainer& submenu, GeDialog*) override {
    submenu.SetInt32(1, 2);
    return true;
  }
  Bool RestoreLayout(void* secret) override { return secret != nullptr; }
  String GetScriptName() override { return String("Brevio script"); }
  Bool Message(Int32 type, void* data) override { return type == 7 && data != nullptr; }

 private:
  Bool Record(const char* what, BaseDocument* doc, GeDialog* parent, Int32 subid, Int32 plugid) {
    g_commands.calls.push_back(std::string(what) + " " + (doc != nullptr ? "doc" : "nodoc") +
                               (parent != nullptr ? " parent" : "") + " " + std::to_string(subid) +
                               " " + std::to_string(plugid));
    return true;
  }
};

class PlainCommand : public CommandData {
 public:
  ~PlainCommand() override { ++g_commands.destroyed; }
};

class CommandRegistration : public HostLayer {
 protected:
  void SetUp() override {
    HostLayer::SetUp();
    g_commands = CommandLog();
  }
  const fake::Registration& Last() { return fake::Current().registrations.back(); }
};

TEST_F(CommandRegistration, HandsOverTheObjectAndReachesItThroughEverySlot) {
  ASSERT_EQ(Init(), 1);
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s, nullptr));
  EXPECT_TRUE(fake::Current().registrations.empty());

  CountingCommand* command = NewObjClear(CountingCommand);
  ASSERT_NE(command, nullptr);
  BaseBitmap* icon = BaseBitmap::Alloc();
  ASSERT_TRUE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 3, icon, "help"_s, command));
  // The host keeps its own copies of the texts and the icon.
  BaseBitmap::Free(icon);
  const fake::Registration& reg = Last();
  EXPECT_EQ(reg.type, C4D_PLUGINTYPE_COMMAND);
  EXPECT_EQ(reg.id, kPluginId);
  EXPECT_EQ(reg.name, "Brevio");
  EXPECT_EQ(reg.help, "help");
  EXPECT_TRUE(reg.hadIcon);
  EXPECT_EQ(reg.recordSize, sizeof(C4D_CommandRecord));
  EXPECT_EQ(reg.apiVersion, C4D_API_VERSION);
  EXPECT_EQ(reg.record.info, 3);
  EXPECT_EQ(reg.record.object, static_cast<CommandData*>(command));
  EXPECT_EQ(command->GetRegisteredId(), kPluginId);

  const C4D_CommandRecord& r = reg.record;
  void* object = r.object;
  C4D_Document* doc = fake::AddDocument();
  EXPECT_TRUE(r.Execute(object, doc));
  EXPECT_TRUE(r.ExecuteSubID(object, nullptr, 4));
  // The option slot passes the id the command was registered under.
  EXPECT_TRUE(r.ExecuteOptionID(object, doc, 5));
  EXPECT_EQ(g_commands.calls,
            (std::vector<std::string>{"execute doc 0 0", "sub nodoc 4 0", "option doc 5 1027069"}));
  EXPECT_EQ(r.GetState(object, doc, nullptr), CMD_ENABLED);

  // The sub-menu is the host's, filled in place.
  C4D_Container* submenu = fake::HostContainer(0);
  EXPECT_TRUE(r.GetSubContainer(object, doc, submenu));
  EXPECT_EQ(fake::IntOf(submenu, 1), 2);
  int secret = 0;
  EXPECT_TRUE(r.RestoreLayout(object, &secret));
  EXPECT_FALSE(r.RestoreLayout(object, nullptr));
  // The script name is handed over; the host frees it.
  C4D_String* script = r.GetScriptName(object);
  EXPECT_EQ(fake::TextOf(script), "Brevio script");
  tables.string.Free(script);
  EXPECT_TRUE(r.Message(object, 7, &secret));
  EXPECT_FALSE(r.Message(object, 7, nullptr));

  // Something that is not a command object is refused by every slot.
  alignas(CommandData) unsigned char stranger[sizeof(CountingCommand)] = {};
  for (void* other : {static_cast<void*>(stranger), static_cast<void*>(nullptr)}) {
    EXPECT_FALSE(r.Execute(other, doc));
    EXPECT_FALSE(r.ExecuteSubID(other, doc, 1));
    EXPECT_FALSE(r.ExecuteOptionID(other, doc, 1));
    EXPECT_EQ(r.GetState(other, doc, nullptr), 0);
    EXPECT_FALSE(r.GetSubContainer(other, doc, submenu));
    EXPECT_FALSE(r.RestoreLayout(other, &secret));
    EXPECT_EQ(r.GetScriptName(other), nullptr);
    EXPECT_FALSE(r.Message(other, 7, &secret));
    r.Destruct(other);
  }
  EXPECT_EQ(g_commands.calls.size(), 3u);
  EXPECT_EQ(g_commands.destroyed, 0);

  // The host lets go: the object is destroyed and its memory given back.
  fake::ReleaseRegistrations();
  EXPECT_EQ(g_commands.destroyed, 1);
  EXPECT_EQ(fake::Live("memory"), 0);
}

TEST_F(CommandRegistration, DefaultsAnswerAsTheHostExpects) {
  ASSERT_EQ(Init(), 1);
  ASSERT_TRUE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                    NewObjClear(PlainCommand)));
  const C4D_CommandRecord& r = Last().record;
  EXPECT_FALSE(Last().hadIcon);
  EXPECT_TRUE(r.Execute(r.object, nullptr));
  EXPECT_FALSE(r.ExecuteSubID(r.object, nullptr, 1));
  EXPECT_FALSE(r.ExecuteOptionID(r.object, nullptr, 1));
  EXPECT_EQ(r.GetState(r.object, nullptr, nullptr), CMD_ENABLED);
  EXPECT_FALSE(r.GetSubContainer(r.object, nullptr, nullptr));
  EXPECT_TRUE(r.RestoreLayout(r.object, nullptr));
  EXPECT_EQ(r.GetScriptName(r.object), nullptr);
  EXPECT_TRUE(r.Message(r.object, 1, nullptr));
}

TEST_F(CommandRegistration, ObjectIsDestroyedWhenNobodyTakesIt) {
  ASSERT_EQ(Init(), 1);
  // Refused by the host: the host destroys it at once.
  fake::Current().refuseRegistration = true;
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(g_commands.destroyed, 1);
  fake::Current().refuseRegistration = false;

  // Without a name or help text to show, the host is not asked.
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, maxon::String(), 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, maxon::String(),
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(fake::Current().registrations.size(), 1u);

  // Without the registration entry the module frees it itself.
  tables.registration.RegisterPlugin = nullptr;
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(g_commands.destroyed, 4);
  EXPECT_EQ(fake::Live("memory"), 0);
}

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
    const C4D_DialogCallbacks* cb = fake::CallbacksOf(handle);
    void* ctx = fake::ContextOf(handle);
    EXPECT_EQ(ctx, static_cast<GeDialog*>(&dialog));

    EXPECT_TRUE(dialog.Open(DLG_TYPE::ASYNC, kPluginId, -1, -1, 0, 0, 3));
    ASSERT_EQ(fake::OpensOf(handle).size(), 1u);
    EXPECT_EQ(fake::OpensOf(handle)[0].type, C4D_DLG_TYPE_ASYNC);
    EXPECT_EQ(fake::OpensOf(handle)[0].pluginId, kPluginId);
    EXPECT_EQ(fake::OpensOf(handle)[0].subId, 3);

    // The host's action message is lent to the dialog, never freed by it.
    C4D_Container* action = fake::HostContainer(BFM_ACTION);
    tables.container.SetInt32(action, BFM_ACTION_ID, 10032);
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
    EXPECT_EQ(fake::Live("dialog"), 1);
  }
  // The host side goes with the object.
  EXPECT_EQ(fake::Live("dialog"), 0);
}

TEST_F(HostLayer, DialogGadgetsAndMenusReachTheHostSide) {
  ASSERT_EQ(Init(), 1);
  GeDialog dialog;
  C4D_Dialog* handle = dialog.GetHostHandle();
  ASSERT_NE(handle, nullptr);

  // A failed read hands back the poison (a check box: its truth), as the
  // host's undefined value would be; a good one replaces the value.
  Int32 value = 5;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, UNDEFINED_GADGET_VALUE);
  EXPECT_TRUE(dialog.SetInt32(10008, 6001));
  EXPECT_TRUE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 6001);
  Bool ticked = false;
  EXPECT_FALSE(dialog.GetBool(10027, ticked));
  EXPECT_TRUE(ticked);
  EXPECT_TRUE(dialog.SetBool(10027, false));
  EXPECT_TRUE(dialog.GetBool(10027, ticked));
  EXPECT_FALSE(ticked);

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
  const std::vector<std::string> expected = {
      "flush", "sub File", "string 5 Open",          "separator",         "command 12097",
      "end",   "finished", "children 10010 cleared", "child 10010 2 Best"};
  EXPECT_EQ(fake::MenuOf(handle), expected);

  // The dialog description comes from the resource given, or from none.
  EXPECT_FALSE(dialog.LoadDialogResource(1000, nullptr, 0));
  GeResource resource;
  ASSERT_TRUE(resource.Init());
  EXPECT_TRUE(dialog.LoadDialogResource(1000, &resource, 0));
}

TEST_F(HostLayer, DialogWithoutAHostSideNeverReachesTheHost) {
  ASSERT_EQ(Init(), 1);
  fake::Current().failCreates["dialog"] = 1;
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
  EXPECT_EQ(fake::Current().faults, std::vector<std::string>{});
  fake::Current().faults.clear();
}

class DescriptionMessages : public HostLayer {
 protected:
  void SetUp() override {
    HostLayer::SetUp();
    doc = fake::AddDocument();
    rd = fake::AddRenderData(doc);
    vp = fake::AddVideoPost(rd, VPlenseffects);
  }
  BaseList2D* Node() { return BaseList2D::FromHostHandle(vp); }
  const std::vector<fake::Message>& Sent() { return fake::Current().messages; }

  C4D_Document* doc = nullptr;
  C4D_Node* rd = nullptr;
  C4D_Node* vp = nullptr;
};

TEST_F(DescriptionMessages, ReachTheHostAsItsRecords) {
  ASSERT_EQ(Init(), 1);
  DescriptionCommand command;
  command._descId = CreateDescID(DescLevel(1000, DTYPE_BUTTON, 0));
  BaseContainer action(BFM_ACTION);
  action.SetInt32(BFM_ACTION_ID, 1000);
  command._msg = &action;
  EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
  ASSERT_EQ(Sent().size(), 1u);
  const fake::Message& m = Sent()[0];
  EXPECT_EQ(m.node, vp);
  EXPECT_EQ(m.type, C4D_MSG_DESCRIPTION_COMMAND);
  EXPECT_EQ(m.levels, (fake::Levels{{1000, 8, 0}}));
  EXPECT_TRUE(m.parentDialogNull);
  EXPECT_TRUE(m.customGuiNull);
  EXPECT_EQ(m.msgId, BFM_ACTION);
  EXPECT_EQ(m.msgActionId, 1000);
  EXPECT_EQ(m.containerId, NOTOK);
  EXPECT_EQ(m.containerEntries, 0u);

  DescriptionCheckUpdate update;
  update.doc = BaseDocument::FromHostHandle(doc);
  update.drawflags = 3;
  update.descid = &command._descId;
  EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].type, C4D_MSG_DESCRIPTION_CHECKUPDATE);
  EXPECT_EQ(Sent()[1].doc, doc);
  EXPECT_EQ(Sent()[1].drawFlags, 3);
  EXPECT_EQ(Sent()[1].levels, (fake::Levels{{1000, 8, 0}}));
  update.doc = nullptr;
  EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
  EXPECT_EQ(Sent()[2].doc, nullptr);

  // Other messages pass their data as it is; the host's answer comes back.
  int data = 0;
  fake::Current().messageAnswer = 0;
  EXPECT_FALSE(Node()->Message(MSG_UPDATE));
  EXPECT_FALSE(Node()->Message(42, &data));
  ASSERT_EQ(Sent().size(), 5u);
  EXPECT_EQ(Sent()[3].type, MSG_UPDATE);
  EXPECT_EQ(Sent()[3].data, nullptr);
  EXPECT_EQ(Sent()[4].data, &data);
}

TEST_F(DescriptionMessages, WithAMissingPartAreNotSent) {
  ASSERT_EQ(Init(), 1);
  EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, nullptr));
  EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, nullptr));
  {
    // No host identifier behind the parameter.
    fake::Current().failCreates["descid"] = 1;
    DescriptionCommand command;
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
    DescriptionCheckUpdate update;
    update.descid = &command._descId;
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
    update.descid = nullptr;
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
  }
  {
    // No host container behind the auxiliary data.
    fake::Current().failCreates["container"] = 1;
    DescriptionCommand command;
    command._descId = CreateDescID(DescLevel(1000));
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
  }
  {
    // An action container without a host container.
    DescriptionCommand command;
    command._descId = CreateDescID(DescLevel(1000));
    fake::Current().failCreates["container"] = 1;
    BaseContainer action(BFM_ACTION);
    command._msg = &action;
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
    // Without an action container at all, the record says so.
    command._msg = nullptr;
    EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
  }
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].msgId, 0);
}

TEST_F(DescriptionMessages, DocumentsRenderSettingsAndPostEffectsAreWalked) {
  ASSERT_EQ(Init(), 1);
  fake::AddVideoPost(rd, VPobjectglow);
  BaseDocument* document = GetActiveDocument();
  ASSERT_EQ(document, BaseDocument::FromHostHandle(doc));
  RenderData* settings = document->GetActiveRenderData();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->GetHostHandle(), rd);
  std::vector<Int32> types;
  for (BaseVideoPost* p = settings->GetFirstVideoPost(); p != nullptr; p = p->GetNext())
    types.push_back(p->GetType());
  EXPECT_EQ(types, (std::vector<Int32>{VPlenseffects, VPobjectglow}));

  Node()->SetAllBits(BIT_VPDISABLED);
  EXPECT_EQ(Node()->GetAllBits(), BIT_VPDISABLED);

  // Merging keeps the node's other entries; replacing drops them.
  BaseContainer bc;
  bc.SetInt32(RDATA_XRES, 640);
  tables.container.SetInt32(fake::SettingsOf(rd), RDATA_YRES, 480);
  settings->SetData(bc);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_XRES), 640);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_YRES), 480);
  settings->SetData(bc, false);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_YRES, -1), -1);
  EXPECT_EQ(fake::Current().setDataFlags, (std::vector<int32_t>{C4D_SETDATA_MERGE, 0}));
}

TEST_F(DescriptionMessages, HostWithoutTheCellEntriesLendsNoContainers) {
  tables.document.size = offsetof(C4D_DocumentTable, GetDataInstanceCell);
  tables.prefs.size = offsetof(C4D_PrefsTable, GetWorldPluginDataCell);
  fake::Current().prefs[kPluginId] = fake::HostContainer(kPluginId);
  ASSERT_EQ(Init(), 1);
  const BaseContainer& lent = Node()->GetDataInstanceRef();
  EXPECT_EQ(lent.GetHostHandle(), nullptr);
  EXPECT_EQ(lent.GetInt32(RDATA_XRES, 7), 7);
  EXPECT_EQ(GetWorldPluginData(kPluginId), nullptr);
  // The entries before them still work.
  EXPECT_EQ(Node()->GetType(), VPlenseffects);
}

TEST_F(HostLayer, PreferencesAreStoredAsCopies) {
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(GetWorldPluginData(kPluginId), nullptr);
  BaseContainer bc(kPluginId);
  bc.SetInt32(1, 10);
  bc.SetInt32(2, 20);
  ASSERT_TRUE(SetWorldPluginData(kPluginId, bc, false));
  BaseContainer* stored = GetWorldPluginData(kPluginId);
  ASSERT_NE(stored, nullptr);
  EXPECT_NE(stored->GetHostHandle(), bc.GetHostHandle());
  EXPECT_EQ(stored->GetInt32(2), 20);

  BaseContainer change(kPluginId);
  change.SetInt32(1, 11);
  ASSERT_TRUE(SetWorldPluginData(kPluginId, change));
  EXPECT_EQ(GetWorldPluginData(kPluginId)->GetInt32(1), 11);
  EXPECT_EQ(GetWorldPluginData(kPluginId)->GetInt32(2), 20);
  ASSERT_TRUE(SetWorldPluginData(kPluginId, change, false));
  EXPECT_EQ(GetWorldPluginData(kPluginId)->GetInt32(2, -1), -1);
  // A cell that holds no container is nothing stored.
  fake::Current().prefs[4242] = nullptr;
  EXPECT_EQ(GetWorldPluginData(4242), nullptr);

  fake::Current().refusePrefs = true;
  EXPECT_FALSE(SetWorldPluginData(kPluginId, change));
  fake::Current().failCreates["container"] = 1;
  BaseContainer none;
  const int calls = fake::Current().calls;
  EXPECT_FALSE(SetWorldPluginData(kPluginId, none));
  EXPECT_EQ(fake::Current().calls, calls);
}

TEST_F(HostLayer, ConsoleLinesCarryTheLoggerFlagsOrAreDropped) {
  ASSERT_EQ(Init(), 1);
  namespace Loggers = maxon::Loggers;
  using maxon::SourceLocation;
  using maxon::TARGETAUDIENCE;
  using maxon::WRITEMETA;
  ASSERT_TRUE(Loggers::Default());
  EXPECT_TRUE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "hello"_s, SourceLocation("main", 42),
                                       WRITEMETA::DEFAULT));
  // Bits above the line number are flags, not part of it.
  EXPECT_TRUE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "warn"_s,
                                       SourceLocation("main", (Int{5} << 24) | 43),
                                       WRITEMETA::WARNING));
  const std::vector<fake::ConsoleLine>& lines = fake::Current().console;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "hello");
  EXPECT_EQ(lines[0].file, "main");
  EXPECT_EQ(lines[0].line, 42);
  EXPECT_EQ(lines[0].flags, 14);
  EXPECT_EQ(lines[0].level, 1);
  EXPECT_EQ(lines[1].line, 43);
  EXPECT_EQ(lines[1].level, 2);

  // A line without a text to pass is not sent.
  EXPECT_FALSE(Loggers::Default().Write(TARGETAUDIENCE::ALL, maxon::String(), SourceLocation()));

  // Without the host's logger the line is dropped; the reference is read
  // each time, so a later resolution is seen.
  fake::ResolveLogger(false);
  EXPECT_FALSE(Loggers::Default());
  EXPECT_FALSE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "dropped"_s, SourceLocation()));
  fake::ResolveLogger(true);
  EXPECT_TRUE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "back"_s, SourceLocation()));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].text, "back");
  EXPECT_EQ(fake::Live("string"), 0);
}

TEST_F(HostLayer, MessageBoxesCommandsEventsAndFilesReachTheHost) {
  ASSERT_EQ(Init(), 1);
  fake::Current().messageBoxAnswer = 6;
  EXPECT_EQ(GeOutString("Careful"_s, GEMB::OK | GEMB::ICONEXCLAMATION), GEMB_R::V_YES);
  using Boxes = std::vector<std::pair<int32_t, std::string>>;
  EXPECT_EQ(fake::Current().messageBoxes, (Boxes{{C4D_GEMB_ICONEXCLAMATION, "Careful"}}));
  // No text, no box.
  EXPECT_EQ(GeOutString(maxon::String(), GEMB::OK), GEMB_R::V_UNDEFINED);
  EXPECT_EQ(fake::Current().messageBoxes.size(), 1u);

  CallCommand(12099, 2);
  CallCommand(12098);
  using Commands = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(fake::Current().commands, (Commands{{12099, 2}, {12098, 0}}));
  EventAdd();
  EventAdd(EVENT::FORCEREDRAW);
  EXPECT_EQ(fake::Current().events, (std::vector<int32_t>{0, 1}));

  EXPECT_TRUE(GeExecuteFile(GeGetPluginPath() + "Brevio.pdf"));
  EXPECT_FALSE(GeExecuteFile(Filename()));
  EXPECT_EQ(fake::Current().executedFiles, std::vector<std::string>{"/plugins/Brevio/Brevio.pdf"});
}

}  // namespace
}  // namespace layertest
