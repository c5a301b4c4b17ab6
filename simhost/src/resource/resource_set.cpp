// resource_set.cpp - reading a resource folder and its dialog descriptions.
#include "resource/resource_set.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/platform.h"

namespace simhost::res {

namespace fs = std::filesystem;

namespace {

const char* const kSymbolsFile = "c4d_symbols.h";
const char* const kStringsFolder = "strings_en-US";

bool Fail(ResError& error, int line, const std::string& text) {
  error.line = line;
  error.text = text;
  return false;
}

void SetFile(ResError& error, const std::string& folder, const std::string& relative) {
  error.path = (fs::path(folder) / relative).generic_string();
  error.shown = ShownPath(folder, relative);
}

// Reads a parsed string file into names and texts.
bool ReadStringFile(const std::string& folder, const std::string& relative, StringFile& out,
                    bool& exists, ResError& error) {
  std::string text, why;
  exists = ReadFile((fs::path(folder) / relative).string(), text, &why);
  if (!exists && why.empty()) return true;
  SetFile(error, folder, relative);
  if (!exists) error.text = why;
  return exists && ParseStringFile(text, out, error);
}

// Builds gadgets from the nodes of the DIALOG block.
class DescriptionBuilder {
 public:
  DescriptionBuilder(const ResourceSet& set, const std::map<std::string, std::string>& captions,
                     const std::string& stringsFile, DialogDescription& out, ResError& error)
      : set_(set), captions_(captions), stringsFile_(stringsFile), out_(out), error_(error) {}

  bool Dialog(const Node& dialog) {
    std::string title;
    DescLayout& root = out_.layout;
    root.element = "DIALOG";
    root.line = dialog.line;
    if (!Statements(dialog, "DIALOG", title, nullptr, root)) return false;
    out_.title = title;
    return Children(dialog, "", root);
  }

 private:
  static bool IsFlag(const std::string& w) {
    static const std::set<std::string> flags = {
        "SCALE_H",  "SCALE_V",    "SCALE",       "FIT_H",      "FIT_V",
        "FIT",      "ALIGN_LEFT", "ALIGN_RIGHT", "ALIGN_TOP",  "ALIGN_BOTTOM",
        "CENTER_H", "CENTER_V",   "EQUAL_COLS",  "EQUAL_ROWS", "ALLOW_WEIGHTS"};
    return flags.count(w) > 0;
  }

  // Numeric arguments that a layout keyword takes.
  static int ArgCount(const std::string& w) {
    if (w == "COLUMNS" || w == "ROWS") return 1;
    if (w == "SIZE" || w == "SPACE") return 2;
    if (w == "BORDERSIZE") return 4;
    return -1;
  }

  static std::vector<int64_t>& LayoutNumbers(DescLayout& layout, const std::string& w) {
    if (w == "COLUMNS") return layout.columns;
    if (w == "ROWS") return layout.rows;
    if (w == "SIZE") return layout.size;
    if (w == "SPACE") return layout.space;
    return layout.borderSize;
  }

  bool Caption(const Token& t, std::string& out) {
    if (t.kind == Token::Kind::String) {
      out = t.text;
      return true;
    }
    if (t.kind != Token::Kind::Word) return Fail(error_, t.line, "expected a string name");
    auto it = captions_.find(t.text);
    if (it != captions_.end()) {
      out = it->second;
      return true;
    }
    int32_t id = 0;
    if (set_.symbols.Find(t.text, id)) {
      auto s = set_.strings.find(id);
      if (s != set_.strings.end()) {
        out = s->second;
        return true;
      }
    }
    return Fail(error_, t.line, "no string '" + t.text + "' in " + stringsFile_);
  }

  bool Id(const Token& t, int32_t& id, std::string& symbol) {
    if (t.kind == Token::Kind::Number) {
      id = static_cast<int32_t>(t.number);
      return true;
    }
    if (t.kind == Token::Kind::Word) {
      if (!set_.symbols.Find(t.text, id))
        return Fail(error_, t.line, "unknown symbol '" + t.text + "'");
      symbol = t.text;
      return true;
    }
    return Fail(error_, t.line, "expected an id, found " + t.Describe());
  }

