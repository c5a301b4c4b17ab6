// dialog.h - the host side of a plug-in dialog: the dialog object (what a
// C4D_Dialog* points to), its window while one exists, the window's gadgets
// and its menu bar.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "c4d_abi.h"
#include "resource/resource_set.h"

namespace simhost {

struct Gadget {
  enum class Kind { Combo, Check, Button, Text, Separator };
  Kind kind = Kind::Text;
  int32_t id = -1;
  std::string symbol;  // IDC_ name from the description ("" if written as a number)
  std::string caption;
  std::string section;  // caption of the enclosing named group
  bool enabled = true;
  int32_t value = 0;  // combo: selected value id; check box: 0 or 1
  bool tristate = false;
  int32_t min = INT32_MIN, max = INT32_MAX, step = 1;  // combo: as last set
  std::vector<std::pair<int32_t, std::string>> items;  // combo items in order
  bool Addressable() const {
    return kind == Kind::Combo || kind == Kind::Check || kind == Kind::Button;
  }
};

const char* KindName(Gadget::Kind kind);   // "combo", "check", "button", "text", "separator"
const char* KindWords(Gadget::Kind kind);  // "a combo box", "a check box", ...

struct MenuEntry {
  enum class Type { String, Separator, Command, Sub };
  Type type = Type::String;
  int32_t id = 0;                  // String: entry id; Command: host command id
  std::string text;                // String: entry text; Sub: title
  std::vector<MenuEntry> entries;  // Sub only
};

struct MenuBar {
  std::vector<MenuEntry> menus;  // the bar's sub-menus (type Sub)
  std::vector<size_t> open;      // path of sub-menus being built, by index
  bool finished = false;         // MenuFinished since the last change
  bool Empty() const { return menus.empty(); }
};

// The window of a dialog; exists between a successful layout and its close.
struct Window {
  std::string title;
  std::vector<Gadget> gadgets;             // layout order
  std::map<std::string, int32_t> symbols;  // of the resource it was loaded from
  int32_t description = 0;                 // id of the loaded description (0: none)
  std::string descriptionName;             // its DLG_ name and file, for faults
  std::string descriptionFile;
  res::DescLayout layout;  // how the description arranges `gadgets` (leaves index them)
  MenuBar menu;
  Gadget* Find(int32_t id);
};

// Makes `win` show a freshly loaded description: its title, names, layout and
// gadgets (combo boxes with their first item chosen).
void ShowDescription(Window& win, const res::DialogDescription& desc);

struct DialogObj {
  const C4D_DialogCallbacks* callbacks = nullptr;
  void* ctx = nullptr;
  uint64_t serial = 0;  // creation order, for messages

  enum class State { Closed, Creating, Open };
  State state = State::Closed;
  Window window;
  std::string lastTitle;  // title of the last window, for `show dialog` after a close
  int32_t pluginId = 0, subId = 0;
  int32_t x = -1, y = -1, w = 0, h = 0;
  bool restored = false;  // the window came from RestoreLayout

  int busy = 0;        // host calls into the plug-in's callbacks in progress
  bool freed = false;  // Free came while busy: deleted once the calls return
  bool HasWindow() const { return state != State::Closed; }
};

inline DialogObj* AsDialog(C4D_Dialog* d) { return reinterpret_cast<DialogObj*>(d); }
inline C4D_Dialog* ToHandle(DialogObj* d) { return reinterpret_cast<C4D_Dialog*>(d); }

// Is callback `entry` present (the whole field inside `size`, and set)?
#define SIMHOST_HAS_CALLBACK(cb, entry)                                                           \
  ((cb) != nullptr && offsetof(C4D_DialogCallbacks, entry) + sizeof((cb)->entry) <= (cb)->size && \
   (cb)->entry != nullptr)

}  // namespace simhost
