// Checks of what the plug-in hands the host and the host hands back: command
// registration and its trampolines, node messages, documents, preferences,
// console lines, message boxes and commands.
#include <memory>
#include <string>
#include <vector>

#include "layer_fixture.h"
#include "sim_host.h"

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

// What the host's registration entry was handed, seen on its way in.
struct Handed {
  int32_t type;
  size_t recordSize;
  int32_t apiVersion;
};
std::vector<Handed> g_handed;
decltype(C4D_RegistrationTable::RegisterPlugin) g_register = nullptr;  // the host's own entry

int32_t RecordingRegister(int32_t type, int32_t id, const C4D_String* name, const void* record,
                          size_t size, int32_t apiVersion) {
  g_handed.push_back({type, size, apiVersion});
  return g_register(type, id, name, record, size, apiVersion);
}

// Registrations are made while the host runs the module's start, as they
// must be.
class CommandRegistration : public HostLayer {
 protected:
  void SetUp() override {
    HostLayer::SetUp();
    g_commands = CommandLog();
    g_handed.clear();
    g_register = tables.registration.RegisterPlugin;
    tables.registration.RegisterPlugin = RecordingRegister;
    start = std::make_unique<hostsim::DuringStart>();
  }
  void TearDown() override {
    start.reset();
    HostLayer::TearDown();
  }
  hostsim::Command Last() { return hostsim::Commands().back(); }

  std::unique_ptr<hostsim::DuringStart> start;
};

TEST_F(CommandRegistration, HandsOverTheObjectAndReachesItThroughEverySlot) {
  ASSERT_EQ(Init(), 1);
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s, nullptr));
  EXPECT_TRUE(g_handed.empty());

  CountingCommand* command = NewObjClear(CountingCommand);
  ASSERT_NE(command, nullptr);
  BaseBitmap* icon = BaseBitmap::Alloc();
  ASSERT_TRUE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 3, icon, "help"_s, command));
  // The host keeps its own copies of the texts and the icon.
  BaseBitmap::Free(icon);
  const hostsim::Command reg = Last();
  ASSERT_EQ(g_handed.size(), 1u);
  EXPECT_EQ(g_handed[0].type, C4D_PLUGINTYPE_COMMAND);
  EXPECT_EQ(reg.id, kPluginId);
  EXPECT_EQ(reg.name, "Brevio");
  EXPECT_EQ(reg.help, "help");
  EXPECT_TRUE(reg.hasIcon);
  EXPECT_EQ(g_handed[0].recordSize, sizeof(C4D_CommandRecord));
  EXPECT_EQ(g_handed[0].apiVersion, C4D_API_VERSION);
  EXPECT_EQ(reg.record.info, 3);
  EXPECT_EQ(reg.record.object, static_cast<CommandData*>(command));
  EXPECT_EQ(command->GetRegisteredId(), kPluginId);

  const C4D_CommandRecord& r = reg.record;
  void* object = r.object;
  C4D_Document* doc = hostsim::AddDocument().doc;
  EXPECT_TRUE(r.Execute(object, doc));
  EXPECT_TRUE(r.ExecuteSubID(object, nullptr, 4));
  // The option slot passes the id the command was registered under.
  EXPECT_TRUE(r.ExecuteOptionID(object, doc, 5));
  EXPECT_EQ(g_commands.calls,
            (std::vector<std::string>{"execute doc 0 0", "sub nodoc 4 0", "option doc 5 1027069"}));
  EXPECT_EQ(r.GetState(object, doc, nullptr), CMD_ENABLED);

  // The sub-menu is the host's, filled in place.
  C4D_Container* submenu = hostsim::HostContainer(0);
  EXPECT_TRUE(r.GetSubContainer(object, doc, submenu));
  EXPECT_EQ(hostsim::IntOf(submenu, 1), 2);
  int secret = 0;
  EXPECT_TRUE(r.RestoreLayout(object, &secret));
  EXPECT_FALSE(r.RestoreLayout(object, nullptr));
  // The script name is handed over; the host frees it.
  C4D_String* script = r.GetScriptName(object);
  EXPECT_EQ(hostsim::TextOf(script), "Brevio script");
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
  hostsim::ReleaseRegistrations();
  EXPECT_EQ(g_commands.destroyed, 1);
  EXPECT_EQ(hostsim::Live("memory"), 0);
}

TEST_F(CommandRegistration, DefaultsAnswerAsTheHostExpects) {
  ASSERT_EQ(Init(), 1);
  ASSERT_TRUE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                    NewObjClear(PlainCommand)));
  const C4D_CommandRecord r = Last().record;
  EXPECT_FALSE(Last().hasIcon);
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
  hostsim::RefuseRegistrations(true);
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(g_commands.destroyed, 1);
  hostsim::RefuseRegistrations(false);

  // Without a name or help text to show, the host is not asked.
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, maxon::String(), 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, maxon::String(),
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(g_handed.size(), 1u);

  // Without the registration entry the module frees it itself.
  tables.registration.RegisterPlugin = nullptr;
  EXPECT_FALSE(RegisterCommandPlugin(kPluginId, "Brevio"_s, 0, nullptr, "help"_s,
                                     NewObjClear(PlainCommand)));
  EXPECT_EQ(g_commands.destroyed, 4);
  EXPECT_EQ(hostsim::Live("memory"), 0);
}

