// The document and command tables as a plug-in meets them: walking the
// document, applying containers, the messages of a parameter button, render
// commands, and the checks on every handle the plug-in passes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/host.h"
#include "document/document_area.h"

namespace simhost {
namespace {

using nlohmann::json;

class DocumentTables : public ::testing::Test {
 protected:
  DocumentTables() : scope_(host_) {
    host_.options.echo = false;
    host_.journal.echo = false;
    host_.Start();
  }
  ~DocumentTables() override { host_.Stop(); }

  // Runs a script action by its words; answers the error ("" on success).
  std::string Act(const std::vector<std::string>& words) {
    std::string error;
    return host_.RunAction(words, error) ? "" : error;
  }

  // Makes a scene from its JSON text the active document.
  void UseScene(const std::string& text) {
    auto path = std::filesystem::temp_directory_path() /
                ("brevio-doc-" + std::to_string(std::random_device{}()) + ".json");
    std::ofstream(path) << text;
    std::string error = Act({"document", path.string()});
    std::filesystem::remove(path);
    ASSERT_EQ(error, "");
  }

  std::vector<json> Events(const std::string& name) const {
    std::vector<json> out;
    for (const auto& line : host_.journal.Events()) {
      json e = json::parse(line);
      if (e.value("event", "") == name) out.push_back(e);
    }
    return out;
  }

  C4D_Node* RenderData() { return doc_->GetActiveRenderData(doc_->GetActiveDocument()); }
  Container& Live() { return *AsContainer(doc_->GetDataInstance(RenderData())); }

  Host host_;
  CurrentScope scope_;
  const C4D_DocumentTable* doc_ = Current()->Tables().document;
  const C4D_CommandTable* cmd_ = Current()->Tables().command;
  const C4D_ContainerTable* bc_ = Current()->Tables().container;
};

TEST_F(DocumentTables, WalkTheDefaultDocument) {
  C4D_Document* doc = doc_->GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  C4D_Node* rd = doc_->GetActiveRenderData(doc);
  ASSERT_NE(rd, nullptr);
  EXPECT_EQ(doc_->GetType(rd), kRenderDataType);
  EXPECT_EQ(doc_->GetNext(rd), nullptr);
  EXPECT_DOUBLE_EQ(bc_->GetFloat(doc_->GetDataInstance(rd), 5008, 0.0), 1280.0);

  std::vector<std::pair<int32_t, int32_t>> effects;
  for (C4D_Node* n = doc_->GetFirstVideoPost(rd); n; n = doc_->GetNext(n))
    effects.push_back({doc_->GetType(n), doc_->GetAllBits(n)});
  std::vector<std::pair<int32_t, int32_t>> expected = {
      {1021096, 0}, {300001045, 0}, {1001401, 0}, {1001400, kBitDisabled}};
  EXPECT_EQ(effects, expected);
  EXPECT_FALSE(host_.failed);
}

TEST_F(DocumentTables, SetDataMergesOrReplaces) {
  C4D_Container* bc = bc_->Create(-1);
  bc_->SetFloat(bc, 5008, 640.0);
  bc_->SetBool(bc, 9999, 1);
  const size_t before = Live().entries.size();

  EXPECT_TRUE(doc_->SetData(RenderData(), bc, C4D_SETDATA_MERGE));
  EXPECT_EQ(Live().entries.size(), before + 1);
  EXPECT_DOUBLE_EQ(Live().entries.at(5008).f, 640.0);
  EXPECT_EQ(Live().entries.at(5300).type, Value::Type::Int32);  // kept

  // Applying the live container to itself changes nothing.
  Container copy = Live();
  EXPECT_TRUE(doc_->SetData(RenderData(), doc_->GetDataInstance(RenderData()), 1));
  EXPECT_EQ(Live(), copy);

  EXPECT_TRUE(doc_->SetData(RenderData(), bc, 0));
  EXPECT_EQ(Live().entries, AsContainer(bc)->entries);

  auto applied = Events("setdata");
  ASSERT_EQ(applied.size(), 3u);
  EXPECT_EQ(applied[0]["merge"], true);
  EXPECT_EQ(applied[2]["merge"], false);
  EXPECT_EQ(applied[2]["entries"], 2);

  EXPECT_FALSE(doc_->SetData(RenderData(), bc, 3));  // no such flag
  EXPECT_TRUE(host_.failed);
  bc_->Free(bc);
}

// Sends the "from interactive render region" button as the plug-in does.
void PressFromIrr(const C4D_DocumentTable* doc, const C4D_ContainerTable* bc, C4D_Node* rd,
                  int32_t creator) {
  C4D_Container* action = bc->Create(C4D_BFM_ACTION);
  bc->SetInt32(action, C4D_BFM_ACTION_ID, 1440);
  bc->SetInt32(action, C4D_BFM_ACTION_VALUE, 1);
  C4D_DescID* id = doc->DescIDCreate();
  doc->DescIDPushLevel(id, 28501, 8, creator);
  C4D_Container* temp = bc->Create(-1);
  C4D_DescriptionCommand command{id, nullptr, action, nullptr, temp};
  EXPECT_TRUE(doc->SendMessage(rd, C4D_MSG_DESCRIPTION_COMMAND, &command));
  C4D_DescriptionCheckUpdate check{doc->GetActiveDocument(), 0, id};
  EXPECT_TRUE(doc->SendMessage(rd, C4D_MSG_DESCRIPTION_CHECKUPDATE, &check));
  bc->Free(temp);
  doc->DescIDFree(id);
  bc->Free(action);
}

TEST_F(DocumentTables, ParameterButtonTakesTheInteractiveRegion) {
  PressFromIrr(doc_, bc_, RenderData(), kRenderDataType);
  EXPECT_EQ(Live().entries.at(7004), (Value{Value::Type::Bool, 1, 0}));
  EXPECT_EQ(Live().entries.at(7005), (Value{Value::Type::Int32, 320, 0}));
  EXPECT_EQ(Live().entries.at(7008), (Value{Value::Type::Int32, 540, 0}));

  auto messages = Events("message");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0]["type"], 18);
  EXPECT_EQ(messages[0]["descid"], json::parse("[[28501, 8, 110304]]"));
  EXPECT_EQ(messages[0]["action"]["id"], C4D_BFM_ACTION);
  EXPECT_EQ(messages[0]["action"]["entries"][std::to_string(C4D_BFM_ACTION_ID)]["int32"], 1440);
  EXPECT_EQ(messages[0]["container"]["id"], -1);
  EXPECT_EQ(messages[0]["parentDialog"], false);
  EXPECT_EQ(messages[0]["applied"], true);
  EXPECT_EQ(messages[1]["type"], 17);
  EXPECT_EQ(messages[1]["drawFlags"], 0);
  EXPECT_FALSE(host_.failed);
}

