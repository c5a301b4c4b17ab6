// resource_set.h - a plug-in's resource folder as the host reads it:
//   c4d_symbols.h                          every id by name
//   strings_en-US/c4d_strings.str          STRINGTABLE of the plug-in's strings
//   dialogs/<name>.res                     DIALOG <DLG_NAME> { ... }, read on demand
//   strings_en-US/dialogs/<name>.str       DIALOGSTRINGS <DLG_NAME> { ... }
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/kind.h"
#include "resource/res_syntax.h"

namespace simhost::res {

struct ResourceSet {
  std::string folder;  // the res folder as given
  Symbols symbols;
  std::map<int32_t, std::string> strings;  // STRINGTABLE by id
};

// A loaded set is a plug-in object; the resource area keeps the sets and
// destroys them at its stop.
inline constexpr TypedKind<ResourceSet> kResourceKind = AreaKind<ResourceSet>("resource");

enum class LoadResult { Ok, Missing, Malformed };

// Reads symbols and the string table of `folder`. Missing: the folder or its
// c4d_symbols.h does not exist (error.text says which). Malformed: a file is
// there but broken (error says where). A missing string table is allowed.
LoadResult LoadResourceSet(const std::string& folder, ResourceSet& out, ResError& error);

// A gadget of a dialog description, in layout order.
struct DescGadget {
  enum class Kind { Combo, Check, Button, Text, Separator };
  Kind kind = Kind::Text;
  int32_t id = -1;     // -1: no id (texts and separators may have none)
  std::string symbol;  // the id's name as written ("" when written as a number)
  std::string caption;
  std::string section;  // caption of the nearest enclosing named group
  std::vector<std::pair<int32_t, std::string>> items;  // CHILDS of a combo box
  std::vector<std::string> flags;
};

// How a description arranges its gadgets: the DIALOG block and its groups
// with their layout keywords as written, down to one leaf per gadget.
struct DescLayout {
  std::string element;      // "DIALOG", "GROUP", "SCROLLGROUP", "TAB", "CHECKBOX", ...
  int gadget = -1;          // a leaf: index into DialogDescription::gadgets; -1: a group
  std::string caption;      // a group's title (NAME)
  std::string borderStyle;  // BORDERSTYLE's word ("" when not given)
  std::vector<std::string> flags;
  // Numbers as written; empty when the keyword is not given.
  std::vector<int64_t> columns, rows, space, borderSize, size;
  int line = 0;
  std::vector<DescLayout> children;
};

struct DialogDescription {
  int32_t id = 0;
  std::string symbol;  // DLG_...
  std::string file;    // the description's file as faults name it ("res/dialogs/x.res")
  std::string title;
  std::vector<DescGadget> gadgets;
  DescLayout layout;  // the DIALOG block
};

// Reads dialog description `id` of a loaded set: the id's DLG_ name from the
// symbols, dialogs/<name>.res and the captions of strings_en-US/dialogs/<name>.str.
// False with `error` on any fault (a missing file included).
bool LoadDialogDescription(const ResourceSet& set, int32_t id, DialogDescription& out,
                           ResError& error);

// "res/dialogs/brevio.res" for a file inside a set's folder: how faults name files.
std::string ShownPath(const std::string& folder, const std::string& relative);

// Reads a whole regular file; false when it is missing or cannot be read.
// With `why`, a file that is there but is not read (a named pipe, a device,
// a folder, a failed read) says so there; it stays empty for a missing one.
bool ReadFile(const std::string& path, std::string& out, std::string* why = nullptr);

}  // namespace simhost::res
