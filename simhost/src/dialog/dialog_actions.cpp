// dialog_actions.cpp - the user at the dialog: script actions that operate
// the frontmost dialog window as a user would. The host changes the gadget
// first and then tells the dialog through its Command, as the real one does;
// what a user cannot do (operate a disabled gadget, pick an item a combo box
// does not have) stops the script.
#include "core/offers.h"

#include "c4d_host_numbers.h"
#include "core/text.h"
#include "dialog/dialog_area.h"
#include "dialog/dialog_view.h"

namespace simhost {

namespace {

const int32_t kCloseWindowCommand = IDM_CM_CLOSEWINDOW;

std::string Name(const Gadget& g) { return std::to_string(g.id) + " " + Quoted(g.caption); }

DialogObj* FrontWindow(Host& host, std::string& error) {
  DialogArea* area = Dialogs(host);
  DialogObj* d = area ? area->Front() : nullptr;
  if (d == nullptr) error = "no dialog window is open";
  return d;
}

// GADGET as a number or as the IDC_ name of the window's resource.
Gadget* FindGadget(DialogObj* d, const std::string& word, std::string& error) {
  int32_t id = 0;
  if (!ParseInt32(word, id)) {
    auto it = d->window.symbols.find(word);
    if (it == d->window.symbols.end()) {
      error = "no gadget " + word + " (give its id or its symbol name)";
      return nullptr;
    }
    id = it->second;
  }
  Gadget* g = d->window.Find(id);
  if (g == nullptr || !g->Addressable()) {
    error = "the dialog has no gadget " + word;
    return nullptr;
  }
  return g;
}

// The gadget a user action operates: it exists, is of `kind` and is enabled.
Gadget* Operable(DialogObj* d, const std::string& word, Gadget::Kind kind, std::string& error) {
  Gadget* g = FindGadget(d, word, error);
  if (g == nullptr) return nullptr;
  if (g->kind != kind) {
    error = "gadget " + Name(*g) + " is " + KindWords(g->kind) + ", not " + KindWords(kind);
    return nullptr;
  }
  if (!g->enabled) {
    error = "gadget " + Name(*g) + " is disabled: the user cannot operate it";
    return nullptr;
  }
  return g;
}

bool Args(const std::vector<std::string>& args, size_t count, const char* usage,
          std::string& error) {
  if (args.size() == count) return true;
  error = std::string("usage: ") + usage;
  return false;
}

// Hands the change to the dialog and reports what it answered.
void Tell(Host& host, DialogObj* d, nlohmann::json event, int32_t id, bool hasValue,
          int32_t value) {
  DialogArea* area = Dialogs(host);
  bool answer = area->SendCommand(host, d, id, hasValue, value);
  host.journal.Say("simhost: Command(" + std::to_string(id) + ") answered " +
                   (answer ? "true" : "false"));
  event["answer"] = answer;
  host.journal.Emit(event);
  area->Sweep();
}

bool Choose(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Args(args, 2, "choose GADGET VALUEID", error)) return false;
  DialogObj* d = FrontWindow(host, error);
  if (d == nullptr) return false;
  Gadget* g = Operable(d, args[0], Gadget::Kind::Combo, error);
  if (g == nullptr) return false;
  int32_t value = 0;
  if (!ParseInt32(args[1], value)) {
    error = "VALUEID must be a number, not " + args[1];
    return false;
  }
  bool known = false;
  std::string items;
  for (const auto& [id, text] : g->items) {
    known = known || id == value;
    items += (items.empty() ? "" : ", ") + std::to_string(id) + " " + Quoted(text);
  }
  if (!known) {
    error = "combo box " + Name(*g) + " has no item " + args[1] +
            " (items: " + (items.empty() ? "none" : items) + ")";
    return false;
  }
  g->value = value;
  g->tristate = false;
  host.journal.Say("simhost: the user chooses " + ComboValueText(*g, value) + " in " + Name(*g));
  int32_t id = g->id;
  Tell(host, d, {{"event", "user"}, {"action", "choose"}, {"gadget", id}, {"value", value}}, id,
       true, value);
  return true;
}

bool SetCheck(Host& host, const std::vector<std::string>& args, std::string& error, bool on) {
  if (!Args(args, 1, on ? "tick GADGET" : "untick GADGET", error)) return false;
  DialogObj* d = FrontWindow(host, error);
  if (d == nullptr) return false;
  Gadget* g = Operable(d, args[0], Gadget::Kind::Check, error);
  if (g == nullptr) return false;
  if ((g->value != 0) == on && !g->tristate) {
    error = "check box " + Name(*g) + " is already " + (on ? "ticked" : "unticked");
    return false;
  }
  g->value = on ? 1 : 0;
  g->tristate = false;
  host.journal.Say(std::string("simhost: the user ") + (on ? "ticks " : "unticks ") + Name(*g));
  int32_t id = g->id;
  Tell(host, d,
       {{"event", "user"}, {"action", on ? "tick" : "untick"}, {"gadget", id}, {"value", on}}, id,
       true, on ? 1 : 0);
  return true;
}

bool Click(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Args(args, 1, "click GADGET", error)) return false;
  DialogObj* d = FrontWindow(host, error);
  if (d == nullptr) return false;
  Gadget* g = Operable(d, args[0], Gadget::Kind::Button, error);
  if (g == nullptr) return false;
  host.journal.Say("simhost: the user clicks " + Name(*g));
  int32_t id = g->id;
  Tell(host, d, {{"event", "user"}, {"action", "click"}, {"gadget", id}}, id, false, 0);
  return true;
}