TEST_F(DocumentTables, ParameterButtonChangesNothingWithoutRegionOrForAnotherParameter) {
  UseScene(R"({"render_settings": {"7004": {"bool": false}}})");
  Container before = Live();
  PressFromIrr(doc_, bc_, RenderData(), kRenderDataType);
  EXPECT_EQ(Live(), before);

  UseScene(R"({"interactive_render_region": [1, 2, 3, 4]})");
  before = Live();
  PressFromIrr(doc_, bc_, RenderData(), 5);  // not this node's parameter
  EXPECT_EQ(Live(), before);
  for (const auto& m : Events("message")) {
    if (m["type"] == 18) {
      EXPECT_EQ(m["applied"], false);
    }
  }
  EXPECT_FALSE(host_.failed);
}

TEST_F(DocumentTables, RenderRecordsWhatItTakesAtThatMoment) {
  C4D_Node* rd = RenderData();
  C4D_Node* gi = doc_->GetFirstVideoPost(rd);
  doc_->SetAllBits(gi, kBitDisabled | 1);
  cmd_->EventAdd(0);
  cmd_->CallCommand(12099, 0);
  doc_->SetAllBits(gi, 1);

  auto renders = Events("render");
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(renders[0]["command"], 12099);
  EXPECT_EQ(renders[0]["settings"]["5008"]["float"], 1280.0);
  EXPECT_EQ(renders[0]["effects"][0], json::parse(R"({"type":1021096,"enabled":false,"bits":5})"));
  EXPECT_EQ(renders[0]["effects"].size(), 4u);
  EXPECT_EQ(Events("update").size(), 1u);
  EXPECT_NE(host_.journal.Transcript().find("RDATA_XRES 1280 x RDATA_YRES 720"), std::string::npos)
      << host_.journal.Transcript();

  // Not a render: declined and logged.
  cmd_->CallCommand(4242, 0);
  auto calls = Events("callcommand");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0]["result"], "render");
  EXPECT_EQ(calls[1]["result"], "declined");
  EXPECT_FALSE(host_.failed);
}

TEST_F(DocumentTables, RenderDeclinedWithoutDocumentOrRenderSettings) {
  ASSERT_EQ(Act({"document", "none"}), "");
  EXPECT_EQ(doc_->GetActiveDocument(), nullptr);
  cmd_->CallCommand(12163, 0);

  UseScene(R"({"render_settings": null})");
  EXPECT_EQ(RenderData(), nullptr);
  cmd_->CallCommand(12099, 0);

  EXPECT_TRUE(Events("render").empty());
  auto calls = Events("callcommand");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0]["reason"], "no active document");
  EXPECT_EQ(calls[1]["reason"], "the active document has no render settings");
  EXPECT_FALSE(host_.failed);
}

