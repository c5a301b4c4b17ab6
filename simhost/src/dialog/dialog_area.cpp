// dialog_area.cpp - windows of plug-in dialogs: open, close, user actions.
#include "dialog/dialog_area.h"
#include "core/offers.h"

#include <algorithm>

#include "core/objects.h"
#include "core/text.h"

namespace simhost {

const char* KindName(Gadget::Kind kind) {
  switch (kind) {
    case Gadget::Kind::Combo:
      return "combo";
    case Gadget::Kind::Check:
      return "check";
    case Gadget::Kind::Button:
      return "button";
    case Gadget::Kind::Text:
      return "text";
    case Gadget::Kind::Separator:
      return "separator";
  }
  return "?";
}

const char* KindWords(Gadget::Kind kind) {
  switch (kind) {
    case Gadget::Kind::Combo:
      return "a combo box";
    case Gadget::Kind::Check:
      return "a check box";
    case Gadget::Kind::Button:
      return "a button";
    case Gadget::Kind::Text:
      return "a static text";
    case Gadget::Kind::Separator:
      return "a separator";
  }
  return "?";
}

Gadget* Window::Find(int32_t id) {
  for (Gadget& g : gadgets)
    if (g.id == id) return &g;
  return nullptr;
}

namespace {

// Areas start in order: resources, dialogs, then documents.
const Offer kArea(1, []() -> std::unique_ptr<Area> { return std::make_unique<DialogArea>(); });

}  // namespace

DialogArea* Dialogs(Host& host) {
  for (auto& a : host.areas)
    if (auto* d = dynamic_cast<DialogArea*>(a.get())) return d;
  return nullptr;
}

void DialogArea::OnStart(Host&) {
  front_.clear();
  lastOpen_ = nullptr;
  opened_ = 0;
}

void DialogArea::OnStop(Host&) {
  // The plug-in is gone: whatever it still held is reported as a leak by the
  // ledger; the memory is the host's to give back, without any callback.
  front_.clear();
  lastOpen_ = nullptr;
  dialogs_.clear();
}

DialogObj* DialogArea::AddDialog(std::unique_ptr<DialogObj> dialog) {
  dialog->serial = ++serial_;
  dialogs_.push_back(std::move(dialog));
  return dialogs_.back().get();
}

void DialogArea::Forget(DialogObj* dialog) {
  std::erase(front_, dialog);
  if (lastOpen_ == dialog) lastOpen_ = nullptr;
}

void DialogArea::DeleteDialog(DialogObj* dialog) {
  Forget(dialog);
  dialog->freed = true;
  Sweep();
}

void DialogArea::Sweep() {
  std::erase_if(dialogs_, [](const auto& d) { return d->freed && d->busy == 0; });
}

DialogObj* DialogArea::Front() { return front_.empty() ? nullptr : front_.front(); }

DialogObj* DialogArea::Shown() {
  if (DialogObj* f = Front()) return f;
  if (lastOpen_) return lastOpen_;
  for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it)
    if (!(*it)->freed) return it->get();
  return nullptr;
}

void DialogArea::BringToFront(DialogObj* dialog) {
  std::erase(front_, dialog);
  front_.insert(front_.begin(), dialog);
  lastOpen_ = dialog;
}

namespace {

nlohmann::json WindowEvent(const DialogObj* d, bool open,
                           const nlohmann::json& passed = nlohmann::json::object()) {
  nlohmann::json e = {{"event", "window"},
                      {"open", open},
                      {"plugin", d->pluginId},
                      {"title", open ? d->window.title : d->lastTitle}};
  for (const auto& [key, value] : passed.items()) e[key] = value;
  return e;
}

// A menu bar the plug-in left half built when its layout returned.
bool MenuUnfinished(const MenuBar& m) { return !m.open.empty() || (!m.Empty() && !m.finished); }

}  // namespace

