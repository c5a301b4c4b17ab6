// prefs.cpp - world plug-in preferences: one container per plug-in id, kept
// in the preferences folder as one JSON file across host runs.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/core.h"

namespace simhost {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormat = "simhost world plug-in preferences 1";

void Forget(Host& host) {
  for (auto& [id, c] : host.core->prefs) host.RemoveHostObject("container", c.get());
  host.core->prefs.clear();
}

Container& Slot(Host& host, int32_t id) {
  auto& slot = host.core->prefs[id];
  if (!slot) {
    slot = std::make_unique<Container>();
    host.AddHostObject("container", slot.get());
  }
  return *slot;
}

// Parses the preferences file; false with `error` for anything malformed.
bool Parse(const std::string& text, std::map<int32_t, Container>& out, std::string& error) {
  nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded()) {
    error = "not valid JSON";
    return false;
  }
  if (!j.is_object() || j.value("format", std::string()) != kFormat || !j.contains("plugins") ||
      !j["plugins"].is_object()) {
    error = std::string("not a preferences file (expected {\"format\": \"") + kFormat +
            "\", \"plugins\": {...}})";
    return false;
  }
  for (const auto& [key, entry] : j["plugins"].items()) {
    int32_t pluginId = 0;
    if (!ParseInt32(key, pluginId)) {
      error = "plug-in \"" + key + "\": the key is not a 32-bit id";
      return false;
    }
    if (!entry.is_object() || !entry.contains("data")) {
      error = "plug-in " + key + ": expected {\"id\": N, \"data\": {...}}";
      return false;
    }
    Container c;
    if (entry.contains("id")) {
      if (!entry["id"].is_number_integer()) {
        error = "plug-in " + key + ": \"id\" is not a whole number";
        return false;
      }
      c.id = entry["id"].get<int32_t>();
    }
    std::string entryError;
    if (!FromTypedJson(entry["data"], c, entryError)) {
      error = "plug-in " + key + ": " + entryError;
      return false;
    }
    out[pluginId] = std::move(c);
  }
  return true;
}

// Whether files can be created in the preferences folder right now.
bool FolderWritable(const std::string& dir, std::string& why) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    why = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  fs::path probe = fs::path(dir) / ".simhost-write-probe";
  std::ofstream out(probe, std::ios::binary | std::ios::trunc);
  if (!out) {
    why = "cannot write in " + dir + ": " + std::strerror(errno);
    return false;
  }
  out.close();
  fs::remove(probe, ec);
  return true;
}

C4D_Container* GetWorldPluginData(int32_t pluginId) {
  Host* host = Enter("Prefs.GetWorldPluginData");
  if (host == nullptr) return nullptr;
  auto it = host->core->prefs.find(pluginId);
  const bool found = it != host->core->prefs.end();
  host->journal.Emit({{"event", "prefs-get"}, {"plugin", pluginId}, {"found", found}});
  return found ? ToHandle(it->second.get()) : nullptr;
}

C4D_Container* const* GetWorldPluginDataCell(int32_t pluginId) {
  C4D_Container* stored = GetWorldPluginData(pluginId);
  Host* host = Current();
  if (stored == nullptr || host == nullptr) return nullptr;
  std::unique_ptr<C4D_Container*>& cell = host->core->prefsCells[pluginId];
  if (!cell) cell = std::make_unique<C4D_Container*>();
  *cell = stored;
  return cell.get();
}

