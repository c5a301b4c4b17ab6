// The dialog table and the user's dialog actions, met by a small fake
// plug-in dialog: window life (layout, values, close, free), the checks on
// every call, the menu bar, and what the user can and cannot do.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "core/host.h"
#include "core/objects.h"

namespace simhost {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A plug-in dialog: records the host's calls; its layout loads description
// 10001 of a small res folder and builds a menu, unless a test says otherwise.
struct FakeDialog {
  std::vector<std::string> calls;
  C4D_Dialog* handle = nullptr;
  std::function<bool()> layout;
  std::function<void()> onCommand;
  int32_t keepOpen = 0;
  std::vector<std::pair<int32_t, int32_t>> commands;  // id, 'meva' (-1: none)
  C4D_DialogCallbacks callbacks{};

  FakeDialog() {
    callbacks.size = sizeof callbacks;
    callbacks.CreateLayout = [](void* c) {
      auto* f = static_cast<FakeDialog*>(c);
      f->calls.push_back("CreateLayout");
      return f->layout ? int32_t(f->layout()) : 1;
    };
    callbacks.InitValues = [](void* c) {
      static_cast<FakeDialog*>(c)->calls.push_back("InitValues");
      return int32_t(1);
    };
    callbacks.Command = [](void* c, int32_t id, const C4D_Container* msg) {
      auto* f = static_cast<FakeDialog*>(c);
      const C4D_ContainerTable* ct = Current()->Tables().container;
      EXPECT_EQ(ct->GetId(msg), C4D_BFM_ACTION);
      EXPECT_EQ(ct->GetInt32(msg, C4D_BFM_ACTION_ID, 0), id);
      f->commands.emplace_back(id, ct->GetInt32(msg, C4D_BFM_ACTION_VALUE, -1));
      f->calls.push_back("Command " + std::to_string(id));
      if (f->onCommand) f->onCommand();
      return int32_t(1);
    };
    callbacks.AskClose = [](void* c) {
      auto* f = static_cast<FakeDialog*>(c);
      f->calls.push_back("AskClose");
      return f->keepOpen;
    };
    callbacks.DestroyWindow = [](void* c) {
      static_cast<FakeDialog*>(c)->calls.push_back("DestroyWindow");
    };
  }
};

class DialogTables : public ::testing::Test {
 protected:
  DialogTables() : scope_(host_) {
    host_.journal.echo = false;
    host_.Start();
    root_ = fs::temp_directory_path() / ("brevio-dlg-" + std::to_string(std::random_device{}()));
    Write("res/c4d_symbols.h",
          "enum { DLG_T = 10001, IDC_COMBO = 10002, IDC_CHECK, IDC_DEPENDENT, IDC_GO, "
          "IDS_NAME = 20000 };");
    Write("res/strings_en-US/c4d_strings.str", "STRINGTABLE { IDS_NAME \"Tester\"; }");
    Write("res/dialogs/t.res",
          "DIALOG DLG_T { NAME \"Test\";\n"
          "  COMBOBOX IDC_COMBO { NAME \"Mode\"; }\n"
          "  CHECKBOX IDC_CHECK { NAME \"Shadows\"; }\n"
          "  CHECKBOX IDC_DEPENDENT { NAME \"Soft only\"; }\n"
          "  BUTTON IDC_GO { NAME \"Go\"; }\n}\n");
    fake_.layout = [this] { return StandardLayout(); };
  }

  ~DialogTables() override {
    if (fake_.handle) dt_->Free(fake_.handle);
    host_.Stop();
    fs::remove_all(root_);
  }

  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << text;
  }

  C4D_String* Str(const char* text) { return Current()->Tables().string->Create(text); }
  void Free(C4D_String* s) { Current()->Tables().string->Free(s); }

  // What the plug-in's CreateLayout does: description, items, menus.
  bool StandardLayout() {
    C4D_Filename* folder = Current()->Tables().filename->Create();
    Current()->Tables().filename->SetUtf8(folder, root_.string().c_str());
    C4D_Resource* r = rt_->LoadFromPluginFolder(folder);
    Current()->Tables().filename->Free(folder);
    bool ok = dt_->LoadDialogResource(fake_.handle, 10001, r, 0) != 0;
    rt_->Free(r);
    dt_->FreeChildren(fake_.handle, 10002);
    for (auto [id, text] : {std::pair{1, "One"}, {2, "Two"}}) {
      C4D_String* s = Str(text);
      dt_->AddChild(fake_.handle, 10002, id, s);
      Free(s);
    }
    dt_->MenuFlushAll(fake_.handle);
    C4D_String* file = Str("File");
    C4D_String* save = Str("Save");
    dt_->MenuSubBegin(fake_.handle, file);
    dt_->MenuAddString(fake_.handle, 5055, save);
    dt_->MenuAddSeparator(fake_.handle);
    dt_->MenuAddCommand(fake_.handle, 12097);
    dt_->MenuSubEnd(fake_.handle);
    dt_->MenuFinished(fake_.handle);
    Free(file);
    Free(save);
    return ok;
  }

