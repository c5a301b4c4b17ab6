// res_syntax.cpp - block grammar, symbol enum and string files.
#include "resource/res_syntax.h"

namespace simhost::res {

namespace {

bool Fail(ResError& error, int line, const std::string& text) {
  error.line = line;
  error.text = text;
  return false;
}

// Dialog descriptions nest a handful of blocks; the bound keeps a hostile
// file from exhausting the stack of this recursive reader.
constexpr int kMaxBlockDepth = 100;

// Reads nodes until the closing brace of the enclosing block (or the end of
// the file at the top level).
bool ParseNodes(const std::vector<Token>& t, size_t& i, const Node* parent, std::vector<Node>& out,
                ResError& error, int depth = 0) {
  while (true) {
    Node n;
    n.line = t[i].line;
    bool comma = false;  // the last word was followed by a comma
    while (t[i].kind == Token::Kind::Word || t[i].kind == Token::Kind::Number ||
           t[i].kind == Token::Kind::String || t[i].Is(',')) {
      if (t[i].Is(',')) {
        if (n.words.empty() || comma) return Fail(error, t[i].line, "unexpected ','");
        comma = true;
      } else {
        n.words.push_back(t[i]);
        comma = false;
      }
      ++i;
    }
    const Token& end = t[i];
    if (end.Is('{')) {
      if (n.words.empty()) return Fail(error, end.line, "unexpected '{'");
      if (comma) return Fail(error, end.line, "unexpected ',' before '{'");
      if (depth + 1 >= kMaxBlockDepth)
        return Fail(error, end.line,
                    "blocks nested deeper than " + std::to_string(kMaxBlockDepth) + " levels");
      ++i;
      n.block = true;
      if (!ParseNodes(t, i, &n, n.children, error, depth + 1)) return false;
      out.push_back(std::move(n));
      continue;
    }
    if (end.Is(';')) {
      ++i;
      if (comma) return Fail(error, end.line, "unexpected ',' before ';'");
      if (!n.words.empty()) out.push_back(std::move(n));
      continue;
    }
    if (!n.words.empty()) return Fail(error, end.line, "expected ';' before " + end.Describe());
    if (end.Is('}')) {
      if (!parent) return Fail(error, end.line, "unexpected '}'");
      ++i;
      return true;
    }
    if (end.kind == Token::Kind::End) {
      if (!parent) return true;
      return Fail(error, end.line,
                  "expected '}' to close '" + parent->words.front().text + "' opened at line " +
                      std::to_string(parent->line));
    }
    return Fail(error, end.line, "unexpected " + end.Describe());
  }
}

}  // namespace

bool ParseBlocks(const std::string& text, std::vector<Node>& out, ResError& error) {
  std::vector<Token> tokens;
  if (!Tokenize(text, LexOptions{}, tokens, error)) return false;
  size_t i = 0;
  out.clear();
  return ParseNodes(tokens, i, nullptr, out, error);
}

bool Symbols::Find(const std::string& name, int32_t& value) const {
  auto it = byName.find(name);
  if (it == byName.end()) return false;
  value = it->second;
  return true;
}

std::string Symbols::NameOf(int32_t value, const std::string& prefix) const {
  for (const auto& [name, v] : ordered)
    if (v == value && name.compare(0, prefix.size(), prefix) == 0) return name;
  return "";
}

bool ParseSymbols(const std::string& text, Symbols& out, ResError& error) {
  std::vector<Token> t;
  LexOptions options;
  options.preprocessorLines = true;
  options.equalsSign = true;
  if (!Tokenize(text, options, t, error)) return false;
  out = Symbols{};
  size_t i = 0;
  bool sawEnum = false;
  while (t[i].kind != Token::Kind::End) {
    if (t[i].kind != Token::Kind::Word || t[i].text != "enum")
      return Fail(error, t[i].line, "expected 'enum', found " + t[i].Describe());
    sawEnum = true;
    ++i;
    if (t[i].kind == Token::Kind::Word) ++i;  // a tag name
    if (!t[i].Is('{')) return Fail(error, t[i].line, "expected '{' after 'enum'");
    ++i;
    int64_t next = 0;
    while (!t[i].Is('}')) {
      if (t[i].kind != Token::Kind::Word)
        return Fail(error, t[i].line, "expected a symbol name, found " + t[i].Describe());
      const Token& name = t[i++];
      int64_t value = next;
      if (t[i].Is('=')) {
        ++i;
        if (t[i].kind == Token::Kind::Number) {
          value = t[i].number;
        } else if (t[i].kind == Token::Kind::Word && out.byName.count(t[i].text)) {
          value = out.byName[t[i].text];
        } else if (t[i].kind == Token::Kind::Word) {
          return Fail(error, t[i].line, "unknown symbol '" + t[i].text + "'");
        } else {
          return Fail(error, t[i].line, "expected a number after '='");
        }
        ++i;
      }
      if (value > INT32_MAX) return Fail(error, name.line, "'" + name.text + "' is out of range");
      if (out.byName.count(name.text))
        return Fail(error, name.line, "symbol '" + name.text + "' defined twice");
      out.byName[name.text] = static_cast<int32_t>(value);
      out.ordered.emplace_back(name.text, static_cast<int32_t>(value));
      next = value + 1;
      if (t[i].Is(',')) {
        ++i;
      } else if (!t[i].Is('}')) {
        return Fail(error, t[i].line, "expected ',' or '}', found " + t[i].Describe());
      }
    }
    ++i;
    if (t[i].Is(';')) ++i;
  }
  if (!sawEnum) return Fail(error, t[i].line, "no enum of symbols");
  return true;
}

bool ParseStringFile(const std::string& text, StringFile& out, ResError& error) {
  std::vector<Node> nodes;
  if (!ParseBlocks(text, nodes, error)) return false;
  out = StringFile{};
  if (nodes.empty()) return Fail(error, 1, "expected STRINGTABLE or DIALOGSTRINGS block");
  if (nodes.size() > 1) return Fail(error, nodes[1].line, "more than one block in a string file");
  const Node& top = nodes.front();
  const std::string& head = top.words.front().text;
  if (!top.block || top.words.front().kind != Token::Kind::Word ||
      (head != "STRINGTABLE" && head != "DIALOGSTRINGS"))
    return Fail(error, top.line, "expected STRINGTABLE or DIALOGSTRINGS block");
  out.kind = head;
  if (head == "STRINGTABLE" && top.words.size() != 1)
    return Fail(error, top.line, "STRINGTABLE takes no name");
  if (head == "DIALOGSTRINGS") {
    if (top.words.size() != 2 || top.words[1].kind != Token::Kind::Word)
      return Fail(error, top.line, "DIALOGSTRINGS needs the dialog's symbol name");
    out.dialog = top.words[1].text;
  }
  for (const Node& n : top.children) {
    if (n.block || n.words.size() != 2 || n.words[0].kind != Token::Kind::Word ||
        n.words[1].kind != Token::Kind::String)
      return Fail(error, n.line, "expected NAME \"text\";");
    const std::string& name = n.words[0].text;
    if (out.lineOf.count(name))
      return Fail(error, n.line,
                  "string '" + name + "' defined twice (first at line " +
                      std::to_string(out.lineOf[name]) + ")");
    out.lineOf[name] = n.line;
    out.entries.emplace_back(name, n.words[1].text);
  }
  return true;
}

}  // namespace simhost::res
