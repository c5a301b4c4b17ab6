// What the host reads from a module before it calls it (g_maxon), and the
// registration of command plug-ins.
#include <fstream>
#include <set>
#include <sstream>

#include "core_fixture.h"

namespace simhost {
namespace {

// A module's declarations, built in memory as its static initialisation would.
struct FakeModule {
  std::vector<std::unique_ptr<C4D_Declaration>> decls;
  void* loggerSlot = reinterpret_cast<void*>(1);
  C4D_ModuleInfo info{2026000, 2026000, nullptr, nullptr, {0, 0, 0, 0}};

  FakeModule& Add(int32_t kind, const char* id, void** slot = nullptr) {
    auto d = std::make_unique<C4D_Declaration>(C4D_Declaration{nullptr, kind, id, nullptr, slot});
    if (!decls.empty()) decls.back()->next = d.get();
    decls.push_back(std::move(d));
    info.declarations = decls.front().get();
    info.lastDeclaration = decls.back().get();
    return *this;
  }
  FakeModule& Standard() {
    Add(C4D_DECL_MODULE_ID, "com.example.sample");
    for (const auto& f : HostFrameworks()) Add(C4D_DECL_DEPENDENCY, f.c_str());
    Add(C4D_DECL_REFLECTION, ".reflection");
    return Add(C4D_DECL_REFERENCE, C4D_DEFAULT_LOGGER_ID, &loggerSlot);
  }
};

using ModuleTest = CoreTest;

TEST_F(ModuleTest, AWellFormedModuleIsAcceptedWithItsReferences) {
  FakeModule fake;
  fake.Standard();
  Module module;
  std::vector<C4D_Declaration*> refs;
  EXPECT_EQ(ReadDeclarations(host_, module, &fake.info, refs), "");
  EXPECT_EQ(module.identity, "com.example.sample");
  ASSERT_EQ(refs.size(), 1u);
  auto event = Events("module").at(0);
  EXPECT_EQ(event["loaded"], true);
  EXPECT_EQ(event["dependencies"].size(), 9u);
}

TEST_F(ModuleTest, ModulesTheHostCannotRunAreRefusedWithAReason) {
  struct Case {
    const char* what;
    std::function<void(FakeModule&)> spoil;
    const char* mentions;
  } cases[] = {
      {"older API", [](FakeModule& m) { m.info.apiVersion = 2025999; }, "2025999"},
      {"newer host needed", [](FakeModule& m) { m.info.apiVersionCompatible = 2027000; },
       "2027000"},
      {"unknown framework",
       [](FakeModule& m) { m.Add(C4D_DECL_DEPENDENCY, "net.maxon.volume.framework"); },
       "net.maxon.volume.framework"},
      {"no identity", [](FakeModule& m) { m.decls.front()->kind = C4D_DECL_REFLECTION; },
       "identity"},
      {"two identities", [](FakeModule& m) { m.Add(C4D_DECL_MODULE_ID, "com.example.other"); },
       "two identities"},
      {"unknown kind", [](FakeModule& m) { m.Add(99, "x"); }, "kind 99"},
      {"reference without slot", [](FakeModule& m) { m.Add(C4D_DECL_REFERENCE, "y"); }, "slot"},
      {"circular list", [](FakeModule& m) { m.decls.back()->next = m.decls[1].get(); }, "circle"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeModule fake;
    fake.Standard();
    c.spoil(fake);
    Module module;
    std::vector<C4D_Declaration*> refs;
    std::string why = ReadDeclarations(host_, module, &fake.info, refs);
    EXPECT_NE(why.find(c.mentions), std::string::npos) << why;
    EXPECT_EQ(Events("module").back()["loaded"], false);
  }
  Module module;
  std::vector<C4D_Declaration*> refs;
  EXPECT_NE(ReadDeclarations(host_, module, nullptr, refs), "");
}

// A command object as a plug-in hands it over: allocated by the host's
// allocator, destroyed through Destruct.
int g_destructed = 0;
void Destruct(void* object) {
  ++g_destructed;
  Current()->Tables().memory->Free(object);
}
int32_t Execute(void*, C4D_Document*) { return 1; }
int32_t State(void*, C4D_Document*, C4D_Dialog*) { return C4D_CMD_ENABLED; }
void* g_layoutData = nullptr;
int32_t Restore(void*, void* secret) {
  g_layoutData = secret;
  return 1;
}

class RegistrationTest : public CoreTest {
 protected:
  RegistrationTest() {
    g_destructed = 0;
    host_.Start();
    host_.core->actions.push_back(C4D_PL_INIT);  // as inside action 2
  }
  int32_t Register(int32_t id, const char* name = "Brevio") {
    C4D_CommandRecord record{};
    record.Destruct = Destruct;
    record.object = mem_->Alloc(32);
    record.Execute = Execute;
    record.GetState = State;
    record.RestoreLayout = Restore;
    C4D_String* n = str_->Create(name);
    int32_t ok = Current()->Tables().registration->RegisterPlugin(
        C4D_PLUGINTYPE_COMMAND, id, n, &record, sizeof record, C4D_API_VERSION);
    str_->Free(n);
    return ok;
  }
};

TEST_F(RegistrationTest, TheHostOwnsTheObjectUntilShutdown) {
  C4D_Bitmap* icon = Current()->Tables().bitmap->Create();
  C4D_CommandRecord record{};
  record.Destruct = Destruct;
  record.object = mem_->Alloc(32);
  record.Execute = Execute;
  record.icon = icon;
  C4D_String* help = str_->Create("Quick test renders");
  record.help = help;
  ASSERT_EQ(Current()->Tables().registration->RegisterPlugin(
                C4D_PLUGINTYPE_COMMAND, 1027069, nullptr, &record, sizeof record, C4D_API_VERSION),
            1);
  // The host made its own copies: the plug-in frees its own right away.
  Current()->Tables().bitmap->Free(icon);
  str_->Free(help);
  auto reg = Events("register").at(0);
  EXPECT_EQ(reg["help"], "Quick test renders");
  EXPECT_EQ(reg["icon"], true);
  EXPECT_EQ(reg["name"], "");

  host_.core->actions.clear();
  EXPECT_TRUE(host_.ExecuteCommand(1027069));
  EXPECT_FALSE(host_.ExecuteCommand(5));
  EXPECT_EQ(Events("command").at(0)["result"], 1);
  EXPECT_EQ(g_destructed, 0);
  host_.Stop();
  EXPECT_EQ(g_destructed, 1);
  EXPECT_FALSE(host_.failed);
}

TEST_F(RegistrationTest, RefusedRegistrationsDestroyTheObject) {
  ASSERT_EQ(Register(1027069), 1);
  EXPECT_EQ(Register(1027069), 0);  // the id is taken
  EXPECT_EQ(g_destructed, 1);
  host_.options.refuseRegistration = true;
  EXPECT_EQ(Register(1027070), 0);
  EXPECT_EQ(g_destructed, 2);
  EXPECT_FALSE(host_.failed);

  // Outside action 2 the host does not take registrations at all.
  host_.options.refuseRegistration = false;
  host_.core->actions.clear();
  EXPECT_EQ(Register(1027071), 0);
  EXPECT_EQ(g_destructed, 3);
  EXPECT_EQ(Misuses(), 1u);
  EXPECT_EQ(
      Current()->Tables().registration->RegisterPlugin(2, 1, nullptr, nullptr, 0, C4D_API_VERSION),
      0);
  EXPECT_EQ(Misuses(), 2u);
  host_.failed = false;
  host_.Stop();
  EXPECT_EQ(g_destructed, 4);
  EXPECT_TRUE(Events("leak").empty());
}

TEST_F(RegistrationTest, LayoutRestoreHandsTheCommandTheHostsLayoutData) {
  ASSERT_EQ(Register(1027069), 1);
  host_.core->actions.clear();
  size_t consumed = 0;
  const ActionFn* restore = host_.actions.Find({"restore", "1027069"}, consumed);
  ASSERT_NE(restore, nullptr);
  std::string error;
  g_layoutData = nullptr;
  ASSERT_TRUE((*restore)(host_, {"1027069"}, error)) << error;
  EXPECT_NE(g_layoutData, nullptr);
  EXPECT_EQ(Events("restore").at(0)["result"], 1);
  EXPECT_FALSE((*restore)(host_, {"1027070"}, error));
  EXPECT_NE(error.find("no command 1027070"), std::string::npos);
  host_.Stop();
  EXPECT_FALSE(host_.failed);
}

// Every entry of the ABI carries its contract tag, and every rule a tag
// names is one this host checks: a renamed or dropped rule shows up here.
TEST(AbiContract, EveryEntryIsTaggedWithRulesTheHostKnows) {
  auto read = [](const std::string& path) {
    std::ifstream in(std::string(BREVIO_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  const std::string abi = read("host/c4d_abi.h");
  const std::string checks = read("simhost/docs/checks.md");
  ASSERT_FALSE(abi.empty());
  ASSERT_FALSE(checks.empty());

  const std::set<std::string> phases = {"any", "start", "window", "not-layout", "not-callback"};
  std::istringstream lines(abi);
  bool inTable = false, tagged = false;
  int entries = 0, tags = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("typedef struct C4D_", 0) == 0 && line.find("Table {") != std::string::npos)
      inTable = true;
    if (line.rfind("} C4D_", 0) == 0) inTable = false;
    if (!inTable) continue;
    const size_t open = line.find("/* [main; ");
    if (open != std::string::npos) {
      ++tags;
      tagged = true;
      ASSERT_NE(line.find("] */"), std::string::npos) << "a tag fits one line: " << line;
      std::string body = line.substr(open + 10, line.find("] */") - open - 10);
      std::vector<std::string> fields;
      for (size_t at = 0; at != std::string::npos;) {
        const size_t next = body.find("; ", at);
        fields.push_back(body.substr(at, next == std::string::npos ? next : next - at));
        at = next == std::string::npos ? next : next + 2;
      }
      ASSERT_EQ(fields.size(), 3u) << line;
      EXPECT_TRUE(phases.count(fields[0])) << line;
      if (fields[2] == "-") continue;
      std::string rules = fields[2].substr(0, fields[2].find(" ("));
      for (size_t at = 0; at != std::string::npos;) {
        const size_t next = rules.find(", ", at);
        const std::string rule = rules.substr(at, next == std::string::npos ? next : next - at);
        EXPECT_NE(checks.find("| `" + rule + "` |"), std::string::npos) << rule << " in " << line;
        at = next == std::string::npos ? next : next + 2;
      }
      continue;
    }
    if (line.find("(*") != std::string::npos) {
      ++entries;
      EXPECT_TRUE(tagged) << "no contract tag before: " << line;
      tagged = false;
    }
  }
  EXPECT_EQ(tags, entries);
  EXPECT_GT(entries, 70);
}

}  // namespace
}  // namespace simhost