int32_t SetWorldPluginData(int32_t pluginId, const C4D_Container* bc, int32_t add) {
  constexpr const char* kCall = "Prefs.SetWorldPluginData";
  Host* host = Enter(kCall);
  if (host == nullptr || !host->Check("container", bc, kCall)) return 0;
  const Container offered = *AsContainer(bc);  // bc may be the stored container itself

  std::string refusal;
  if (host->options.refusePrefsSave) {
    refusal = "the host refuses to store preferences";
  } else if (!host->options.prefsDir.empty()) {
    FolderWritable(host->options.prefsDir, refusal);
  }
  host->journal.Emit({{"event", "prefs"},
                      {"plugin", pluginId},
                      {"add", add != 0},
                      {"entries", ToTypedJson(offered)},
                      {"result", refusal.empty()}});
  if (!refusal.empty()) {
    host->journal.Say("simhost: preferences of " + std::to_string(pluginId) +
                      " not stored: " + refusal);
    return 0;
  }
  Container& stored = Slot(*host, pluginId);
  if (add != 0) {
    for (const auto& [id, value] : offered.entries) stored.entries[id] = value;
  } else {
    stored = offered;
  }
  host->core->prefsDirty = true;
  host->journal.Say("simhost: preferences of " + std::to_string(pluginId) + " " +
                    (add != 0 ? "merged" : "replaced") + " (" +
                    std::to_string(stored.entries.size()) + " entries)");
  return 1;
}

}  // namespace

std::string PrefsFile(const Options& options) {
  if (options.prefsDir.empty()) return "";
  return (fs::path(options.prefsDir) / "world_plugin_data.json").string();
}

void LoadPrefs(Host& host) {
  host.core->prefsDirty = false;
  const std::string file = PrefsFile(host.options);
  // Without a preferences folder the preferences live in memory for the
  // whole session, restarts included.
  if (file.empty()) return;
  Forget(host);
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    host.journal.Say("simhost: no preferences yet (" + file + ")");
    return;
  }
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::map<int32_t, Container> parsed;
  std::string error;
  if (!in || !Parse(text.str(), parsed, error)) {
    if (error.empty()) error = "cannot be read";
    // Kept aside rather than overwritten at the next save (closed first:
    // Windows does not rename an open file).
    in.close();
    const std::string aside = file + ".corrupt";
    fs::rename(file, aside, ec);
    host.journal.Say("simhost: WARNING: preferences " + file + " ignored: " + error +
                     (ec ? std::string() : " (moved to " + aside + ")"));
    host.journal.Emit({{"event", "prefs-load"}, {"path", file}, {"ok", false}, {"error", error}});
    return;
  }
  for (auto& [id, c] : parsed) Slot(host, id) = std::move(c);
  host.journal.Say("simhost: preferences loaded from " + file + " (" +
                   std::to_string(parsed.size()) + " plug-in(s))");
  host.journal.Emit({{"event", "prefs-load"}, {"path", file}, {"ok", true}});
}

void SavePrefs(Host& host) {
  const std::string file = PrefsFile(host.options);
  if (file.empty() || !host.core->prefsDirty) return;
  nlohmann::json plugins = nlohmann::json::object();
  for (const auto& [id, c] : host.core->prefs)
    plugins[std::to_string(id)] = {{"id", c->id}, {"data", ToTypedJson(*c)}};
  const nlohmann::json j = {{"format", kFormat}, {"plugins", plugins}};

  // Written beside the file and renamed over it: a crash never leaves half a file.
  std::error_code ec;
  fs::create_directories(host.options.prefsDir, ec);
  const std::string temp = file + ".tmp";
  bool ok = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    out.flush();
    ok = static_cast<bool>(out);
  }
  if (ok) {
    fs::rename(temp, file, ec);
    ok = !ec;
  }
  if (!ok) {
    fs::remove(temp, ec);
    host.journal.Say("simhost: WARNING: preferences could not be written to " + file);
  } else {
    host.journal.Say("simhost: preferences written to " + file);
    host.core->prefsDirty = false;
  }
  host.journal.Emit({{"event", "prefs-save"}, {"path", file}, {"ok", ok}});
}

const C4D_PrefsTable* PrefsTable() {
  static const C4D_PrefsTable table = {sizeof(C4D_PrefsTable), GetWorldPluginData,
                                       SetWorldPluginData, GetWorldPluginDataCell};
  return &table;
}

}  // namespace simhost