const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, int32_t id) {
  for (const MenuEntry& e : entries) {
    if ((e.type == MenuEntry::Type::String || e.type == MenuEntry::Type::Command) && e.id == id)
      return &e;
    if (e.type == MenuEntry::Type::Sub)
      if (const MenuEntry* found = FindEntry(e.entries, id)) return found;
  }
  return nullptr;
}

bool Menu(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Args(args, 1, "menu ID", error)) return false;
  DialogObj* d = FrontWindow(host, error);
  if (d == nullptr) return false;
  int32_t id = 0;
  if (!ParseInt32(args[0], id)) {
    error = "menu ID must be a number, not " + args[0];
    return false;
  }
  const MenuBar& bar = d->window.menu;
  if (!bar.finished) {
    error = "the dialog's menu bar is not finished (MenuFinished was not called)";
    return false;
  }
  const MenuEntry* entry = FindEntry(bar.menus, id);
  if (entry == nullptr) {
    error = "the dialog's menus have no entry " + args[0];
    return false;
  }
  DialogArea* area = Dialogs(host);
  if (entry->type == MenuEntry::Type::String) {
    host.journal.Say("simhost: the user picks menu entry " + std::to_string(id) + " " +
                     Quoted(entry->text));
    Tell(host, d, {{"event", "user"}, {"action", "menu"}, {"entry", id}}, id, false, 0);
    return true;
  }
  host.journal.Say("simhost: the user picks host command " + std::to_string(id) + " " +
                   Quoted(HostCommandText(id)) + " in the dialog's menu");
  host.journal.Emit({{"event", "user"}, {"action", "menu"}, {"command", id}});
  if (id == kCloseWindowCommand) {
    area->UserClose(host, d, "its Close menu entry");
  } else if (!host.ExecuteCommand(id)) {
    host.journal.Say("simhost: host command " + std::to_string(id) + " does nothing here");
  }
  area->Sweep();
  return true;
}

bool CloseWindow(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Args(args, 0, "close", error)) return false;
  DialogObj* d = FrontWindow(host, error);
  if (d == nullptr) return false;
  host.journal.Emit({{"event", "user"}, {"action", "close"}});
  DialogArea* area = Dialogs(host);
  area->UserClose(host, d, "its close box");
  area->Sweep();
  return true;
}

bool ShowDialog(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Args(args, 0, "show dialog", error)) return false;
  DialogArea* area = Dialogs(host);
  const DialogObj* d = area ? area->Shown() : nullptr;
  for (const std::string& line : DescribeDialog(d)) host.journal.Say(line);
  host.journal.Emit(DialogEvent(d));
  return true;
}

}  // namespace

namespace {

void AddDialogActions(ActionRegistry& actions) {
  actions.Add("choose", "choose GADGET VALUEID  - pick an item of a combo box", Choose);
  actions.Add("tick", "tick GADGET  - tick a check box",
              [](Host& h, const std::vector<std::string>& a, std::string& e) {
                return SetCheck(h, a, e, true);
              });
  actions.Add("untick", "untick GADGET  - untick a check box",
              [](Host& h, const std::vector<std::string>& a, std::string& e) {
                return SetCheck(h, a, e, false);
              });
  actions.Add("click", "click GADGET  - click a button", Click);
  actions.Add("menu", "menu ID  - pick an entry of the dialog's own menus", Menu);
  actions.Add("close", "close  - close the front dialog window as the user", CloseWindow);
  actions.Add("show dialog", "show dialog  - print the dialog and log it", ShowDialog);
}

const Offer kActions(AddDialogActions);

}  // namespace

}  // namespace simhost
