// host.cpp - the ledger, the journal, the action registry and the host's
// own operations; one host run is Start() ... Stop().
#include "core/host.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "core/core.h"
#include "core/offers.h"
#include "platform/platform.h"

namespace simhost {

// ---- Ledger ----------------------------------------------------------------

Ledger::~Ledger() { Reclaim(); }

void Ledger::Add(const ObjectKind& kind, const void* handle) {
  if (handle == nullptr) return;
  live_[kind.name][handle] = Entry{serial_++, call_, kind.destroy};
}

bool Ledger::Remove(const std::string& kind, const void* handle) {
  auto k = live_.find(kind);
  if (k == live_.end()) return false;
  auto it = k->second.find(handle);
  if (it == k->second.end()) return false;
  if (it->second.destroy != nullptr) {
    retired_.emplace_back(handle, it->second);
  }
  k->second.erase(it);
  return true;
}

bool Ledger::Has(const std::string& kind, const void* handle) const {
  auto k = live_.find(kind);
  return k != live_.end() && k->second.count(handle) > 0;
}

std::map<std::string, size_t> Ledger::Live() const {
  std::map<std::string, size_t> counts;
  for (const auto& [kind, handles] : live_)
    if (!handles.empty()) counts[kind] = handles.size();
  return counts;
}

std::map<std::string, size_t> Ledger::LiveFrom(uint64_t call) const {
  std::map<std::string, size_t> counts;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles)
      if (entry.call == call) ++counts[kind];
  return counts;
}

std::map<std::pair<uint64_t, std::string>, size_t> Ledger::LiveByCall() const {
  std::map<std::pair<uint64_t, std::string>, size_t> counts;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles) ++counts[{entry.call, kind}];
  return counts;
}

void Ledger::Reclaim() {
  std::vector<std::pair<uint64_t, std::pair<void (*)(void*), const void*>>> byAge;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles)
      if (entry.destroy != nullptr) byAge.push_back({entry.serial, {entry.destroy, handle}});
  for (const auto& [handle, entry] : retired_)
    byAge.push_back({entry.serial, {entry.destroy, handle}});
  live_.clear();
  retired_.clear();
  std::sort(byAge.begin(), byAge.end());
  for (const auto& [serial, object] : byAge) object.first(const_cast<void*>(object.second));
}

// ---- Journal ---------------------------------------------------------------

Journal::~Journal() {
  if (log_ != nullptr) std::fclose(log_);
}

void Journal::Say(const std::string& line) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  transcript_ += line;
  transcript_ += '\n';
  if (echo) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void Journal::Emit(const nlohmann::json& event) {
  // "event" first, for a reader scanning the log; invalid UTF-8 is replaced
  // instead of throwing, since texts come from the plug-in.
  nlohmann::ordered_json ordered = nlohmann::ordered_json::object();
  if (event.is_object() && event.contains("event")) ordered["event"] = event["event"];
  if (event.is_object())
    for (const auto& [key, value] : event.items())
      if (key != "event") ordered[key] = value;
  std::string text = ordered.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  events_.push_back(text);
  if (logPath.empty() || logFailed_) return;
  std::string error;
  if (log_ == nullptr && !Open(error)) {
    std::fprintf(stderr, "simhost: %s\n", error.c_str());
    return;
  }
  // A full disk (or /dev/full) shows at the flush: the log is then
  // incomplete, and the run cannot pass.
  if (std::fputs(text.c_str(), log_) < 0 || std::fputc('\n', log_) == EOF ||
      std::fflush(log_) != 0) {
    logFailed_ = true;
    std::fprintf(stderr, "simhost: cannot write the event log %s: %s\n", logPath.c_str(),
                 std::strerror(errno));
  }
}

bool Journal::Open(std::string& error) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (log_ != nullptr || logPath.empty()) return true;
  log_ = platform::OpenLogFile(logPath, false, error);
  if (log_ == nullptr) {
    logFailed_ = true;
    return false;
  }
  return true;
}