  // The statements of one element: NAME, flags, layout keywords, and for a
  // combo box a CHILDS block. Nested elements are left to Children().
  bool Statements(const Node& n, const std::string& kind, std::string& caption, DescGadget* g,
                  DescLayout& layout) {
    for (const Node& s : n.children) {
      const Token& w = s.words.front();
      if (s.block) {
        if (w.kind == Token::Kind::Word && w.text == "CHILDS") {
          if (kind != "COMBOBOX")
            return Fail(error_, s.line, "CHILDS belongs to a COMBOBOX, not to " + kind);
          if (s.words.size() != 1) return Fail(error_, s.line, "CHILDS takes no arguments");
          if (!Childs(s, *g)) return false;
        }
        continue;  // nested elements
      }
      if (w.kind != Token::Kind::Word)
        return Fail(error_, s.line, "expected a keyword, found " + w.Describe());
      if (w.text == "NAME") {
        if (s.words.size() != 2) return Fail(error_, s.line, "NAME takes one string name");
        if (!Caption(s.words[1], caption)) return false;
      } else if (IsFlag(w.text)) {
        if (s.words.size() != 1) return Fail(error_, s.line, w.text + " takes no arguments");
        if (g) g->flags.push_back(w.text);
        layout.flags.push_back(w.text);
      } else if (w.text == "BORDERSTYLE") {
        if (s.words.size() != 2 || s.words[1].kind != Token::Kind::Word)
          return Fail(error_, s.line, "BORDERSTYLE takes one style name");
        layout.borderStyle = s.words[1].text;
      } else if (int count = ArgCount(w.text); count > 0) {
        if (static_cast<int>(s.words.size()) != count + 1)
          return Fail(error_, s.line, w.text + " takes " + std::to_string(count) + " number(s)");
        std::vector<int64_t> numbers;
        for (size_t k = 1; k < s.words.size(); ++k) {
          if (s.words[k].kind != Token::Kind::Number)
            return Fail(error_, s.line, w.text + " takes numbers");
          numbers.push_back(s.words[k].number);
        }
        LayoutNumbers(layout, w.text) = std::move(numbers);
      } else {
        return Fail(error_, s.line, "unknown keyword '" + w.text + "' in " + kind);
      }
    }
    return true;
  }

  bool Childs(const Node& childs, DescGadget& g) {
    for (const Node& item : childs.children) {
      if (item.block || item.words.size() != 2)
        return Fail(error_, item.line, "expected a combo item: ID, text;");
      int32_t id = 0;
      std::string symbol, text;
      if (!Id(item.words[0], id, symbol) || !Caption(item.words[1], text)) return false;
      for (const auto& existing : g.items)
        if (existing.first == id)
          return Fail(error_, item.line, "combo item " + std::to_string(id) + " listed twice");
      g.items.emplace_back(id, text);
    }
    return true;
  }

  bool Children(const Node& parent, const std::string& section, DescLayout& into) {
    std::string label;  // a static text right before a combo box labels it
    for (const Node& n : parent.children) {
      if (!n.block) continue;
      const Token& head = n.words.front();
      if (head.kind != Token::Kind::Word)
        return Fail(error_, n.line, "expected an element, found " + head.Describe());
      const std::string& kind = head.text;
      if (kind == "CHILDS") continue;
      bool container = kind == "GROUP" || kind == "SCROLLGROUP" || kind == "TAB";
      DescGadget g;
      if (kind == "COMBOBOX") {
        g.kind = DescGadget::Kind::Combo;
      } else if (kind == "CHECKBOX") {
        g.kind = DescGadget::Kind::Check;
      } else if (kind == "BUTTON") {
        g.kind = DescGadget::Kind::Button;
      } else if (kind == "STATICTEXT") {
        g.kind = DescGadget::Kind::Text;
      } else if (kind == "SEPARATOR") {
        g.kind = DescGadget::Kind::Separator;
      } else if (!container) {
        return Fail(error_, n.line, "unknown element '" + kind + "'");
      }
      if (n.words.size() > 2) return Fail(error_, n.line, kind + " takes at most one id");
      if (n.words.size() == 2 && !Id(n.words[1], g.id, g.symbol)) return false;
      bool addressable = g.kind == DescGadget::Kind::Combo || g.kind == DescGadget::Kind::Check ||
                         g.kind == DescGadget::Kind::Button;
      if (addressable && !container && g.id < 0) return Fail(error_, n.line, kind + " needs an id");
      if (g.id >= 0) {
        if (!ids_.insert(g.id).second)
          return Fail(error_, n.line, "id " + std::to_string(g.id) + " used twice in the dialog");
      }
      std::string caption;
      DescLayout layout;
      layout.element = kind;
      layout.line = n.line;
      if (!Statements(n, kind, caption, &g, layout)) return false;
      if (container) {
        layout.caption = caption;
        if (!Children(n, caption.empty() ? section : caption, layout)) return false;
        into.children.push_back(std::move(layout));
        label.clear();
        continue;
      }
      for (const Node& c : n.children)
        if (c.block && c.words.front().text != "CHILDS")
          return Fail(error_, c.line, kind + " cannot hold other elements");
      if (g.kind == DescGadget::Kind::Combo && caption.empty()) caption = label;
      g.caption = caption;
      g.section = section;
      label = g.kind == DescGadget::Kind::Text ? caption : "";
      layout.gadget = static_cast<int>(out_.gadgets.size());
      into.children.push_back(std::move(layout));
      out_.gadgets.push_back(std::move(g));
    }
    return true;
  }

