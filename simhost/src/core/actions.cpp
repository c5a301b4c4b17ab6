// actions.cpp - script actions by name, and running one as the user.
#include "core/actions.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "core/host.h"

namespace simhost {

void ActionRegistry::Add(const std::string& name, std::string usage, ActionFn fn) {
  if (actions_.count(name) > 0) {
    // Two areas claiming one name is a build fault, not a script fault.
    std::fprintf(stderr, "simhost: the script action \"%s\" is defined twice\n", name.c_str());
    std::abort();
  }
  actions_[name] = Entry{std::move(usage), std::move(fn)};
}

const ActionFn* ActionRegistry::Find(const std::vector<std::string>& words,
                                     size_t& consumed) const {
  consumed = 0;
  for (size_t count = words.size(); count > 0; --count) {
    std::string name = words[0];
    for (size_t i = 1; i < count; ++i) name += " " + words[i];
    auto it = actions_.find(name);
    if (it != actions_.end()) {
      consumed = count;
      return &it->second.fn;
    }
  }
  return nullptr;
}

std::vector<std::pair<std::string, std::string>> ActionRegistry::Usages() const {
  std::vector<std::pair<std::string, std::string>> list;
  for (const auto& [name, entry] : actions_) list.emplace_back(name, entry.usage);
  return list;
}

bool Host::RunAction(const std::vector<std::string>& words, std::string& error) {
  size_t consumed = 0;
  const ActionFn* action = actions.Find(words, consumed);
  if (action == nullptr) {
    error = words.empty() ? "no action" : "unknown action \"" + words[0] + "\"";
    return false;
  }
  std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(consumed), words.end());
  try {
    if ((*action)(*this, args, error)) return true;
  } catch (const std::exception& e) {
    // An action meeting input it did not foresee fails like any faulty
    // line; the host goes on and still quits properly.
    error = std::string("the action failed: ") + e.what();
    return false;
  }
  if (error.empty()) error = "the action failed";
  return false;
}

bool ParseInt32(const std::string& text, int32_t& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') return false;
  int32_t value = 0;
  auto [end, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || end != last) return false;
  out = value;
  return true;
}

}  // namespace simhost
