// res_lexer.cpp - tokenizer of resource files.
#include "resource/res_lexer.h"

#include <cctype>
#include <cstdio>

#include "core/core.h"

namespace simhost::res {

std::string ResError::Format() const {
  std::string out = shown.empty() ? path : shown;
  if (!out.empty() && line > 0) out += ":" + std::to_string(line);
  if (!out.empty()) out += ": ";
  return out + text;
}

std::string Token::Describe() const {
  switch (kind) {
    case Kind::Word:
    case Kind::Punct:
      return "'" + text + "'";
    case Kind::Number:
      return std::to_string(number);
    case Kind::String:
      return "\"" + text + "\"";
    case Kind::End:
      break;
  }
  return "end of file";
}

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsHighSurrogate(uint32_t cp) { return cp >= 0xD800 && cp <= 0xDBFF; }
bool IsLowSurrogate(uint32_t cp) { return cp >= 0xDC00 && cp <= 0xDFFF; }

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class Lexer {
 public:
  Lexer(const std::string& text, const LexOptions& options) : s_(text), opt_(options) {
    if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) i_ = 3;  // byte-order mark
  }

  bool Run(std::vector<Token>& out, ResError& error) {
    bool lineStart = true;
    while (i_ < s_.size()) {
      char c = s_[i_];
      if (c == '\r' || c == '\n') {
        NewLine();
        lineStart = true;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
        ++i_;
        continue;
      }
      if (lineStart && c == '#' && opt_.preprocessorLines) {
        while (i_ < s_.size() && s_[i_] != '\r' && s_[i_] != '\n') ++i_;
        continue;
      }
      lineStart = false;
      if (c == '/' && Peek(1) == '/') {
        while (i_ < s_.size() && s_[i_] != '\r' && s_[i_] != '\n') ++i_;
        continue;
      }
      if (c == '/' && Peek(1) == '*') {
        if (!BlockComment(error)) return false;
        continue;
      }
      Token t;
      t.line = line_;
      if (IsWordStart(c)) {
        size_t b = i_;
        while (i_ < s_.size() && IsWordChar(s_[i_])) ++i_;
        t.kind = Token::Kind::Word;
        t.text = s_.substr(b, i_ - b);
      } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                 (c == '-' && std::isdigit(static_cast<unsigned char>(Peek(1))))) {
        if (!Number(t, error)) return false;
      } else if (c == '"') {
        if (!String(t, error)) return false;
      } else if (c == '{' || c == '}' || c == ';' || c == ',' || (c == '=' && opt_.equalsSign)) {
        t.kind = Token::Kind::Punct;
        t.text = std::string(1, c);
        ++i_;
      } else {
        return Fail(error, std::string("unexpected character '") + c + "'");
      }
      out.push_back(std::move(t));
    }
    Token end;
    end.line = line_;
    out.push_back(end);
    return true;
  }

 private:
  char Peek(size_t ahead) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }

  void NewLine() {
    if (s_[i_] == '\r' && Peek(1) == '\n') ++i_;
    ++i_;
    ++line_;
  }

  bool Fail(ResError& error, const std::string& text, int line = 0) {
    error.line = line ? line : line_;
    error.text = text;
    return false;
  }

  bool BlockComment(ResError& error) {
    int start = line_;
    i_ += 2;
    while (i_ < s_.size()) {
      if (s_[i_] == '*' && Peek(1) == '/') {
        i_ += 2;
        return true;
      }
      if (s_[i_] == '\r' || s_[i_] == '\n')
        NewLine();
      else
        ++i_;
    }
    return Fail(error, "unterminated comment", start);
  }

  bool Number(Token& t, ResError& error) {
    bool negative = s_[i_] == '-';
    if (negative) ++i_;
    int base = 10;
    if (s_[i_] == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
      base = 16;
      i_ += 2;
    }
    size_t b = i_;
    int64_t v = 0;
    bool tooBig = false;
    while (i_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i_]))) {
      char c = s_[i_];
      int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
      if (d >= base) break;
      // Past 32 bits the digits are only skipped: more would overflow v.
      if (!tooBig) v = v * base + d;
      if (v > 0xFFFFFFFFLL) tooBig = true;
      ++i_;
    }
    if (i_ == b) return Fail(error, "malformed number");
    if (i_ < s_.size() && IsWordChar(s_[i_])) return Fail(error, "malformed number");
    if (negative) v = -v;
    // Hexadecimal values up to 0xFFFFFFFF name the bit pattern of an int32.
    if (base == 16 && !negative && v > INT32_MAX && v <= 0xFFFFFFFFLL) v -= 0x100000000LL;
    if (tooBig || v < INT32_MIN || v > INT32_MAX) return Fail(error, "number out of 32-bit range");
    t.kind = Token::Kind::Number;
    t.number = v;
    t.text = std::to_string(v);
    return true;
  }

  bool String(Token& t, ResError& error) {
    int start = line_;
    ++i_;
    std::string out;
    while (true) {
      if (i_ >= s_.size() || s_[i_] == '\r' || s_[i_] == '\n')
        return Fail(error, "unterminated string", start);
      char c = s_[i_++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i_ >= s_.size()) return Fail(error, "unterminated string", start);
      char e = s_[i_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          uint32_t cp = 0;
          if (!Hex4(cp, error)) return false;
          // A character beyond U+FFFF is written as a surrogate pair; half
          // of one is no character, and the module would be handed text
          // that is not UTF-8.
          if (IsHighSurrogate(cp) && s_.compare(i_, 2, "\\u") == 0) {
            const size_t at = i_;
            i_ += 2;
            uint32_t low = 0;
            if (!Hex4(low, error)) return false;
            if (IsLowSurrogate(low)) {
              cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            } else {
              i_ = at;
            }
          }
          if (IsHighSurrogate(cp) || IsLowSurrogate(cp))
            return Fail(error, "\\u" + Hex(cp) + " is half of a surrogate pair, not a character");
          AppendUtf8(out, cp);
          break;
        }
        default:
          return Fail(error, std::string("unknown escape '\\") + e + "' in string");
      }
    }
    // The host's texts are UTF-8: a byte that is not (a file saved in
    // another encoding) is refused here, not handed to the module.
    if (!IsValidUtf8(out)) return Fail(error, "the string is not valid UTF-8", start);
    t.kind = Token::Kind::String;
    t.text = std::move(out);
    return true;
  }

  // Four hexadecimal digits at the cursor.
  bool Hex4(uint32_t& cp, ResError& error) {
    cp = 0;
    for (int k = 0; k < 4; ++k) {
      char h = i_ < s_.size() ? s_[i_] : '\0';
      if (!std::isxdigit(static_cast<unsigned char>(h)))
        return Fail(error, "\\u needs four hexadecimal digits");
      cp = cp * 16 +
           (std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : std::tolower(h) - 'a' + 10);
      ++i_;
    }
    return true;
  }

  static std::string Hex(uint32_t cp) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(cp));
    return text;
  }

  const std::string& s_;
  LexOptions opt_;
  size_t i_ = 0;
  int line_ = 1;
};

}  // namespace

bool Tokenize(const std::string& text, const LexOptions& options, std::vector<Token>& out,
              ResError& error) {
  out.clear();
  return Lexer(text, options).Run(out, error);
}

}  // namespace simhost::res
