// run_action.h - runs one script action straight through a host's registry,
// for unit tests that act as the user without a whole session.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/host.h"

namespace simhost {

// Answers the action's error, "" on success, "no action" when none matches.
inline std::string RunAction(Host& host, const std::vector<std::string>& words) {
  size_t consumed = 0;
  const ActionFn* fn = host.actions.Find(words, consumed);
  if (!fn) return "no action";
  std::string error;
  std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(consumed), words.end());
  return (*fn)(host, args, error) ? "" : error;
}

}  // namespace simhost