TEST_F(DocumentTables, ARenderCanSwitchEffectsBackOn) {
  UseScene(R"({"post_effects": [{"type": 1}, {"type": 2, "enabled": false, "bits": 6}],
               "render_reenables_effects": [2]})");
  C4D_Node* first = doc_->GetFirstVideoPost(RenderData());
  C4D_Node* second = doc_->GetNext(first);
  doc_->SetAllBits(first, kBitDisabled);
  cmd_->CallCommand(12163, 0);
  EXPECT_EQ(doc_->GetAllBits(first), kBitDisabled);  // type 1 is not listed
  EXPECT_EQ(doc_->GetAllBits(second), 2);            // other bits kept
  EXPECT_EQ(Events("render")[0]["effects"][1]["enabled"], false);
}

TEST_F(DocumentTables, HandlesFromAReplacedDocumentAreRefused) {
  C4D_Node* oldRd = RenderData();
  C4D_Node* oldEffect = doc_->GetFirstVideoPost(oldRd);
  C4D_Document* oldDoc = doc_->GetActiveDocument();
  C4D_Container* oldData = doc_->GetDataInstance(oldRd);
  ASSERT_EQ(Act({"document", "default"}), "");
  EXPECT_FALSE(host_.failed);

  EXPECT_EQ(doc_->GetDataInstance(oldRd), nullptr);
  EXPECT_EQ(doc_->GetNext(oldEffect), nullptr);
  EXPECT_EQ(doc_->GetActiveRenderData(oldDoc), nullptr);
  EXPECT_FALSE(host_.Known(kContainerKind, oldData));
  EXPECT_GE(Events("misuse").size(), 3u);
  EXPECT_TRUE(host_.failed);
}

TEST_F(DocumentTables, BadHandlesAreMisuse) {
  int junk = 0;
  auto* fake = reinterpret_cast<C4D_Node*>(&junk);
  EXPECT_EQ(doc_->GetType(fake), 0);
  EXPECT_EQ(doc_->GetFirstVideoPost(nullptr), nullptr);
  // The first effect is not render settings.
  EXPECT_EQ(doc_->GetFirstVideoPost(doc_->GetFirstVideoPost(RenderData())), nullptr);
  EXPECT_FALSE(doc_->SetData(RenderData(), reinterpret_cast<C4D_Container*>(&junk), 1));
  EXPECT_FALSE(doc_->SendMessage(RenderData(), C4D_MSG_DESCRIPTION_COMMAND, nullptr));
  C4D_DescriptionCheckUpdate check{nullptr, 0, nullptr};
  EXPECT_FALSE(doc_->SendMessage(RenderData(), C4D_MSG_DESCRIPTION_CHECKUPDATE, &check));
  EXPECT_EQ(Events("misuse").size(), 6u);
  EXPECT_TRUE(host_.failed);
}

TEST_F(DocumentTables, ParameterIdentifiersAreAccounted) {
  C4D_DescID* a = doc_->DescIDCreate();
  C4D_DescID* b = doc_->DescIDCreate();
  doc_->DescIDPushLevel(a, 1, 2, 3);
  doc_->DescIDPushLevel(a, 4, 5, 6);
  doc_->DescIDCopy(b, a);
  EXPECT_EQ(reinterpret_cast<DescIdObj*>(b)->levels, reinterpret_cast<DescIdObj*>(a)->levels);
  EXPECT_EQ(host_.ledger.Live().at("descid"), 2u);
  doc_->DescIDFree(a);
  doc_->DescIDFree(b);
  doc_->DescIDFree(nullptr);
  EXPECT_EQ(host_.ledger.Live().count("descid"), 0u);
  EXPECT_FALSE(host_.failed);
  doc_->DescIDFree(b);  // twice
  EXPECT_TRUE(host_.failed);
}

TEST_F(DocumentTables, ShowActionsLogTheDocumentState) {
  ASSERT_EQ(Act({"show", "renderdata"}), "");
  ASSERT_EQ(Act({"show", "effects"}), "");
  EXPECT_EQ(Events("renderdata")[0]["settings"]["5300"]["int32"], 0);
  EXPECT_EQ(Events("effects")[0]["effects"].size(), 4u);

  ASSERT_EQ(Act({"document", "none"}), "");
  ASSERT_EQ(Act({"show", "renderdata"}), "");
  EXPECT_EQ(Events("renderdata")[1]["document"], false);
  EXPECT_TRUE(Events("renderdata")[1]["settings"].is_null());

  std::string error = Act({"document", "/nonexistent/scene.json"});
  // (The host names the absolute path: on Windows it has a drive.)
  const std::string absolute =
      std::filesystem::absolute("/nonexistent/scene.json").lexically_normal().generic_string();
  EXPECT_EQ(error, "scene " + absolute + ": cannot be read");
  EXPECT_EQ(doc_->GetActiveDocument(), nullptr);  // the previous state stays
  EXPECT_NE(Act({"show", "effects", "now"}), "");
}

}  // namespace
}  // namespace simhost