// The host's answer to a node message, made to be 0 (this host answers 1 to
// every message it takes), and the data it was handed.
decltype(C4D_DocumentTable::SendMessage) g_send = nullptr;  // the host's own entry
void* g_sentData = nullptr;
int32_t AnswerNo(C4D_Node* node, int32_t type, void* data) {
  g_sentData = data;
  g_send(node, type, data);
  return 0;
}

class DescriptionMessages : public HostLayer {
 protected:
  void SetUp() override {
    HostLayer::SetUp();
    UseDocument({VPlenseffects});
  }
  void UseDocument(const std::vector<int32_t>& effects) {
    const hostsim::Document made = hostsim::AddDocument(effects);
    doc = made.doc;
    rd = made.renderData;
    vp = made.effects[0];
  }
  BaseList2D* Node() { return BaseList2D::FromHostHandle(vp); }
  // The messages the host took, each as the values of `keys`.
  std::vector<std::string> Sent(const std::vector<std::string>& keys = {"type"}) {
    return hostsim::Events("message", keys);
  }

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
  // The effect node, the parameter, no dialog or custom GUI, the action
  // message, and an empty auxiliary container.
  const std::string actionJson = "{\"entries\":{\"" + std::to_string(BFM_ACTION_ID) +
                                 "\":{\"int32\":1000}},\"id\":" + std::to_string(BFM_ACTION) + "}";
  EXPECT_EQ(
      Sent({"nodeType", "index", "type", "descid", "parentDialog", "customGui", "action",
            "container"}),
      std::vector<std::string>{std::to_string(VPlenseffects) + " 0 18 [[1000,8,0]] false false " +
                               actionJson + " {\"entries\":{},\"id\":-1}"});

  DescriptionCheckUpdate update;
  update.doc = BaseDocument::FromHostHandle(doc);
  update.drawflags = 3;
  update.descid = &command._descId;
  EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
  // The host takes the record only with the node's own document.
  EXPECT_EQ(Sent({"type", "drawFlags", "descid"}),
            (std::vector<std::string>{"18 - [[1000,8,0]]", "17 3 [[1000,8,0]]"}));
  update.doc = nullptr;
  EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, &update));
  const std::vector<std::string> refused = hostsim::TakeMisuses();
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_NE(refused[0].find("the record's document is not the node's document"), std::string::npos);

  // Other messages pass their data as it is; the host's answer comes back.
  g_send = tables.document.SendMessage;
  tables.document.SendMessage = AnswerNo;
  int data = 0;
  EXPECT_FALSE(Node()->Message(MSG_UPDATE));
  EXPECT_EQ(g_sentData, nullptr);
  EXPECT_FALSE(Node()->Message(42, &data));
  EXPECT_EQ(g_sentData, &data);
  EXPECT_EQ(
      Sent({"type", "data"}),
      (std::vector<std::string>{"18 -", "17 -", std::to_string(MSG_UPDATE) + " false", "42 true"}));
}

TEST_F(DescriptionMessages, WithAMissingPartAreNotSent) {
  ASSERT_EQ(Init(), 1);
  EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, nullptr));
  EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_CHECKUPDATE, nullptr));
  {
    // No host identifier behind the parameter.
    hostsim::FailNextCreate("descid");
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
    hostsim::FailNextCreate("container");
    DescriptionCommand command;
    command._descId = CreateDescID(DescLevel(1000));
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
  }
  {
    // An action container without a host container.
    DescriptionCommand command;
    command._descId = CreateDescID(DescLevel(1000));
    hostsim::FailNextCreate("container");
    BaseContainer action(BFM_ACTION);
    command._msg = &action;
    EXPECT_FALSE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
    // Without an action container at all, the record says so.
    command._msg = nullptr;
    EXPECT_TRUE(Node()->Message(MSG_DESCRIPTION_COMMAND, &command));
  }
  EXPECT_EQ(Sent({"type", "action"}), std::vector<std::string>{"18 null"});
}

TEST_F(DescriptionMessages, DocumentsRenderSettingsAndPostEffectsAreWalked) {
  UseDocument({VPlenseffects, VPobjectglow});
  ASSERT_EQ(Init(), 1);
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
  hostsim::SetHostInt(hostsim::SettingsOf(rd), RDATA_YRES, 480);
  settings->SetData(bc);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_XRES), 640);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_YRES), 480);
  settings->SetData(bc, false);
  EXPECT_EQ(settings->GetDataInstanceRef().GetInt32(RDATA_YRES, -1), -1);
  EXPECT_EQ(hostsim::Events("setdata", {"merge"}), (std::vector<std::string>{"true", "false"}));
}

