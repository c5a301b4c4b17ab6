// script.h - how a session script is read: one action per line.
#pragma once

#include <string>
#include <vector>

namespace simhost {

// Splits one script line into words. Blanks separate words; "..." makes one
// word of what it encloses (\" and \\ escape inside it); # outside quotes
// starts a comment. False with `error` set for an unterminated quote or an
// unknown escape.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error);

// A script's lines, split at \n (a \r before it is dropped).
std::vector<std::string> ScriptLines(const std::string& script);

}  // namespace simhost
