// host.cpp - the current host: which host the tables reach, the entry
// preamble of every table, and the host's own operations; one host run is
// Start() ... Stop().
#include "core/host.h"

#include <algorithm>
#include <cstdio>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

// ---- the current host --------------------------------------------------------

namespace {
Host* g_current = nullptr;
}  // namespace

Host* Current() { return g_current; }

CurrentScope::CurrentScope(Host& host) : previous_(g_current) { g_current = &host; }
CurrentScope::~CurrentScope() { g_current = previous_; }

Host* Enter(const char* call) {
  Host* host = Current();
  if (host == nullptr) {
    std::fprintf(stderr, "simhost: %s called while no host is running\n", call);
    return nullptr;
  }
  if (std::this_thread::get_id() != host->core->thread) {
    // The call is refused: the host's state belongs to its main thread.
    host->Misuse(Rule::MainThread, call, "called from a thread other than the host's main thread");
    return nullptr;
  }
  return host;
}

// ---- Host ------------------------------------------------------------------

// The host is assembled from what its areas offer (core/offers.h).
Host::Host() : core(std::make_unique<CoreState>()) {
  const Offers& offers = AllOffers();
  for (const TableOffer& table : offers.tables) table.place(tables_, true);
  for (auto add : offers.actions) add(actions);
  std::vector<AreaOffer> ordered = offers.areas;
  std::sort(ordered.begin(), ordered.end(),
            [](const AreaOffer& a, const AreaOffer& b) { return a.order < b.order; });
  for (const AreaOffer& area : ordered) areas.push_back(area.make());
}

Host::~Host() {
  // Host objects still lent out belong to the areas that made them; the
  // core's own (preference containers) go with `core`.
}

void Host::Misuse(Rule rule, const std::string& call, const std::string& text) {
  failed = true;
  const char* id = IdOf(rule);
  journal.Say("MISUSE " + call + ": " + text + " [" + id + "]");
  journal.Emit({{"event", "misuse"}, {"rule", id}, {"call", call}, {"text", text}});
}

void Host::Error(const std::string& text) {
  errored = true;
  journal.Say("error: " + text);
  journal.Emit({{"event", "error"}, {"text", text}});
}

void Host::Console(const std::string& text, const std::string& file, int32_t line) {
  Console(text, file, line, 0, 0);
}

void Host::Console(const std::string& text, const std::string& file, int32_t line, int32_t flags,
                   int32_t level) {
  consoleLines.push_back(text);
  journal.Emit({{"event", "console"},
                {"text", text},
                {"file", file},
                {"line", line},
                {"flags", flags},
                {"level", level}});
  // One transcript line per text line, so that a line break in a console
  // text cannot pass for a line of the host's own.
  size_t start = 0;
  do {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    journal.Say("console | " + text.substr(start, end - start));
    start = end + 1;
  } while (start <= text.size());
}

void Host::AddHostObject(const ObjectKind& kind, const void* handle, bool readOnly) {
  if (handle == nullptr) return;
  core->hostObjects[kind.name].insert(handle);
  if (readOnly) core->readOnly.insert(handle);
}

void Host::RemoveHostObject(const ObjectKind& kind, const void* handle) {
  auto k = core->hostObjects.find(kind.name);
  if (k != core->hostObjects.end()) k->second.erase(handle);
  core->readOnly.erase(handle);
}

bool Host::IsReadOnly(const void* handle) const { return core->readOnly.count(handle) > 0; }

bool Host::IsHostObject(const ObjectKind& kind, const void* handle) const {
  auto k = core->hostObjects.find(kind.name);
  return k != core->hostObjects.end() && k->second.count(handle) > 0;
}

bool Host::Known(const ObjectKind& kind, const void* handle) const {
  return handle != nullptr && (ledger.Has(kind, handle) || IsHostObject(kind, handle));
}

bool Host::Check(const ObjectKind& kind, const void* handle, const char* call) {
  if (handle == nullptr) {
    Misuse(Rule::NullHandle, call, std::string("NULL ") + kind.name);
    return false;
  }
  if (Known(kind, handle)) return true;
  char address[32];
  std::snprintf(address, sizeof address, "%p", handle);
  Misuse(Rule::LiveHandle, call,
         std::string(address) + " is not a live " + kind.name +
             " (never handed out by the host, freed already, or another kind)");
  return false;
}

bool Host::CheckFree(const ObjectKind& kind, const void* handle, const char* call) {
  if (handle == nullptr) return false;
  if (IsHostObject(kind, handle)) {
    Misuse(Rule::LentObject, call,
           std::string("frees a ") + kind.name + " that the host owns (it was only lent)");
    return false;
  }
  return Check(kind, handle, call);
}

bool Host::AllowCreate(const ObjectKind& kind) {
  if (options.failAllocationAt < 0) return true;
  if (!options.failAllocationKind.empty() && options.failAllocationKind != kind.name) return true;
  int64_t index = core->creations++;
  if (index != options.failAllocationAt) return true;
  journal.Say("simhost: injected failure: creation " + std::to_string(index) + " (" + kind.name +
              ") answers NULL");
  journal.Emit({{"event", "fail-allocation"}, {"kind", kind.name}, {"index", index}});
  return false;
}

std::mt19937_64& Host::Rng() {
  if (!core->rng) {
    core->rng = std::make_unique<std::mt19937_64>(options.seed);
    journal.Say("simhost: random seed " + std::to_string(options.seed) + " (repeat with --seed " +
                std::to_string(options.seed) + ")");
    journal.Emit({{"event", "seed"}, {"seed", options.seed}});
  }
  return *core->rng;
}

std::string Host::PluginFolder() const {
  for (const auto& module : core->modules)
    if (module->library != nullptr) return module->folder;
  return "";
}

void Host::Start() {
  if (running) return;
  running = true;
  ++core->runs;
  journal.Say("simhost: host start" +
              (core->runs > 1 ? " (run " + std::to_string(core->runs) + ")" : std::string()));
  journal.Emit({{"event", "start"}, {"run", core->runs}});
  LoadPrefs(*this);
  for (auto& area : areas) area->OnStart(*this);
  LoadModules(*this);
}

void Host::Stop() {
  if (!running) return;
  journal.Say("simhost: host quit");
  EndModules(*this);
  for (auto& area : areas) area->OnModulesEnded(*this);
  DestroyCommands(*this);
  UnloadModules(*this);
  for (auto& area : areas) area->OnStop(*this);
  SavePrefs(*this);

  // Whatever the plug-in created and did not free is a leak, named after the
  // call into the plug-in that created it.
  for (const auto& [key, count] : ledger.LiveByCall()) {
    const auto& [call, kind] = key;
    failed = true;
    nlohmann::json event = {
        {"event", "leak"}, {"rule", IdOf(Rule::LeakAtQuit)}, {"kind", kind}, {"count", count}};
    std::string where;
    auto name = core->callNames.find(call);
    if (name != core->callNames.end()) {
      event["during"] = name->second;
      where = " (created during " + name->second + ")";
    }
    journal.Say("LEAK: " + std::to_string(count) + " " + kind + " object(s) never freed" + where);
    journal.Emit(event);
  }
  ledger.Reclaim();
  core->callNames.clear();
  journal.Emit({{"event", "stop"}, {"run", core->runs}});
  running = false;
}

}  // namespace simhost