// ---- ActionRegistry --------------------------------------------------------

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
    host->Misuse("main-thread", call, "called from a thread other than the host's main thread");
    return nullptr;
  }
  return host;
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

void Host::Misuse(const char* rule, const std::string& call, const std::string& text) {
  failed = true;
  journal.Say("MISUSE " + call + ": " + text + " [" + rule + "]");
  journal.Emit({{"event", "misuse"}, {"rule", rule}, {"call", call}, {"text", text}});
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

void Host::AddHostObject(const std::string& kind, const void* handle, bool readOnly) {
  if (handle == nullptr) return;
  core->hostObjects[kind].insert(handle);
  if (readOnly) core->readOnly.insert(handle);
}

void Host::RemoveHostObject(const std::string& kind, const void* handle) {
  auto k = core->hostObjects.find(kind);
  if (k != core->hostObjects.end()) k->second.erase(handle);
  core->readOnly.erase(handle);
}

bool Host::IsReadOnly(const void* handle) const { return core->readOnly.count(handle) > 0; }

bool Host::IsHostObject(const std::string& kind, const void* handle) const {
  auto k = core->hostObjects.find(kind);
  return k != core->hostObjects.end() && k->second.count(handle) > 0;
}

bool Host::Known(const std::string& kind, const void* handle) const {
  return handle != nullptr && (ledger.Has(kind, handle) || IsHostObject(kind, handle));
}

bool Host::Check(const std::string& kind, const void* handle, const char* call) {
  if (handle == nullptr) {
    Misuse("null-handle", call, "NULL " + kind);
    return false;
  }
  if (Known(kind, handle)) return true;
  char address[32];
  std::snprintf(address, sizeof address, "%p", handle);
  Misuse("live-handle", call,
         std::string(address) + " is not a live " + kind +
             " (never handed out by the host, freed already, or another kind)");
  return false;
}

bool Host::AllowCreate(const std::string& kind) {
  if (options.failAllocationAt < 0) return true;
  if (!options.failAllocationKind.empty() && options.failAllocationKind != kind) return true;
  int64_t index = core->creations++;
  if (index != options.failAllocationAt) return true;
  journal.Say("simhost: injected failure: creation " + std::to_string(index) + " (" + kind +
              ") answers NULL");
  journal.Emit({{"event", "fail-allocation"}, {"kind", kind}, {"index", index}});
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

bool Host::ExecuteCommand(int32_t id) {
  RegisteredCommand* command = nullptr;
  for (auto& c : core->commands)
    if (c.id == id) command = &c;
  if (command == nullptr || !running) return false;

  C4D_Document* doc = nullptr;
  const C4D_DocumentTable* documents = tables_.document;
  if (C4D_HAS(documents, GetActiveDocument)) doc = documents->GetActiveDocument();

  // As in a menu: the command runs only while its state says it is enabled.
  int32_t state = C4D_CMD_ENABLED;
  if (command->record.GetState != nullptr) {
    PluginCall call(*this, "GetState(" + std::to_string(id) + ")");
    state = command->record.GetState(command->record.object, doc, nullptr);
  }
  nlohmann::json event = {{"event", "command"}, {"id", id}, {"state", state}};
  if ((state & C4D_CMD_ENABLED) == 0) {
    journal.Say("simhost: command " + std::to_string(id) + " is disabled (state " +
                std::to_string(state) + "); not run");
    event["executed"] = false;
    journal.Emit(event);
    return true;
  }
  journal.Say("simhost: the user runs command " + std::to_string(id) + " \"" + command->name +
              "\"");
  int32_t result = 0;
  if (command->record.Execute != nullptr) {
    PluginCall call(*this, "Execute(" + std::to_string(id) + ")");
    result = command->record.Execute(command->record.object, doc);
  }
  event["executed"] = true;
  event["result"] = result;
  journal.Emit(event);
  journal.Say("simhost: command " + std::to_string(id) + " answered " + std::to_string(result));
  return true;
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
        {"event", "leak"}, {"rule", "leak-at-quit"}, {"kind", kind}, {"count", count}};
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
