// res_syntax.h - the three kinds of resource file, read into plain data:
//   c4d_symbols.h  enum { NAME = number, NAME, ... };
//   *.res          nested blocks: HEAD WORDS { statement; ... BLOCK { ... } }
//   *.str          STRINGTABLE { IDS_X "text"; }  or  DIALOGSTRINGS NAME { IDS_X "text"; }
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "resource/res_lexer.h"

namespace simhost::res {

// One statement (`SCALE_H;`, `NAME IDS_X;`, `6000, IDS_Y;`) or one block
// (`GROUP IDC_X { ... }`). Commas between words are separators only.
struct Node {
  bool block = false;
  std::vector<Token> words;  // the statement, or the block's head
  std::vector<Node> children;
  int line = 0;
};

// The block grammar of .res and .str files. False with `error` set (line and
// text; the caller fills in the path).
bool ParseBlocks(const std::string& text, std::vector<Node>& out, ResError& error);

// Symbols of c4d_symbols.h in file order. An enumerator without a value
// takes the previous one plus one, as in C.
struct Symbols {
  std::vector<std::pair<std::string, int32_t>> ordered;
  std::map<std::string, int32_t> byName;
  bool Find(const std::string& name, int32_t& value) const;
  // The first name with this value that starts with `prefix` ("" if none).
  std::string NameOf(int32_t value, const std::string& prefix) const;
};
bool ParseSymbols(const std::string& text, Symbols& out, ResError& error);

// One string file: a STRINGTABLE or a DIALOGSTRINGS block (its name kept).
struct StringFile {
  std::string kind;                                          // "STRINGTABLE" or "DIALOGSTRINGS"
  std::string dialog;                                        // DIALOGSTRINGS only
  std::vector<std::pair<std::string, std::string>> entries;  // name, text, file order
  std::map<std::string, int> lineOf;
};
bool ParseStringFile(const std::string& text, StringFile& out, ResError& error);

}  // namespace simhost::res
