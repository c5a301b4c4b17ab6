// actions.h - the script actions of every area, by name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

class Host;

// A script action: `args` are the words after the action's name. Answers
// false with `error` set when the action cannot be carried out; the script
// then stops with that error.
using ActionFn =
    std::function<bool(Host&, const std::vector<std::string>& args, std::string& error)>;

// Script actions by name. A name may have two words ("show dialog"); the
// longest registered name that matches the line's first words wins.
class ActionRegistry {
 public:
  void Add(const std::string& name, std::string usage, ActionFn fn);
  // Finds the action for a line's words; sets `consumed` to the words of its name.
  const ActionFn* Find(const std::vector<std::string>& words, size_t& consumed) const;
  // Every action as {name, usage}, sorted by name.
  std::vector<std::pair<std::string, std::string>> Usages() const;

 private:
  struct Entry {
    std::string usage;
    ActionFn fn;
  };
  std::map<std::string, Entry> actions_;
};

// A whole decimal 32-bit integer ("-12", "7000"); false for anything else.
bool ParseInt32(const std::string& text, int32_t& out);

}  // namespace simhost