  const ResourceSet& set_;
  const std::map<std::string, std::string>& captions_;
  std::string stringsFile_;
  DialogDescription& out_;
  ResError& error_;
  std::set<int32_t> ids_;
};

}  // namespace

std::string ShownPath(const std::string& folder, const std::string& relative) {
  fs::path f(folder);
  std::string last = f.filename().string();
  if (last.empty()) last = f.parent_path().filename().string();  // "res/"
  if (last.empty()) return relative;
  return last + "/" + relative;
}

bool ReadFile(const std::string& path, std::string& out, std::string* why) {
  std::string error;
  if (platform::ReadRegularFile(path, out, error)) return true;
  std::error_code ec;
  if (why != nullptr && fs::exists(fs::symlink_status(path, ec))) *why = error;
  return false;
}

LoadResult LoadResourceSet(const std::string& folder, ResourceSet& out, ResError& error) {
  out = ResourceSet{};
  out.folder = folder;
  error = ResError{};
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) {
    error.path = folder;
    error.text = "no resource folder " + folder;
    return LoadResult::Missing;
  }
  std::string text, why;
  if (!ReadFile((fs::path(folder) / kSymbolsFile).string(), text, &why)) {
    SetFile(error, folder, kSymbolsFile);
    if (!why.empty()) {
      error.text = why;
      return LoadResult::Malformed;
    }
    error.text = "no " + std::string(kSymbolsFile) + " in " + folder;
    return LoadResult::Missing;
  }
  SetFile(error, folder, kSymbolsFile);
  if (!ParseSymbols(text, out.symbols, error)) return LoadResult::Malformed;

  const std::string relative = std::string(kStringsFolder) + "/c4d_strings.str";
  StringFile strings;
  bool exists = false;
  error = ResError{};
  if (!ReadStringFile(folder, relative, strings, exists, error)) return LoadResult::Malformed;
  if (exists && strings.kind != "STRINGTABLE") {
    Fail(error, 1, "expected a STRINGTABLE block");
    return LoadResult::Malformed;
  }
  for (const auto& [name, value] : strings.entries) {
    int32_t id = 0;
    if (!out.symbols.Find(name, id)) {
      Fail(error, strings.lineOf[name], "unknown symbol '" + name + "'");
      return LoadResult::Malformed;
    }
    out.strings[id] = value;
  }
  error = ResError{};
  return LoadResult::Ok;
}

bool LoadDialogDescription(const ResourceSet& set, int32_t id, DialogDescription& out,
                           ResError& error) {
  out = DialogDescription{};
  error = ResError{};
  out.id = id;
  out.symbol = set.symbols.NameOf(id, "DLG_");
  if (out.symbol.empty()) {
    SetFile(error, set.folder, kSymbolsFile);
    error.text = "no DLG_ symbol with the value " + std::to_string(id);
    return false;
  }
  std::string base = out.symbol.substr(4);
  std::transform(base.begin(), base.end(), base.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });

  // Captions first: the description refers to them.
  const std::string strRelative = std::string(kStringsFolder) + "/dialogs/" + base + ".str";
  StringFile strings;
  bool exists = false;
  if (!ReadStringFile(set.folder, strRelative, strings, exists, error)) return false;
  if (exists && (strings.kind != "DIALOGSTRINGS" || strings.dialog != out.symbol))
    return Fail(error, 1, "expected DIALOGSTRINGS " + out.symbol);
  std::map<std::string, std::string> captions(strings.entries.begin(), strings.entries.end());

  const std::string resRelative = "dialogs/" + base + ".res";
  out.file = ShownPath(set.folder, resRelative);
  error = ResError{};
  SetFile(error, set.folder, resRelative);
  std::string text, why;
  if (!ReadFile((fs::path(set.folder) / resRelative).string(), text, &why)) {
    error.text = why.empty() ? "no dialog description for " + out.symbol : why;
    return false;
  }
  std::vector<Node> nodes;
  if (!ParseBlocks(text, nodes, error)) return false;
  if (nodes.size() != 1 || !nodes[0].block || nodes[0].words.size() != 2 ||
      nodes[0].words[0].text != "DIALOG" || nodes[0].words[1].text != out.symbol)
    return Fail(error, nodes.empty() ? 1 : nodes[0].line,
                "expected one block DIALOG " + out.symbol);
  DescriptionBuilder builder(set, captions, ShownPath(set.folder, strRelative), out, error);
  return builder.Dialog(nodes[0]);
}

}  // namespace simhost::res
