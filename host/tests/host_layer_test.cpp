// Checks of the module entry: the actions and their answers, the host
// version check, nested initialisation, the module location, the load-time
// declarations, and hosts that lack tables or entries.
#include <string>
#include <vector>

#include "c4d_module.h"
#include "c4d_tables.h"
#include "layer_fixture.h"
#include "sim_host.h"

namespace layertest {
namespace {

using namespace cinema;

TEST_F(HostLayer, EntryAnswersEveryActionAsTheHostExpects) {
  EXPECT_EQ(Answer(C4D_PL_INIT_VERSION), 5);
  for (int32_t unknown : {0, 5, 7, -1}) EXPECT_EQ(Answer(unknown), -1) << unknown;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(SendModuleMessage(C4DMSG_PRIORITY), 1);
  EXPECT_EQ(SendModuleMessage(2), -1);
  // Only the low 32 bits of p1 carry the message id.
  if (sizeof(uintptr_t) > 4) {
    EXPECT_EQ(SendModuleMessage(uintptr_t{2} << 32), 1);
  }
  EXPECT_EQ(Answer(C4D_PL_INIT), 1);
  Plugin().startAnswer = false;
  EXPECT_EQ(Answer(C4D_PL_INIT), 0);
  EXPECT_EQ(Plugin().starts, 2);
}

TEST_F(HostLayer, RefusedInitialisationStoresNothingAndCanBeRetried) {
  EXPECT_EQ(Answer(C4D_PL_INIT_SYS, nullptr, location), -3);
  root.apiVersion = C4D_API_VERSION - 1;
  EXPECT_EQ(Init(), -3);
  EXPECT_EQ(HostTables().memory, nullptr);
  root.apiVersion = C4D_API_VERSION;
  EXPECT_EQ(Answer(C4D_PL_INIT_SYS, &root, nullptr), -3);
  EXPECT_EQ(HostTables().memory, nullptr);
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(hostsim::Calls(), 0u);

  // An end without a matching initialisation tears nothing down.
  End();
  EXPECT_EQ(Plugin().ends, 0);

  // A newer host is accepted.
  root.apiVersion = C4D_API_VERSION + 1;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(Text(GeGetPluginPath()), "/plugins/Brevio");
}

TEST_F(HostLayer, NestedInitialisationTearsDownOnlyAtTheOutermostEnd) {
  ASSERT_EQ(Init(), 1);
  const C4D_Filename* stored = GetModuleLocation();
  // A nested call changes nothing, not even with another root.
  C4D_ServiceRoot other = hostsim::MakeRoot();
  other.tableCount = 0;
  EXPECT_EQ(Answer(C4D_PL_INIT_SYS, &other, location), 1);
  ++inits;
  EXPECT_EQ(HostTables().memory, &tables.memory);
  EXPECT_EQ(GetModuleLocation(), stored);

  End();
  EXPECT_EQ(Plugin().ends, 0);
  EXPECT_EQ(GetModuleLocation(), stored);

  End();
  EXPECT_EQ(Plugin().ends, 1);
  // The plug-in's end still sees its folder; it is given back only after.
  EXPECT_EQ(Plugin().pathAtEnd, "/plugins/Brevio");
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_EQ(hostsim::Live("filename"), 0);

  End();
  EXPECT_EQ(Plugin().ends, 1);
}

TEST_F(HostLayer, ModuleKeepsItsOwnCopyOfItsLocation) {
  ASSERT_EQ(Init(), 1);
  EXPECT_NE(GetModuleLocation(), location);
  // The host's object is only lent for the call.
  hostsim::ReleaseHostPath(location);
  location = nullptr;
  EXPECT_EQ(Text(GeGetPluginPath()), "/plugins/Brevio");
}

TEST_F(HostLayer, WithoutACopyOfTheLocationTheModuleCarriesOn) {
  tables.filename.CopyFrom = nullptr;
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(GetModuleLocation(), nullptr);
  EXPECT_FALSE(GeGetPluginPath().IsPopulated());
}

TEST_F(HostLayer, DeclarationsAreLinkedInOrder) {
  EXPECT_EQ(g_maxon.apiVersion, 2026000);
  EXPECT_EQ(g_maxon.apiVersionCompatible, 2026000);
  std::vector<std::string> ids;
  for (const C4D_Declaration* d = g_maxon.declarations; d != nullptr; d = d->next) {
    ids.push_back(std::to_string(d->kind) + " " + d->id +
                  (d->label ? std::string(" ") + d->label : ""));
    EXPECT_EQ(d->slot != nullptr, d->kind == C4D_DECL_REFERENCE) << d->id;
  }
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
  for (uint64_t word : g_maxon.reserved) EXPECT_EQ(word, 0u);
}

class QuietCommand : public CommandData {};

// Calls every wrapper once; none may crash or leave anything behind, and
// none may report success without a host to do the work.
void ExerciseEveryWrapper(BaseList2D* node) {
  BaseContainer bc(5);
  bc.SetInt32(1, 5);
  BaseContainer copy(bc);
  copy = bc;
  EXPECT_EQ(GetWorldPluginData(1027069), nullptr);
  EXPECT_FALSE(SetWorldPluginData(1027069, bc, false));
  EXPECT_EQ(GetActiveDocument(), nullptr);
  CallCommand(12099);
  EventAdd();
  EXPECT_EQ(GeOutString("text"_s, GEMB::OK | GEMB::ICONEXCLAMATION), GEMB_R::V_UNDEFINED);
  EXPECT_FALSE(GeExecuteFile(GeGetPluginPath() + "Brevio.pdf"));
  EXPECT_FALSE(GeGetPluginPath().IsPopulated());
  EXPECT_FALSE(GeGetPluginResourcePath().IsPopulated());
  EXPECT_TRUE(GeLoadString(20000).IsEmpty());
  {
    GeResource resource;
    EXPECT_FALSE(resource.Init());
    EXPECT_TRUE(resource.LoadString(20000).IsEmpty());
  }
  EXPECT_FALSE(maxon::Loggers::Default().Write(maxon::TARGETAUDIENCE::ALL, "line"_s,
                                               maxon::SourceLocation("test", 1)));

  EXPECT_EQ(BaseBitmap::Alloc(), nullptr);
  AutoAlloc<BaseBitmap> icon;
  EXPECT_EQ(icon.GetPointer(), nullptr);

  EXPECT_EQ(node->GetType(), NOTOK);
  EXPECT_FALSE(node->Message(MSG_UPDATE));
  DescriptionCommand command;
  EXPECT_FALSE(node->Message(MSG_DESCRIPTION_COMMAND, &command));
  EXPECT_EQ(node->GetDataInstanceRef().GetInt32(RDATA_XRES, 7), 7);
  node->SetData(bc);
  EXPECT_EQ(node->GetAllBits(), 0);
  node->SetAllBits(BIT_VPDISABLED);

  GeDialog dialog;
  EXPECT_EQ(dialog.GetHostHandle(), nullptr);
  EXPECT_FALSE(dialog.Open(DLG_TYPE::ASYNC, 1027069));
  EXPECT_FALSE(dialog.RestoreLayout(1027069, 0, nullptr));
  EXPECT_FALSE(dialog.LoadDialogResource(1000, &g_resource, 0));
  EXPECT_FALSE(dialog.SetInt32(10008, 6000));
  Int32 value = 77;
  EXPECT_FALSE(dialog.GetInt32(10008, value));
  EXPECT_EQ(value, 77);
  EXPECT_FALSE(dialog.MenuSubBegin("File"_s));
  EXPECT_FALSE(dialog.MenuFinished());
  EXPECT_FALSE(dialog.Close());

  // Without a registration nobody would ever free the object: the module
  // frees it itself.
  const String name("Brevio");
  EXPECT_FALSE(RegisterCommandPlugin(1027069, name, 0, nullptr, name, NewObjClear(QuietCommand)));
  EXPECT_EQ(hostsim::Live("memory"), 0);
}

TEST_F(HostLayer, MissingTablesMakeEveryWrapperFailQuietly) {
  root.tableCount = 3;  // memory, container and string only
  ASSERT_EQ(Init(), 1);
  EXPECT_EQ(HostTables().filename, nullptr);
  EXPECT_EQ(HostTables().system, nullptr);

  C4D_Node* node = hostsim::AddDocument().renderData;
  ExerciseEveryWrapper(BaseList2D::FromHostHandle(node));
  // Containers and strings still work.
  BaseContainer bc;
  bc.SetFloat(2, 0.5);
  EXPECT_EQ(bc.GetFloat(2), 0.5);
}

TEST_F(HostLayer, EntriesBeyondATablesSizeAreNeverCalled) {
  root = hostsim::MakeSizeOnlyRoot();
  ASSERT_EQ(Init(), 1);
  C4D_Node* node = hostsim::AddDocument().renderData;
  ExerciseEveryWrapper(BaseList2D::FromHostHandle(node));
  EXPECT_EQ(hostsim::Calls(), 0u);
}

}  // namespace
}  // namespace layertest
