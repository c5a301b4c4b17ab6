// prefs.cpp - world plug-in preferences: one container per plug-in id, kept
// in the preferences folder as one JSON file across host runs.
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/core.h"
#include "core/json_read.h"
#include "core/offers.h"

namespace simhost {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormat = "simhost world plug-in preferences 1";

void Forget(Host& host) {
  for (auto& [id, c] : host.core->prefs) host.RemoveHostObject(kContainerKind, c.get());
  host.core->prefs.clear();
}

Container& Slot(Host& host, int32_t id) {
  auto& slot = host.core->prefs[id];
  if (!slot) {
    slot = std::make_unique<Container>();
    // Lent for reading: the plug-in stores a changed copy through
    // SetWorldPluginData, which is what reaches the file.
    host.AddHostObject(kContainerKind, slot.get(), true);
  }
  return *slot;
}

// Parses the preferences file. False with `error` when the file as a whole
// is unusable; otherwise every well-formed entry lands in `out` and each
// malformed one is named in `refused`, so that one plug-in's bad entry does
// not cost the others theirs.
bool Parse(const std::string& text, std::map<int32_t, Container>& out,
           std::vector<std::string>& refused, std::string& error) {
  nlohmann::json j;
  std::vector<std::vector<std::string>> duplicates;
  if (!ReadJson(text, j, error, kMaxJsonDepth, &duplicates)) {
    error = "not valid JSON: " + error;
    return false;
  }
  const auto format = j.is_object() ? j.find("format") : j.end();
  const auto plugins = j.is_object() ? j.find("plugins") : j.end();
  if (!j.is_object() || format == j.end() || !format->is_string() ||
      format->get<std::string>() != kFormat || plugins == j.end() || !plugins->is_object()) {
    error = std::string("not a preferences file (expected {\"format\": \"") + kFormat +
            "\", \"plugins\": {...}})";
    return false;
  }
  // A key twice outside a plug-in's entry spoils the file; inside one, the entry.
  std::map<std::string, std::string> twice;
  for (const auto& where : duplicates) {
    if (where.size() < 2 || where[0] != "plugins") {
      std::string shown;
      for (const auto& k : where) shown += (shown.empty() ? "" : "/") + k;
      error = "the key " + shown + " appears twice";
      return false;
    }
    std::string shown;
    for (size_t i = 2; i < where.size(); ++i) shown += (shown.empty() ? "" : "/") + where[i];
    twice.emplace(where[1], shown.empty() ? "the plug-in appears twice"
                                          : "the key " + shown + " appears twice");
  }
  for (auto it = plugins->begin(); it != plugins->end(); ++it) {
    const std::string key = it.key();
    const nlohmann::json& entry = it.value();
    auto refuse = [&](const std::string& why) { refused.push_back("plug-in " + key + ": " + why); };
    int32_t pluginId = 0;
    if (!ParseInt32(key, pluginId)) {
      refuse("the key is not a 32-bit id");
      continue;
    }
    if (twice.count(key) > 0) {
      refuse(twice[key]);
      continue;
    }
    if (!entry.is_object() || !entry.contains("data")) {
      refuse("expected {\"id\": N, \"data\": {...}}");
      continue;
    }
    Container c;
    if (entry.contains("id")) {
      const nlohmann::json& id = entry["id"];
      if (!id.is_number_integer() ||
          (id.is_number_unsigned()
               ? id.get<uint64_t>() > uint64_t(INT32_MAX)
               : id.get<int64_t>() < INT32_MIN || id.get<int64_t>() > INT32_MAX)) {
        refuse("\"id\" is not a 32-bit whole number");
        continue;
      }
      c.id = static_cast<int32_t>(id.get<int64_t>());
    }
    std::string entryError;
    if (!FromTypedJson(entry["data"], c, entryError)) {
      refuse(entryError);
      continue;
    }
    out[pluginId] = std::move(c);
  }
  return true;
}

// Moves a file the host could not fully use aside, under the first name not
// taken yet, so that every one is kept. Answers that name ("" when it stays).
std::string SetAside(const std::string& file) {
  for (int n = 1; n < 10000; ++n) {
    const std::string aside = file + ".corrupt" + (n == 1 ? "" : "-" + std::to_string(n));
    std::error_code ec;
    if (fs::exists(aside, ec)) continue;
    if (platform::MoveNoReplace(file, aside)) return aside;
    if (!fs::exists(aside, ec)) return "";  // the move failed for another reason
  }
  return "";
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
  if (!platform::WritableTarget(probe.string(), why)) {  // a pipe would block
    why = probe.string() + ": " + why;
    return false;
  }
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
  auto [host, container] = Enter(kCall, kContainerKind, bc);
  if (container == nullptr) return 0;
  const Container offered = *container;  // it may be the stored container itself

  std::string refusal;
  if (host->options.refusePrefsSave) {
    refusal = "the host refuses to store preferences";
  } else if (!host->options.prefsDir.empty() && FolderWritable(host->options.prefsDir, refusal)) {
    if (!platform::WritableTarget(PrefsFile(host->options), refusal))
      refusal = PrefsFile(host->options) + ": " + refusal;
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
  std::string text, error;
  const bool read = platform::ReadRegularFile(file, text, error);
  std::string why;
  if (!read && !platform::WritableTarget(file, why)) {
    // A named pipe, a device, a folder: not the host's to read, move or
    // replace. The preferences live in memory; saving them is refused.
    error = file + ": " + error;
    host.journal.Say("simhost: WARNING: preferences not loaded: " + error);
    host.journal.Emit({{"event", "prefs-load"}, {"path", file}, {"ok", false}, {"error", error}});
    return;
  }
  std::map<int32_t, Container> parsed;
  std::vector<std::string> refused;
  const bool usable = read ? Parse(text, parsed, refused, error) : false;
  if (!read) error = "cannot be read";
  if (usable && refused.empty()) {
    for (auto& [id, c] : parsed) Slot(host, id) = std::move(c);
    host.journal.Say("simhost: preferences loaded from " + file + " (" +
                     std::to_string(parsed.size()) + " plug-in(s))");
    host.journal.Emit({{"event", "prefs-load"}, {"path", file}, {"ok", true}});
    return;
  }
  // Kept aside rather than overwritten at the next save; what could be read
  // is loaded and written back at quit.
  const std::string aside = SetAside(file);
  for (auto& [id, c] : parsed) Slot(host, id) = std::move(c);
  if (!parsed.empty()) host.core->prefsDirty = true;
  if (usable) {
    error.clear();
    for (const auto& why : refused) error += (error.empty() ? "" : "; ") + why;
  }
  host.journal.Say("simhost: WARNING: preferences " + file + ": " + error +
                   (aside.empty() ? std::string() : " (the file is kept as " + aside + ")"));
  nlohmann::json event = {{"event", "prefs-load"}, {"path", file},          {"ok", false},
                          {"error", error},        {"kept", parsed.size()}, {"refused", refused}};
  if (!aside.empty()) event["aside"] = aside;
  host.journal.Emit(event);
}

bool SavePrefs(Host& host) {
  const std::string file = PrefsFile(host.options);
  if (file.empty() || !host.core->prefsDirty) return true;
  nlohmann::json plugins = nlohmann::json::object();
  for (const auto& [id, c] : host.core->prefs)
    plugins[std::to_string(id)] = {{"id", c->id}, {"data", ToTypedJson(*c)}};
  const nlohmann::json j = {{"format", kFormat}, {"plugins", plugins}};

  std::error_code ec;
  fs::create_directories(host.options.prefsDir, ec);
  std::string error;
  const bool ok = platform::WriteFileDurably(
      file, j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n", error);
  host.journal.Emit({{"event", "prefs-save"}, {"path", file}, {"ok", ok}});
  if (!ok) {
    // The plug-in was told its settings are kept: losing them fails the run.
    host.Error("the preferences could not be written to " + file + ": " + error);
    return false;
  }
  host.journal.Say("simhost: preferences written to " + file);
  host.core->prefsDirty = false;
  return true;
}

namespace {

const C4D_PrefsTable* Table() {
  static const C4D_PrefsTable table = {sizeof(C4D_PrefsTable), GetWorldPluginData,
                                       SetWorldPluginData, GetWorldPluginDataCell};
  return &table;
}

const Offer kOffer("prefs", &C4D_ServiceRoot::prefs, Table());

}  // namespace

}  // namespace simhost
