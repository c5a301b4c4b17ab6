// run_action.h - runs one script action straight through a host's registry,
// for unit tests that act as the user without a whole session.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/host.h"

namespace simhost {

// Answers the action's error, "" on success.
inline std::string RunAction(Host& host, const std::vector<std::string>& words) {
  std::string error;
  return host.RunAction(words, error) ? "" : error;
}

}  // namespace simhost