bool DialogArea::OpenWindow(Host& host, DialogObj* d, const nlohmann::json& passed) {
  d->window = Window{};
  d->state = DialogObj::State::Creating;
  bool layout = true;  // a dialog without CreateLayout has an empty window
  if (SIMHOST_HAS_CALLBACK(d->callbacks, CreateLayout)) {
    Busy busy(d);
    PluginCall call(host, "CreateLayout");
    layout = d->callbacks->CreateLayout(d->ctx) != 0;
  }
  if (d->freed) return false;
  if (MenuUnfinished(d->window.menu))
    host.Misuse(Rule::MenuBar, "Dialog.MenuFinished",
                "CreateLayout returned with the menu bar unfinished (MenuSubEnd or "
                "MenuFinished missing)");
  if (!layout) {
    // The window never appears; no DestroyWindow for a window the user never had.
    d->state = DialogObj::State::Closed;
    d->lastTitle = d->window.title;
    d->window = Window{};
    host.journal.Say("simhost: the layout of dialog " + std::to_string(d->pluginId) +
                     " failed (CreateLayout answered false); no window");
    nlohmann::json e = WindowEvent(d, false, passed);
    e["layout"] = false;
    host.journal.Emit(e);
    return false;
  }
  d->state = DialogObj::State::Open;
  d->lastTitle = d->window.title;
  BringToFront(d);
  if (SIMHOST_HAS_CALLBACK(d->callbacks, InitValues)) {
    Busy busy(d);
    PluginCall call(host, "InitValues");
    d->callbacks->InitValues(d->ctx);  // its answer changes nothing about the window
  }
  if (d->freed) return false;
  if (d->state != DialogObj::State::Open) return false;  // closed by InitValues
  const std::string place = d->restored ? ", restored layout"
                                        : ", at " + std::to_string(d->x) + "," +
                                              std::to_string(d->y) + ", default size " +
                                              std::to_string(d->w) + "x" + std::to_string(d->h);
  host.journal.Say("simhost: window " + Quoted(d->window.title) + " opened (plug-in " +
                   std::to_string(d->pluginId) + " sub-id " + std::to_string(d->subId) + place +
                   ")");
  nlohmann::json e = WindowEvent(d, true, passed);
  if (d->restored) e["restored"] = true;
  host.journal.Emit(e);
  ++opened_;
  for (auto& area : host.areas)
    if (auto* watcher = dynamic_cast<WindowWatcher*>(area.get()))
      watcher->OnWindowOpened(host, *d, opened_);
  return true;
}

void DialogArea::DestroyWindow(Host& host, DialogObj* d, const std::string& by, bool notify) {
  if (!d->HasWindow()) return;
  d->lastTitle = d->window.title;
  d->state = DialogObj::State::Closed;
  d->window = Window{};
  Forget(d);
  lastOpen_ = d;
  host.journal.Say("simhost: window " + Quoted(d->lastTitle) + " closed (by the " + by + ")");
  nlohmann::json e = WindowEvent(d, false);
  e["by"] = by;
  host.journal.Emit(e);
  if (notify && SIMHOST_HAS_CALLBACK(d->callbacks, DestroyWindow)) {
    Busy busy(d);
    PluginCall call(host, "DestroyWindow");
    d->callbacks->DestroyWindow(d->ctx);
  }
}

void DialogArea::UserClose(Host& host, DialogObj* d, const std::string& how) {
  host.journal.Say("simhost: the user closes window " + Quoted(d->window.title) + " (" + how + ")");
  bool keep = false;
  if (SIMHOST_HAS_CALLBACK(d->callbacks, AskClose)) {
    Busy busy(d);
    PluginCall call(host, "AskClose");
    keep = d->callbacks->AskClose(d->ctx) != 0;
  }
  if (d->freed) return;
  if (keep && d->HasWindow()) {
    host.journal.Say("simhost: the dialog keeps its window open (AskClose answered true)");
    nlohmann::json e = WindowEvent(d, true);
    e["kept"] = true;
    host.journal.Emit(e);
    return;
  }
  DestroyWindow(host, d, "user", true);
}

bool DialogArea::SendCommand(Host& host, DialogObj* d, int32_t id, bool hasValue, int32_t value) {
  if (!SIMHOST_HAS_CALLBACK(d->callbacks, Command)) return false;
  // The action message is the host's, lent for the length of the call.
  Container msg;
  msg.id = C4D_BFM_ACTION;
  msg.entries[C4D_BFM_ACTION_ID] = Value::Int32(id);
  if (hasValue) msg.entries[C4D_BFM_ACTION_VALUE] = Value::Int32(value);
  host.AddHostObject(kContainerKind, &msg);
  int32_t answer = 0;
  {
    Busy busy(d);
    PluginCall call(host, "Command(" + std::to_string(id) + ")");
    answer = d->callbacks->Command(d->ctx, id, ToHandle(&msg));
  }
  host.RemoveHostObject(kContainerKind, &msg);
  return answer != 0;
}

}  // namespace simhost
