// dialog_helpers.h - reading the Brevio window back from a session: the
// {"event":"dialog"} snapshots that `show dialog` logs, by gadget.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "session_helpers.h"

namespace brevio_test {

const char* const kOpen = "command 1027069";
const char* const kShow = "show dialog";

// Gadget ids of the window.
const std::vector<int> kCombos = {10008, 10009, 10002, 10003, 10004, 10010};
const std::vector<int> kChecks = {10005, 10006, 10007, 10012, 10013, 10014, 10015, 10016,
                                  10017, 10018, 10019, 10020, 10021, 10022, 10023, 10024,
                                  10025, 10026, 10027, 10028, 10029, 10030, 10031};

// One gadget as `show dialog` logged it.
struct Shown {
  json value;  // number (combo), bool (check), null (button)
  bool enabled = true;
  bool operator==(const Shown& o) const { return value == o.value && enabled == o.enabled; }
};
inline std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << s.value.dump() << (s.enabled ? "" : " (disabled)");
}

using Window = std::map<int, Shown>;

// The n-th `show dialog` of the session (negative: from the end).
inline json DialogEvent(const Session& s, int n) {
  auto all = s.Events("dialog");
  int index = n < 0 ? static_cast<int>(all.size()) + n : n;
  if (index < 0 || index >= static_cast<int>(all.size())) {
    ADD_FAILURE() << "no dialog event " << n << " of " << all.size();
    return json::object();
  }
  return all[static_cast<size_t>(index)];
}

inline Window Gadgets(const json& dialog) {
  Window out;
  for (const auto& g : dialog.value("gadgets", json::array()))
    out[g["id"].get<int>()] = Shown{g["value"], g["enabled"].get<bool>()};
  return out;
}

inline Window Gadgets(const Session& s, int n) { return Gadgets(DialogEvent(s, n)); }

// Ids of the gadgets that are disabled.
inline std::set<int> Disabled(const Window& w) {
  std::set<int> out;
  for (const auto& [id, g] : w)
    if (!g.enabled) out.insert(id);
  return out;
}

// Ids of the ticked check boxes.
inline std::set<int> Ticked(const Window& w) {
  std::set<int> out;
  for (const auto& [id, g] : w)
    if (g.value.is_boolean() && g.value.get<bool>()) out.insert(id);
  return out;
}

// The gadgets whose value or enabled state differ between two snapshots.
inline std::set<int> Changed(const Window& a, const Window& b) {
  std::set<int> out;
  for (const auto& [id, g] : a) {
    auto it = b.find(id);
    if (it == b.end() || !(it->second == g)) out.insert(id);
  }
  for (const auto& [id, g] : b)
    if (!a.count(id)) out.insert(id);
  return out;
}

// Lines joined into a script.
inline std::string Script(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

// The options of a host whose plug-ins folder is a private copy that the
// test may change.
inline simhost::Options CopiedHostOptions(const TempDir& dir, std::string& brevioFolder) {
  simhost::Options o = HostOptions(dir);
  o.pluginDirs = {CopyPlugins(dir)};
  brevioFolder = o.pluginDirs[0] + "/Brevio";
  return o;
}

}  // namespace brevio_test
