// script.cpp - splitting session scripts into lines and words.
#include "core/script.h"

namespace simhost {

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
  words.clear();
  size_t i = 0;
  const size_t n = line.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (i < n) {
    while (i < n && blank(line[i])) ++i;
    if (i >= n || line[i] == '#') break;
    std::string word;
    bool quotedWord = false;
    while (i < n && !blank(line[i]) && line[i] != '#') {
      if (line[i] != '"') {
        word += line[i++];
        continue;
      }
      quotedWord = true;
      ++i;
      bool closed = false;
      while (i < n) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\') {
          if (i >= n) break;
          char e = line[i++];
          if (e == '"' || e == '\\') {
            word += e;
          } else if (e == 'n') {
            word += '\n';
          } else {
            error = std::string("unknown escape \\") + e + " in a quoted word";
            return false;
          }
          continue;
        }
        word += c;
      }
      if (!closed) {
        error = "a quoted word is not closed";
        return false;
      }
    }
    if (!word.empty() || quotedWord) words.push_back(word);
  }
  return true;
}

std::vector<std::string> ScriptLines(const std::string& script) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= script.size()) {
    size_t end = script.find('\n', start);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace simhost
