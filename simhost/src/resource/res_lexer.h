// res_lexer.h - tokens of the host's resource files (.res dialog descriptions,
// .str string tables and the c4d_symbols.h enum). Lines end in LF, CRLF or a
// lone CR; comments are // to the end of the line and /* ... */.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace simhost::res {

// A fault in a resource file: where it is and what is wrong. Formatted as
// "<shown path>:<line>: <text>", the way compilers report.
struct ResError {
  std::string path;   // full path of the file ("" when not about a file)
  std::string shown;  // the path as reported (relative to the plug-in folder)
  int line = 0;       // 1-based; 0 when not about a line
  std::string text;
  std::string Format() const;
};

struct Token {
  enum class Kind { Word, Number, String, Punct, End };
  Kind kind = Kind::End;
  std::string text;  // word, decoded string, or the punctuation character
  int64_t number = 0;
  int line = 0;
  bool Is(char punct) const { return kind == Kind::Punct && text.size() == 1 && text[0] == punct; }
  std::string Describe() const;  // for messages: 'GROUP', '{', "text", end of file
};

struct LexOptions {
  bool preprocessorLines = false;  // skip lines starting with '#' (headers)
  bool equalsSign = false;         // '=' is a token (headers)
};

// Splits `text` into tokens ending with one End token. False with `error`
// (line and text set) on an unterminated string or comment, an unknown escape,
// a number out of 32-bit range or a character that belongs to no token.
bool Tokenize(const std::string& text, const LexOptions& options, std::vector<Token>& out,
              ResError& error);

}  // namespace simhost::res