  void CreateAndOpen() {
    fake_.handle = dt_->Create(&fake_.callbacks, &fake_);
    ASSERT_NE(fake_.handle, nullptr);
    ASSERT_EQ(dt_->Open(fake_.handle, C4D_DLG_TYPE_ASYNC, 1027069, -1, -1, 0, 0, 0), 1)
        << host_.journal.Transcript();
  }

  std::string Act(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    std::string error;
    return host_.RunAction(words, error) ? "" : error;
  }

  std::vector<json> Events(const std::string& name) const {
    std::vector<json> out;
    for (const auto& line : host_.journal.Events()) {
      json e = json::parse(line);
      if (e.value("event", "") == name) out.push_back(e);
    }
    return out;
  }

  json Shown() {
    EXPECT_EQ(Act("show dialog"), "");
    return Events("dialog").back();
  }

  size_t Misuses() const { return const_cast<DialogTables*>(this)->Events("misuse").size(); }

  Host host_;
  CurrentScope scope_;
  const C4D_DialogTable* dt_ = Current()->Tables().dialog;
  const C4D_ResourceTable* rt_ = Current()->Tables().resource;
  FakeDialog fake_;
  fs::path root_;
};

TEST_F(DialogTables, OpenLaysOutOnceAndCloseKeepsTheObject) {
  CreateAndOpen();
  EXPECT_EQ(fake_.calls, (std::vector<std::string>{"CreateLayout", "InitValues"}));
  json d = Shown();
  EXPECT_TRUE(d["open"]);
  EXPECT_EQ(d["title"], "Test");
  ASSERT_EQ(d["gadgets"].size(), 4u);
  EXPECT_EQ(d["gadgets"][0],
            json::parse(R"({"id":10002,"kind":"combo","caption":"Mode","value":0,"enabled":true,
                            "items":[[1,"One"],[2,"Two"]]})"));
  EXPECT_EQ(d["gadgets"][3]["value"], nullptr);
  EXPECT_EQ(d["menus"], json::parse(R"([{"title":"File","entries":[{"id":5055,"text":"Save"},
                                         {"separator":true},{"command":12097}]}])"));

  // Open again while open: brought to the front, no second layout.
  EXPECT_EQ(dt_->Open(fake_.handle, C4D_DLG_TYPE_ASYNC, 1027069, -1, -1, 0, 0, 0), 1);
  EXPECT_EQ(fake_.calls.size(), 2u);
  EXPECT_TRUE(Events("window").back()["front"]);

  EXPECT_EQ(dt_->Close(fake_.handle), 1);
  EXPECT_EQ(fake_.calls.back(), "DestroyWindow");
  EXPECT_FALSE(Shown()["open"]);
  EXPECT_EQ(dt_->Close(fake_.handle), 0);  // nothing left to close
  int32_t v = 7;
  EXPECT_EQ(dt_->GetBool(fake_.handle, 10003, &v), 0);  // no window, no gadget
  EXPECT_EQ(v, 7);

  // A new window is a new layout.
  EXPECT_EQ(dt_->Open(fake_.handle, C4D_DLG_TYPE_ASYNC, 1027069, -1, -1, 0, 0, 0), 1);
  EXPECT_EQ(fake_.calls.size(), 5u);
  EXPECT_EQ(Misuses(), 0u) << host_.journal.Transcript();
}

