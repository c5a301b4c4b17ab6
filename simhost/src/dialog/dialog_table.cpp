// dialog_table.cpp - the host's dialog service table. Every entry checks its
// dialog handle against the ledger; what a call may do depends on whether the
// dialog has a window (between a successful CreateLayout and its close) and
// on the kind of the gadget it names.
#include <algorithm>

#include "core/core.h"
#include "core/objects.h"
#include "core/offers.h"
#include "dialog/dialog_area.h"

namespace simhost {

namespace {

// Dialogs belong to the dialog area, which destroys them at its stop.
constexpr TypedKind<DialogObj> kKind = AreaKind<DialogObj>("dialog");

// The entry preamble for a dialog handle: the host, and the dialog or NULL
// (after a misuse report). A NULL handle is quiet where `nullQuiet`: the
// plug-in's layer passes a dialog whose creation failed on to the layout
// and menu calls, which then answer false.
Entered<DialogObj> EnterDialog(const char* call, C4D_Dialog* d, bool nullQuiet = false) {
  if (d == nullptr && nullQuiet) return {Enter(call), nullptr};
  return Enter(call, kKind, d);
}

std::string GadgetName(const Gadget& g) {
  std::string s = std::to_string(g.id);
  if (!g.caption.empty()) s += " (\"" + g.caption + "\")";
  return s;
}

// The gadget a value call names, or NULL when the dialog has no window or no
// such gadget (the call then answers false), or when the gadget is of another
// kind (a misuse: the host has no such value for it).
Gadget* ValueGadget(Host& host, DialogObj* dlg, int32_t id, Gadget::Kind kind, const char* call,
                    const char* instead) {
  if (!dlg->HasWindow()) return nullptr;
  Gadget* g = dlg->window.Find(id);
  if (g == nullptr) return nullptr;
  if (g->kind != kind) {
    host.Misuse(Rule::GadgetKind, call,
                "gadget " + GadgetName(*g) + " is " + KindWords(g->kind) + ", not " +
                    KindWords(kind) + instead);
    return nullptr;
  }
  return g;
}

// ---- life of the dialog object and its window -----------------------------

C4D_Dialog* Create(const C4D_DialogCallbacks* callbacks, void* ctx) {
  Host* host = Enter("Dialog.Create");
  if (host == nullptr) return nullptr;
  if (callbacks == nullptr) {
    host->Misuse(Rule::DialogCallbacks, "Dialog.Create", "NULL callbacks");
    return nullptr;
  }
  if (callbacks->size < sizeof(uint32_t)) {
    host->Misuse(Rule::DialogCallbacks, "Dialog.Create",
                 "the callbacks' size is " + std::to_string(callbacks->size));
    return nullptr;
  }
  DialogArea* area = Dialogs(*host);
  if (area == nullptr || !host->AllowCreate(kKind)) return nullptr;
  auto dialog = std::make_unique<DialogObj>();
  dialog->callbacks = callbacks;
  dialog->ctx = ctx;
  DialogObj* d = area->AddDialog(std::move(dialog));
  host->ledger.Add(kKind, d);
  return ToHandle(d);
}

void Free(C4D_Dialog* d) {
  Host* host = Enter("Dialog.Free");
  if (host == nullptr || !host->CheckFree(kKind, d, "Dialog.Free")) return;
  DialogObj* dlg = kKind.From(d);
  DialogArea* area = Dialogs(*host);
  if (area == nullptr) return;
  if (dlg->busy > 0)
    host->Misuse(Rule::FreeInCallback, "Dialog.Free",
                 "frees the dialog while the host is inside one of its callbacks");
  // The object is going: its window closes without asking and without
  // calling back into an object that is being destroyed.
  area->DestroyWindow(*host, dlg, "host", false);
  host->ledger.Remove(kKind, dlg);
  area->DeleteDialog(dlg);
}

// `passed`: what the plug-in's call passed besides the plug-in id, for the
// window event (the sub-id always; Open also its place and default size).
int32_t OpenWindow(Host& host, DialogObj* dlg, const char* call, int32_t pluginId, int32_t subId,
                   nlohmann::json passed) {
  DialogArea* area = Dialogs(host);
  if (area == nullptr) return 0;
  if (dlg->state == DialogObj::State::Creating) {
    host.Misuse(Rule::WindowInLayout, call,
                "the dialog's window is being created (called from CreateLayout)");
    return 0;
  }
  if (dlg->state == DialogObj::State::Open) {
    area->BringToFront(dlg);
    host.journal.Say("simhost: window \"" + dlg->window.title + "\" brought to the front");
    nlohmann::json e = {{"event", "window"},
                        {"open", true},
                        {"plugin", dlg->pluginId},
                        {"title", dlg->window.title},
                        {"front", true}};
    for (const auto& [key, value] : passed.items()) e[key] = value;
    host.journal.Emit(e);
    return 1;
  }
  dlg->pluginId = pluginId;
  dlg->subId = subId;
  bool ok = area->OpenWindow(host, dlg, passed);
  area->Sweep();
  return ok ? 1 : 0;
}

int32_t Open(C4D_Dialog* d, int32_t type, int32_t pluginId, int32_t x, int32_t y, int32_t w,
             int32_t h, int32_t subId) {
  auto [host, dlg] = EnterDialog("Dialog.Open", d);
  if (dlg == nullptr) return 0;
  if (type != C4D_DLG_TYPE_ASYNC && type != C4D_DLG_TYPE_MODAL) {
    host->Misuse(Rule::Argument, "Dialog.Open",
                 "type " + std::to_string(type) + " is neither 20 (non-modal) nor 10 (modal)");
    return 0;
  }
  if (type == C4D_DLG_TYPE_MODAL) {
    // A modal window would hold the script inside the plug-in's call.
    host->journal.Say("simhost: modal dialogs (type 10) are not simulated; Open answers false");
    return 0;
  }
  if (dlg->state == DialogObj::State::Closed) {
    dlg->x = x;
    dlg->y = y;
    dlg->w = w;
    dlg->h = h;
    dlg->restored = false;
  }
  return OpenWindow(
      *host, dlg, "Dialog.Open", pluginId, subId,
      {{"subId", subId}, {"x", x}, {"y", y}, {"defaultWidth", w}, {"defaultHeight", h}});
}

int32_t RestoreLayout(C4D_Dialog* d, int32_t pluginId, int32_t subId, void* secret) {
  auto [host, dlg] = EnterDialog("Dialog.RestoreLayout", d);
  if (dlg == nullptr) return 0;
  if (secret == nullptr) {
    host->Misuse(Rule::Argument, "Dialog.RestoreLayout",
                 "NULL layout data (pass on what the host handed over)");
    return 0;
  }
  if (dlg->state == DialogObj::State::Closed) dlg->restored = true;
  // Whether the plug-in passed on the layout data the host handed to its
  // command, or a pointer of its own.
  const bool hostData = secret == &host->core->layoutData;
  return OpenWindow(*host, dlg, "Dialog.RestoreLayout", pluginId, subId,
                    {{"subId", subId}, {"layoutData", hostData}});
}

int32_t Close(C4D_Dialog* d) {
  auto [host, dlg] = EnterDialog("Dialog.Close", d);
  if (dlg == nullptr) return 0;
  DialogArea* area = Dialogs(*host);
  if (area == nullptr) return 0;
  if (dlg->state == DialogObj::State::Creating) {
    // The window is only being built: CreateLayout answers false to refuse it.
    host->Misuse(Rule::WindowInLayout, "Dialog.Close",
                 "closes the dialog from inside its own CreateLayout");
    return 0;
  }
  if (dlg->state != DialogObj::State::Open) return 0;  // nothing to close
  area->DestroyWindow(*host, dlg, "plugin", true);
  area->Sweep();
  return 1;
}

// ---- layout ------------------------------------------------------------------

int32_t LoadDialogResource(C4D_Dialog* d, int32_t id, const C4D_Resource* r, int32_t flags) {
  (void)flags;  // layout flags change nothing the simulated host shows
  const char* call = "Dialog.LoadDialogResource";
  auto [host, dlg] = EnterDialog(call, d, true);
  if (dlg == nullptr) return 0;
  if (!dlg->HasWindow()) {
    host->Misuse(Rule::NoWindow, call,
                 "the dialog has no window (load descriptions in CreateLayout)");
    return 0;
  }
  if (r == nullptr) {
    host->journal.Say("simhost: dialog description " + std::to_string(id) +
                      " not loaded: no resource");
    return 0;
  }
  if (!host->Check(res::kResourceKind, r, call)) return 0;
  const res::ResourceSet* set = res::kResourceKind.From(r);
  res::DialogDescription desc;
  res::ResError error;
  if (!res::LoadDialogDescription(*set, id, desc, error)) {
    host->journal.Say("simhost: resource error: " + error.Format());
    host->journal.Emit({{"event", "resource"},
                        {"path", error.path},
                        {"line", error.line},
                        {"error", error.Format()}});
    return 0;
  }
  Window& win = dlg->window;
  ShowDescription(win, desc);
  win.description = id;
  win.symbols = set->symbols.byName;
  host->journal.Say("simhost: dialog description " + desc.symbol + " loaded (" +
                    std::to_string(win.gadgets.size()) + " gadgets)");
  return 1;
}

// ---- combo items --------------------------------------------------------------

int32_t FreeChildren(C4D_Dialog* d, int32_t gadget) {
  const char* call = "Dialog.FreeChildren";
  auto [host, dlg] = EnterDialog(call, d);
  if (dlg == nullptr) return 0;
  Gadget* g = ValueGadget(*host, dlg, gadget, Gadget::Kind::Combo, call, "");
  if (g == nullptr) return 0;
  g->items.clear();
  return 1;
}

int32_t AddChild(C4D_Dialog* d, int32_t gadget, int32_t itemId, const C4D_String* text) {
  const char* call = "Dialog.AddChild";
  auto [host, dlg] = EnterDialog(call, d);
  if (dlg == nullptr || !host->Check(kStringKind, text, call)) return 0;
  Gadget* g = ValueGadget(*host, dlg, gadget, Gadget::Kind::Combo, call, "");
  if (g == nullptr) return 0;
  for (const auto& item : g->items)
    if (item.first == itemId) {
      host->Misuse(Rule::ComboItem, call,
                   "combo box " + GadgetName(*g) + " already has item " + std::to_string(itemId) +
                       " (FreeChildren first)");
      return 0;
    }
  g->items.emplace_back(itemId, TextOf(text));
  return 1;
}

// ---- menu bar --------------------------------------------------------------

DialogObj* MenuDialog(Host*& host, C4D_Dialog* d, const char* call) {
  Entered<DialogObj> entered = EnterDialog(call, d, true);
  host = entered.host;
  DialogObj* dlg = entered.object;
  if (dlg == nullptr) return nullptr;
  if (!dlg->HasWindow()) {
    host->Misuse(Rule::NoWindow, call,
                 "the dialog has no window (build its menus in CreateLayout)");
    return nullptr;
  }
  return dlg;
}

// The entries of the innermost sub-menu being built (NULL: none open).
std::vector<MenuEntry>* OpenEntries(MenuBar& m) {
  if (m.open.empty()) return nullptr;
  std::vector<MenuEntry>* entries = &m.menus;
  for (size_t index : m.open) entries = &(*entries)[index].entries;
  return entries;
}

int32_t AddEntry(C4D_Dialog* d, const char* call, MenuEntry entry) {
  Host* host = nullptr;
  DialogObj* dlg = MenuDialog(host, d, call);
  if (dlg == nullptr) return 0;
  MenuBar& m = dlg->window.menu;
  std::vector<MenuEntry>* entries = OpenEntries(m);
  if (entries == nullptr) {
    host->Misuse(Rule::MenuBar, call, "no sub-menu is open (MenuSubBegin first)");
    return 0;
  }
  entries->push_back(std::move(entry));
  m.finished = false;
  return 1;
}

int32_t MenuFlushAll(C4D_Dialog* d) {
  Host* host = nullptr;
  DialogObj* dlg = MenuDialog(host, d, "Dialog.MenuFlushAll");
  if (dlg == nullptr) return 0;
  dlg->window.menu = MenuBar{};
  return 1;
}

int32_t MenuSubBegin(C4D_Dialog* d, const C4D_String* title) {
  const char* call = "Dialog.MenuSubBegin";
  Host* host = nullptr;
  DialogObj* dlg = MenuDialog(host, d, call);
  if (dlg == nullptr || !host->Check(kStringKind, title, call)) return 0;
  MenuBar& m = dlg->window.menu;
  std::vector<MenuEntry>* entries = OpenEntries(m);
  if (entries == nullptr) entries = &m.menus;
  MenuEntry sub;
  sub.type = MenuEntry::Type::Sub;
  sub.text = TextOf(title);
  entries->push_back(std::move(sub));
  m.open.push_back(entries->size() - 1);
  m.finished = false;
  return 1;
}

int32_t MenuAddString(C4D_Dialog* d, int32_t id, const C4D_String* text) {
  Host* host = Enter("Dialog.MenuAddString");
  if (host == nullptr || (d != nullptr && !host->Check(kStringKind, text, "Dialog.MenuAddString")))
    return 0;
  MenuEntry e;
  e.type = MenuEntry::Type::String;
  e.id = id;
  e.text = TextOf(text);
  return AddEntry(d, "Dialog.MenuAddString", std::move(e));
}

int32_t MenuAddSeparator(C4D_Dialog* d) {
  MenuEntry e;
  e.type = MenuEntry::Type::Separator;
  return AddEntry(d, "Dialog.MenuAddSeparator", std::move(e));
}

int32_t MenuAddCommand(C4D_Dialog* d, int32_t commandId) {
  MenuEntry e;
  e.type = MenuEntry::Type::Command;
  e.id = commandId;
  return AddEntry(d, "Dialog.MenuAddCommand", std::move(e));
}

int32_t MenuSubEnd(C4D_Dialog* d) {
  Host* host = nullptr;
  DialogObj* dlg = MenuDialog(host, d, "Dialog.MenuSubEnd");
  if (dlg == nullptr) return 0;
  MenuBar& m = dlg->window.menu;
  if (m.open.empty()) {
    host->Misuse(Rule::MenuBar, "Dialog.MenuSubEnd", "no sub-menu is open");
    return 0;
  }
  m.open.pop_back();
  m.finished = false;
  return 1;
}

int32_t MenuFinished(C4D_Dialog* d) {
  Host* host = nullptr;
  DialogObj* dlg = MenuDialog(host, d, "Dialog.MenuFinished");
  if (dlg == nullptr) return 0;
  MenuBar& m = dlg->window.menu;
  if (!m.open.empty()) {
    host->Misuse(Rule::MenuBar, "Dialog.MenuFinished",
                 std::to_string(m.open.size()) + " sub-menu(s) still open (MenuSubEnd missing)");
    return 0;
  }
  m.finished = true;
  return 1;
}

// ---- gadget values ---------------------------------------------------------

int32_t SetInt32(C4D_Dialog* d, int32_t gadget, int32_t value, int32_t min, int32_t max,
                 int32_t step, int32_t tristate) {
  const char* call = "Dialog.SetInt32";
  auto [host, dlg] = EnterDialog(call, d);
  if (dlg == nullptr) return 0;
  Gadget* g =
      ValueGadget(*host, dlg, gadget, Gadget::Kind::Combo, call, " (SetBool sets a check box)");
  if (g == nullptr) return 0;
  if (min > max) {
    host->Misuse(Rule::Argument, call,
                 "minimum " + std::to_string(min) + " above maximum " + std::to_string(max));
    return 0;
  }
  if (step <= 0) {
    host->Misuse(Rule::Argument, call, "step " + std::to_string(step) + " is not positive");
    return 0;
  }
  g->min = min;
  g->max = max;
  g->step = step;
  g->value = std::clamp(value, min, max);  // the host keeps a value inside its range
  g->tristate = tristate != 0;
  return 1;
}

int32_t SetBool(C4D_Dialog* d, int32_t gadget, int32_t value, int32_t tristate) {
  const char* call = "Dialog.SetBool";
  auto [host, dlg] = EnterDialog(call, d);
  if (dlg == nullptr) return 0;
  Gadget* g =
      ValueGadget(*host, dlg, gadget, Gadget::Kind::Check, call, " (SetInt32 sets a combo box)");
  if (g == nullptr) return 0;
  g->value = value != 0 ? 1 : 0;
  g->tristate = tristate != 0;
  return 1;
}

int32_t GetValue(C4D_Dialog* d, int32_t gadget, int32_t* out, Gadget::Kind kind, const char* call,
                 const char* instead) {
  auto [host, dlg] = EnterDialog(call, d);
  if (dlg == nullptr) return 0;
  if (out == nullptr) {
    host->Misuse(Rule::Argument, call, "NULL result pointer");
    return 0;
  }
  Gadget* g = ValueGadget(*host, dlg, gadget, kind, call, instead);
  if (g == nullptr) return 0;
  *out = g->value;
  return 1;
}

int32_t GetInt32(C4D_Dialog* d, int32_t gadget, int32_t* out) {
  return GetValue(d, gadget, out, Gadget::Kind::Combo, "Dialog.GetInt32",
                  " (GetBool reads a check box)");
}

int32_t GetBool(C4D_Dialog* d, int32_t gadget, int32_t* out) {
  return GetValue(d, gadget, out, Gadget::Kind::Check, "Dialog.GetBool",
                  " (GetInt32 reads a combo box)");
}

int32_t Enable(C4D_Dialog* d, int32_t gadget, int32_t enabled) {
  DialogObj* dlg = EnterDialog("Dialog.Enable", d).object;
  if (dlg == nullptr || !dlg->HasWindow()) return 0;
  Gadget* g = dlg->window.Find(gadget);
  if (g == nullptr) return 0;
  g->enabled = enabled != 0;
  return 1;
}

}  // namespace

namespace {

const C4D_DialogTable* Table() {
  static const C4D_DialogTable table = {sizeof(C4D_DialogTable),
                                        Create,
                                        Free,
                                        Open,
                                        RestoreLayout,
                                        Close,
                                        LoadDialogResource,
                                        FreeChildren,
                                        AddChild,
                                        MenuFlushAll,
                                        MenuSubBegin,
                                        MenuAddString,
                                        MenuAddSeparator,
                                        MenuAddCommand,
                                        MenuSubEnd,
                                        MenuFinished,
                                        SetInt32,
                                        SetBool,
                                        GetInt32,
                                        GetBool,
                                        Enable};
  return &table;
}

const Offer kOffer("dialog", &C4D_ServiceRoot::dialog, Table());

}  // namespace

namespace {
Gadget::Kind KindOf(res::DescGadget::Kind kind) {
  switch (kind) {
    case res::DescGadget::Kind::Combo:
      return Gadget::Kind::Combo;
    case res::DescGadget::Kind::Check:
      return Gadget::Kind::Check;
    case res::DescGadget::Kind::Button:
      return Gadget::Kind::Button;
    case res::DescGadget::Kind::Text:
      return Gadget::Kind::Text;
    case res::DescGadget::Kind::Separator:
      break;
  }
  return Gadget::Kind::Separator;
}

}  // namespace

void ShowDescription(Window& win, const res::DialogDescription& desc) {
  win.title = desc.title;
  win.description = desc.id;
  win.descriptionName = desc.symbol;
  win.descriptionFile = desc.file;
  win.layout = desc.layout;
  win.gadgets.clear();
  for (const res::DescGadget& dg : desc.gadgets) {
    Gadget g;
    g.kind = KindOf(dg.kind);
    g.id = dg.id;
    g.symbol = dg.symbol;
    g.caption = dg.caption;
    g.section = dg.section;
    g.items = dg.items;
    if (!g.items.empty()) g.value = g.items.front().first;
    win.gadgets.push_back(std::move(g));
  }
}

}  // namespace simhost
