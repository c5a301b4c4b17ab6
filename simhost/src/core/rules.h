// rules.h - every rule the host checks, stated once: its stable id (in the
// event log, the transcript and docs/checks.md), the event that reports it,
// and what the plug-in must do, in one line. `simhost --list-rules` prints
// this table; a host check names its rule by the enum, never by its text.
#pragma once

#include <cstddef>

namespace simhost {

enum class Rule {
  MainThread,
  NullHandle,
  LiveHandle,
  LentObject,
  LentReadOnly,
  Utf8,
  Argument,
  ActiveDocument,
  NodeKind,
  RegisterType,
  RegisterRecord,
  RegisterObject,
  RegisterPhase,
  CommandObject,
  DialogCallbacks,
  FreeInCallback,
  WindowInLayout,
  NoWindow,
  GadgetKind,
  ComboItem,
  MenuBar,
  LeakInCall,
  LeakAtQuit,
};

struct RuleInfo {
  Rule rule;
  const char* id;     // stable: tests and tools match on it, not on the text
  const char* event;  // the event that reports it: "misuse" or "leak"
  const char* text;
};

// In the enum's order (checked below), which is the order of docs/checks.md.
inline constexpr RuleInfo kRules[] = {
    {Rule::MainThread, "main-thread", "misuse", "call the tables on the host's main thread only"},
    {Rule::NullHandle, "null-handle", "misuse",
     "pass an object where the table needs one, not NULL"},
    {Rule::LiveHandle, "live-handle", "misuse",
     "pass only handles the host handed out, of the right kind, not freed yet"},
    {Rule::LentObject, "lent-object", "misuse",
     "never free, nor write into, an object the host only lends"},
    {Rule::LentReadOnly, "lent-read-only", "misuse",
     "never write into the stored preferences the host lends for reading"},
    {Rule::Utf8, "utf8", "misuse", "hand String.Create well-formed UTF-8"},
    {Rule::Argument, "argument", "misuse", "pass arguments in their documented range"},
    {Rule::ActiveDocument, "active-document", "misuse", "pass the host's active document"},
    {Rule::NodeKind, "node-kind", "misuse",
     "pass render settings where render settings are needed, not a post effect"},
    {Rule::RegisterType, "register-type", "misuse",
     "register only plug-in types this host supports (4, command)"},
    {Rule::RegisterRecord, "register-record", "misuse",
     "hand RegisterPlugin a whole command record with an object and a Destruct entry"},
    {Rule::RegisterObject, "register-object", "misuse",
     "allocate the command object with Memory.Alloc"},
    {Rule::RegisterPhase, "register-phase", "misuse",
     "register only during c4d_main action 2 (start)"},
    {Rule::CommandObject, "command-object", "misuse",
     "never Memory.Free a registered command's object: the host destroys it through Destruct"},
    {Rule::DialogCallbacks, "dialog-callbacks", "misuse",
     "hand Dialog.Create callbacks with a plausible size"},
    {Rule::FreeInCallback, "free-in-callback", "misuse",
     "never free a dialog while the host is inside one of its callbacks"},
    {Rule::WindowInLayout, "window-in-layout", "misuse",
     "never open, restore or close a dialog from inside its own CreateLayout"},
    {Rule::NoWindow, "no-window", "misuse",
     "call gadget and menu functions only on a dialog with a window"},
    {Rule::GadgetKind, "gadget-kind", "misuse", "call a gadget function on a gadget of its kind"},
    {Rule::ComboItem, "combo-item", "misuse", "add each item id to a combo box once"},
    {Rule::MenuBar, "menu-bar", "misuse",
     "build a menu bar in order and finish it before CreateLayout returns"},
    {Rule::LeakInCall, "leak-in-call", "leak",
     "free what a call into the plug-in created before the call returns"},
    {Rule::LeakAtQuit, "leak-at-quit", "leak", "free every object by the end of the host run"},
};

inline constexpr size_t kRuleCount = sizeof kRules / sizeof kRules[0];

constexpr bool RulesInEnumOrder() {
  for (size_t i = 0; i < kRuleCount; ++i)
    if (static_cast<size_t>(kRules[i].rule) != i) return false;
  return static_cast<size_t>(Rule::LeakAtQuit) + 1 == kRuleCount;
}
static_assert(RulesInEnumOrder(), "kRules must list every Rule once, in the enum's order");

constexpr const RuleInfo& InfoOf(Rule rule) { return kRules[static_cast<size_t>(rule)]; }
constexpr const char* IdOf(Rule rule) { return InfoOf(rule).id; }

}  // namespace simhost