TEST_F(DescriptionMessages, HostWithoutTheCellEntriesLendsNoContainers) {
  tables.document.size = offsetof(C4D_DocumentTable, GetDataInstanceCell);
  tables.prefs.size = offsetof(C4D_PrefsTable, GetWorldPluginDataCell);
  hostsim::StorePrefs(kPluginId);
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
  // An id with nothing stored answers no container, and so does a cell that
  // holds none (this host lends no such cell: the entry is made to).
  EXPECT_EQ(GetWorldPluginData(4242), nullptr);
  const auto cell = tables.prefs.GetWorldPluginDataCell;
  tables.prefs.GetWorldPluginDataCell = [](int32_t) -> C4D_Container* const* {
    static C4D_Container* const empty = nullptr;
    return &empty;
  };
  EXPECT_EQ(GetWorldPluginData(kPluginId), nullptr);
  tables.prefs.GetWorldPluginDataCell = cell;

  hostsim::RefusePrefsSave(true);
  EXPECT_FALSE(SetWorldPluginData(kPluginId, change));
  hostsim::FailNextCreate("container");
  BaseContainer none;
  const uint64_t calls = hostsim::Calls();
  EXPECT_FALSE(SetWorldPluginData(kPluginId, none));
  EXPECT_EQ(hostsim::Calls(), calls);
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
  auto lines = [] {
    return hostsim::Events("console", {"text", "file", "line", "flags", "level"});
  };
  ASSERT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[0], "\"hello\" \"main\" 42 14 1");
  EXPECT_EQ(lines()[1].substr(0, 17), "\"warn\" \"main\" 43 ");
  EXPECT_EQ(lines()[1].back(), '2');

  // A line without a text to pass is not sent.
  EXPECT_FALSE(Loggers::Default().Write(TARGETAUDIENCE::ALL, maxon::String(), SourceLocation()));

  // Without the host's logger the line is dropped; the reference is read
  // each time, so a later resolution is seen.
  hostsim::ResolveLogger(false);
  EXPECT_FALSE(Loggers::Default());
  EXPECT_FALSE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "dropped"_s, SourceLocation()));
  hostsim::ResolveLogger(true);
  EXPECT_TRUE(Loggers::Default().Write(TARGETAUDIENCE::ALL, "back"_s, SourceLocation()));
  ASSERT_EQ(lines().size(), 3u);
  EXPECT_EQ(lines()[2].substr(0, 6), "\"back\"");
  EXPECT_EQ(hostsim::Live("string"), 0);
}

decltype(C4D_SystemTable::MessageDialog) g_box = nullptr;  // the host's own entry

TEST_F(HostLayer, MessageBoxesCommandsEventsAndFilesReachTheHost) {
  const std::string folder = hostsim::PluginFolder("Brevio", {});
  hostsim::ScratchFile("Brevio/Brevio.pdf", "%PDF-1.4");
  location = hostsim::HostPath(folder);
  ASSERT_EQ(Init(), 1);
  // The user presses OK; the button pressed comes back, also another one
  // (this host's user only ever presses OK: the entry is made to answer Yes).
  EXPECT_EQ(GeOutString("Careful"_s, GEMB::OK | GEMB::ICONEXCLAMATION), GEMB_R::V_OK);
  const std::string box = std::to_string(C4D_GEMB_ICONEXCLAMATION) + " \"Careful\"";
  EXPECT_EQ(hostsim::Events("messagebox", {"style", "text"}), std::vector<std::string>{box});
  g_box = tables.system.MessageDialog;
  tables.system.MessageDialog = [](int32_t style, const C4D_String* text) -> int32_t {
    g_box(style, text);
    return 6;
  };
  EXPECT_EQ(GeOutString("Careful"_s, GEMB::OK | GEMB::ICONEXCLAMATION), GEMB_R::V_YES);
  EXPECT_EQ(hostsim::Events("messagebox", {"style", "text"}), (std::vector<std::string>{box, box}));
  // No text, no box.
  EXPECT_EQ(GeOutString(maxon::String(), GEMB::OK), GEMB_R::V_UNDEFINED);
  EXPECT_EQ(hostsim::Events("messagebox", {"style", "text"}).size(), 2u);

  CallCommand(12099, 2);
  CallCommand(12098);
  EXPECT_EQ(hostsim::Events("callcommand", {"id", "sub"}),
            (std::vector<std::string>{"12099 2", "12098 0"}));
  EventAdd();
  EventAdd(EVENT::FORCEREDRAW);
  EXPECT_EQ(hostsim::Events("update", {"flags"}), (std::vector<std::string>{"0", "1"}));

  EXPECT_TRUE(GeExecuteFile(GeGetPluginPath() + "Brevio.pdf"));
  EXPECT_FALSE(GeExecuteFile(Filename()));
  EXPECT_EQ(hostsim::Events("open", {"path"}),
            std::vector<std::string>{"\"" + folder + "/Brevio.pdf\""});
}

}  // namespace
}  // namespace layertest