TEST_F(DialogTables, FailedLayoutOpensNoWindow) {
  fake_.layout = [] { return false; };
  fake_.handle = dt_->Create(&fake_.callbacks, &fake_);
  EXPECT_EQ(dt_->Open(fake_.handle, C4D_DLG_TYPE_ASYNC, 1027069, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(fake_.calls, std::vector<std::string>{"CreateLayout"});
  EXPECT_FALSE(Events("window").back()["layout"]);
  EXPECT_EQ(Act("show dialog"), "");
  EXPECT_EQ(Act("tick 10003"), "no dialog window is open");
}

TEST_F(DialogTables, BrokenDescriptionIsReportedWithFileAndLine) {
  Write("res/dialogs/t.res", "DIALOG DLG_T {\n  CHECKBOX IDC_CHEK { }\n}\n");
  fake_.handle = dt_->Create(&fake_.callbacks, &fake_);
  EXPECT_EQ(dt_->Open(fake_.handle, C4D_DLG_TYPE_ASYNC, 1, -1, -1, 0, 0, 0), 0);
  json e = Events("resource").at(0);
  EXPECT_EQ(e["error"], "res/dialogs/t.res:2: unknown symbol 'IDC_CHEK'");
  EXPECT_EQ(e["path"], (root_ / "res/dialogs/t.res").generic_string());
  // The combo and menu calls against the empty window are quiet.
  EXPECT_EQ(Misuses(), 0u) << host_.journal.Transcript();
}

TEST_F(DialogTables, GadgetCallsAreCheckedByKindAndExistence) {
  CreateAndOpen();
  C4D_Dialog* d = fake_.handle;
  int32_t v = 42;
  // Missing gadgets: quiet false, nothing written.
  EXPECT_EQ(dt_->GetInt32(d, 99999, &v), 0);
  EXPECT_EQ(dt_->SetBool(d, 99999, 1, 0), 0);
  EXPECT_EQ(dt_->Enable(d, 99999, 0), 0);
  EXPECT_EQ(v, 42);
  EXPECT_EQ(Misuses(), 0u);

  // Values round-trip; a combo keeps a value that is not one of its items.
  EXPECT_EQ(dt_->SetInt32(d, 10002, 6099, INT32_MIN, INT32_MAX, 1, 0), 1);
  EXPECT_EQ(dt_->GetInt32(d, 10002, &v), 1);
  EXPECT_EQ(v, 6099);
  EXPECT_EQ(dt_->SetInt32(d, 10002, 50, 0, 10, 1, 0), 1);  // kept inside its range
  EXPECT_EQ(dt_->GetInt32(d, 10002, &v), 1);
  EXPECT_EQ(v, 10);
  EXPECT_EQ(dt_->SetBool(d, 10003, 5, 0), 1);
  EXPECT_EQ(dt_->GetBool(d, 10003, &v), 1);
  EXPECT_EQ(v, 1);

  // Wrong kinds, bad ranges, bad pointers and foreign handles are misuse.
  EXPECT_EQ(dt_->SetBool(d, 10002, 1, 0), 0);
  EXPECT_EQ(dt_->GetInt32(d, 10003, &v), 0);
  EXPECT_EQ(dt_->GetBool(d, 10005, &v), 0);
  EXPECT_EQ(dt_->SetInt32(d, 10002, 1, 5, 4, 1, 0), 0);
  EXPECT_EQ(dt_->SetInt32(d, 10002, 1, 0, 4, 0, 0), 0);
  EXPECT_EQ(dt_->GetBool(d, 10003, nullptr), 0);
  EXPECT_EQ(dt_->FreeChildren(d, 10003), 0);
  int foreign = 0;
  EXPECT_EQ(dt_->Enable(reinterpret_cast<C4D_Dialog*>(&foreign), 10003, 0), 0);
  C4D_String* s = Str("One again");
  EXPECT_EQ(dt_->AddChild(d, 10002, 1, s), 0);  // the combo already has item 1
  Free(s);
  EXPECT_EQ(Misuses(), 9u);
  host_.failed = false;
}

TEST_F(DialogTables, MenuBarMustBeBuiltInOrder) {
  fake_.layout = [this] {
    dt_->MenuFlushAll(fake_.handle);
    C4D_String* s = Str("Entry");
    dt_->MenuAddString(fake_.handle, 1, s);  // no sub-menu open
    dt_->MenuSubBegin(fake_.handle, s);      // and never ended
    Free(s);
    return true;
  };
  CreateAndOpen();
  std::vector<std::string> calls;
  for (const json& e : Events("misuse")) calls.push_back(e["call"]);
  EXPECT_EQ(calls, (std::vector<std::string>{"Dialog.MenuAddString", "Dialog.MenuFinished"}));
  EXPECT_EQ(dt_->MenuSubEnd(fake_.handle), 1);
  EXPECT_EQ(dt_->MenuSubEnd(fake_.handle), 0);
  EXPECT_EQ(Act("menu 1"), "the dialog's menu bar is not finished (MenuFinished was not called)");
  dt_->Close(fake_.handle);
  EXPECT_EQ(dt_->MenuFlushAll(fake_.handle), 0);  // no window: misuse
  EXPECT_EQ(Misuses(), 4u);
  host_.failed = false;
}

TEST_F(DialogTables, UserActionsChangeTheGadgetThenTellTheDialog) {
  CreateAndOpen();
  fake_.onCommand = [this] {
    // The host changed the gadget before the dialog hears of it.
    int32_t v = 0;
    if (fake_.calls.back() == "Command 10002") {
      EXPECT_EQ(dt_->GetInt32(fake_.handle, 10002, &v), 1);
      EXPECT_EQ(v, 2);
    }
  };
  EXPECT_EQ(Act("choose 10002 2"), "");
  EXPECT_EQ(Act("tick IDC_CHECK"), "");
  EXPECT_EQ(Act("click 10005"), "");
  EXPECT_EQ(Act("menu 5055"), "");
  EXPECT_EQ(fake_.commands, (std::vector<std::pair<int32_t, int32_t>>{
                                {10002, 2}, {10003, 1}, {10005, -1}, {5055, -1}}));
  EXPECT_EQ(Events("user")[1], json::parse(R"({"event":"user","action":"tick","gadget":10003,
                                               "value":true,"answer":true})"));

  // What the user cannot do stops the script.
  dt_->Enable(fake_.handle, 10004, 0);
  EXPECT_EQ(Act("tick 10004"),
            "gadget 10004 \"Soft only\" is disabled: the user cannot operate it");
  EXPECT_EQ(Act("choose 10002 3"),
            "combo box 10002 \"Mode\" has no item 3 (items: 1 \"One\", 2 \"Two\")");
  EXPECT_EQ(Act("tick 10003"), "check box 10003 \"Shadows\" is already ticked");
  EXPECT_EQ(Act("click 10003"), "gadget 10003 \"Shadows\" is a check box, not a button");
  EXPECT_EQ(Act("untick 4711"), "the dialog has no gadget 4711");
  EXPECT_EQ(Act("menu 5056"), "the dialog's menus have no entry 5056");
  EXPECT_EQ(Act("choose 10002"), "usage: choose GADGET VALUEID");
  EXPECT_EQ(fake_.commands.size(), 4u);
  EXPECT_EQ(Misuses(), 0u) << host_.journal.Transcript();
}

TEST_F(DialogTables, TheUserClosesThroughAskCloseAndTheHostsCloseEntry) {
  CreateAndOpen();
  fake_.keepOpen = 1;
  EXPECT_EQ(Act("close"), "");
  EXPECT_TRUE(Shown()["open"]);
  fake_.keepOpen = 0;
  EXPECT_EQ(Act("menu 12097"), "");
  EXPECT_FALSE(Shown()["open"]);
  EXPECT_EQ(fake_.calls, (std::vector<std::string>{"CreateLayout", "InitValues", "AskClose",
                                                   "AskClose", "DestroyWindow"}));
  EXPECT_EQ(fake_.commands.size(), 0u);  // the host's entry is not the dialog's command
}

TEST_F(DialogTables, FreeClosesWithoutCallingBackAndSurvivesFreeInsideCommand) {
  CreateAndOpen();
  dt_->Free(fake_.handle);
  fake_.handle = nullptr;
  EXPECT_EQ(fake_.calls.back(), "InitValues");  // no DestroyWindow into a dying object
  EXPECT_FALSE(Events("window").back()["open"]);

  CreateAndOpen();
  fake_.onCommand = [this] {
    dt_->Free(fake_.handle);
    fake_.handle = nullptr;
  };
  EXPECT_EQ(Act("click 10005"), "");
  EXPECT_EQ(Events("misuse").at(0)["call"], "Dialog.Free");
  EXPECT_EQ(Act("show dialog"), "");
  host_.failed = false;
  EXPECT_TRUE(host_.ledger.Live().empty());
}

TEST_F(DialogTables, ResourceStringsAndHandles) {
  C4D_Filename* folder = Current()->Tables().filename->Create();
  Current()->Tables().filename->SetUtf8(folder, (root_ / "res").string().c_str());
  C4D_Resource* r = rt_->LoadSet(folder);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(host_.ledger.Live().at("resource"), 1u);
  C4D_String* name = rt_->LoadString(r, 20000);
  C4D_String* unknown = rt_->LoadString(r, 20001);
  C4D_String* none = rt_->LoadString(nullptr, 20000);
  EXPECT_EQ(TextOf(name), "Tester");
  EXPECT_EQ(TextOf(unknown), "");
  EXPECT_EQ(TextOf(none), "");
  for (C4D_String* s : {name, unknown, none}) Free(s);
  rt_->Free(r);
  rt_->Free(r);  // freed already
  EXPECT_EQ(Misuses(), 1u);

  // A missing folder is no set; a broken one is reported too.
  Current()->Tables().filename->SetUtf8(folder, (root_ / "nothing").string().c_str());
  EXPECT_EQ(rt_->LoadSet(folder), nullptr);
  Write("res/c4d_symbols.h", "enum { A = 1\n B };");
  Current()->Tables().filename->SetUtf8(folder, (root_ / "res").string().c_str());
  EXPECT_EQ(rt_->LoadSet(folder), nullptr);
  EXPECT_EQ(Events("resource").at(0)["error"],
            "res/c4d_symbols.h:2: expected ',' or '}', found 'B'");
  Current()->Tables().filename->Free(folder);
  host_.failed = false;
}

}  // namespace
}  // namespace simhost
