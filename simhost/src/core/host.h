// host.h - the state of one simulated host session, shared by the service
// tables. The C tables carry no context pointer, so they reach the running
// host through Current(); the host is a singleton, as the real one is.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "c4d_abi.h"
#include "core/kind.h"
#include "core/rules.h"
#include "simhost/simhost.h"

namespace simhost {

// Every object the plug-in creates through the tables is accounted here by
// kind ("container", "string", "filename", "resource", "bitmap", "dialog",
// "descid", "memory"); a handle not in the ledger is not one the host handed
// out (or it was freed already).
//
// A freed object is not destroyed at once but retired until the host run
// ends: its address cannot come back for a new object while the plug-in
// runs, so a handle kept after its free is always recognised as stale, and
// a second free as a second free.
class Ledger {
 public:
  Ledger() = default;
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;
  ~Ledger();
  void Add(const ObjectKind& kind, const void* handle);
  // The plug-in frees a live object of `kind`: it is retired. False (and
  // nothing changed) when handle is not a live object of kind.
  bool Remove(const std::string& kind, const void* handle);
  bool Has(const std::string& kind, const void* handle) const;
  // Live objects per kind (kinds with zero are left out).
  std::map<std::string, size_t> Live() const;
  // Destroys every retired object and every live one (the host reclaims
  // what a plug-in leaked after reporting it), oldest first.
  void Reclaim();

  // The call into the plug-in in progress (0: none); each object added is
  // recorded as created during it.
  void SetCall(uint64_t call) { call_ = call; }
  uint64_t CurrentCall() const { return call_; }
  // Live objects per kind that were created during `call`.
  std::map<std::string, size_t> LiveFrom(uint64_t call) const;
  // Live objects counted by {the call that created them, kind}.
  std::map<std::pair<uint64_t, std::string>, size_t> LiveByCall() const;

 private:
  struct Entry {
    uint64_t serial = 0;
    uint64_t call = 0;
    void (*destroy)(void*) = nullptr;
  };
  std::map<std::string, std::map<const void*, Entry>> live_;
  std::vector<std::pair<const void*, Entry>> retired_;
  uint64_t serial_ = 0;
  uint64_t call_ = 0;
};

// The readable transcript and the JSON-lines event log. Safe to use from
// any thread, so that a call from a stray thread can still be reported.
class Journal {
 public:
  Journal() = default;
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  ~Journal();
  void Say(const std::string& line);       // one transcript line
  void Emit(const nlohmann::json& event);  // one log event
  const std::string& Transcript() const { return transcript_; }
  const std::vector<std::string>& Events() const { return events_; }
  // Forgets the transcript and the events kept so far (the log file keeps
  // them), so that a long run in one session does not grow without end.
  void Forget() {
    transcript_.clear();
    events_.clear();
  }

  // Opens the log file now (truncating it); false with `error` when it
  // cannot be created. Otherwise it is opened at the first event.
  bool Open(std::string& error);
  // Whether an event could not be written to the log file.
  bool Failed() const { return logFailed_; }

  bool echo = true;
  std::string logPath;  // truncated at the first event of a session

 private:
  std::string transcript_;
  std::vector<std::string> events_;
  std::FILE* log_ = nullptr;
  bool logFailed_ = false;
  std::recursive_mutex mutex_;
};

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

// Area hooks: each area of the host (resources and dialogs, documents) keeps
// its own state and is told when a host run starts and ends.
struct Area {
  virtual ~Area() = default;
  virtual void OnStart(Host&) {}
  // After action 3 and before the command objects are destroyed.
  virtual void OnModulesEnded(Host&) {}
  // After every module is unloaded; the ledger is checked right after.
  virtual void OnStop(Host&) {}
};

struct CoreState;  // the core's own state (modules, commands, prefs): core/core.h

class Host {
 public:
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  Options options;
  // Every service table the areas offer, whatever Options leaves out of the
  // root that the modules get.
  const C4D_ServiceRoot& Tables() const { return tables_; }
  Ledger ledger;
  Journal journal;
  ActionRegistry actions;

  // A call from the plug-in that the host does not allow (bad handle, wrong
  // thread, ...): logged as {"event":"misuse","rule":ID,...} with the rule's
  // stable id (core/rules.h); fails the run. Safe from any thread.
  void Misuse(Rule rule, const std::string& call, const std::string& text);
  // The console, as the plug-in's WriteLine reaches it.
  void Console(const std::string& text, const std::string& file, int32_t line);
  void Console(const std::string& text, const std::string& file, int32_t line, int32_t flags,
               int32_t level);
  std::vector<std::string> consoleLines;  // every console text of the session, in order

  // Objects the host owns and lends to the plug-in (live render settings,
  // stored preferences, action messages, the module location): the tables
  // accept them besides the plug-in's own objects in the ledger, but the
  // plug-in must not free them. Register before lending, unregister before
  // deleting.
  // `readOnly`: the plug-in may read it but not write into it.
  void AddHostObject(const std::string& kind, const void* handle, bool readOnly = false);
  void RemoveHostObject(const std::string& kind, const void* handle);
  bool IsHostObject(const std::string& kind, const void* handle) const;
  bool IsReadOnly(const void* handle) const;
  // A live plug-in object of `kind` or a lent host object of `kind`.
  bool Known(const std::string& kind, const void* handle) const;
  // Known(), or a Misuse naming `call` (NULL handles are misuse too).
  bool Check(const std::string& kind, const void* handle, const char* call);

  // Runs the script action that a line's words name, as the user. False
  // with `error` set when no action has that name or the action cannot be
  // carried out (an exception from it included).
  bool RunAction(const std::vector<std::string>& words, std::string& error);

  // Runs a registered command as the user would (menu or palette). Answers
  // false when no command has that id.
  bool ExecuteCommand(int32_t id);

  // The folder holding the first loaded module ("" when none).
  std::string PluginFolder() const;

  // Allocation bookkeeping for injected failures: answers false when this
  // creation of `kind` must fail.
  bool AllowCreate(const std::string& kind);

  // The session's random numbers, seeded from options.seed; the first use
  // prints the seed so that a randomised run can be repeated.
  std::mt19937_64& Rng();

  // One host run: load the modules and drive them up to action 2 / drive
  // them down (action 3, command objects destroyed, unload, leak check).
  void Start();
  void Stop();
  bool running = false;
  bool quitRequested = false;  // `quit` ran: the script stops here
  std::unique_ptr<CoreState> core;

  template <class T>
  T& AreaOf() {
    for (auto& a : areas)
      if (auto* t = dynamic_cast<T*>(a.get())) return *t;
    std::abort();
  }
  std::vector<std::unique_ptr<Area>> areas;  // every area offered, in start order
  std::atomic<bool> failed{false};           // a misuse or leak was seen

  // The host could not do its job (a file it must write, a script line it
  // cannot carry out): logged as {"event":"error",...}; the run ends with 2.
  void Error(const std::string& text);
  bool errored = false;

 private:
  C4D_ServiceRoot tables_{};
};

// One call from the host into the plug-in: c4d_main, an operation of a
// registered command, a dialog callback. Objects the plug-in creates during
// it are recorded as created during it. A balanced call must free them before
// it returns; whatever kind it leaves is reported as a leak during the call
// ({"event":"leak","during":NAME,...}) and fails the run. Unbalanced calls
// (c4d_main actions 1 and 2, message 1) may create the module's own state,
// which the leak check at the end of the host run accounts for instead.
class PluginCall {
 public:
  PluginCall(Host& host, std::string name, bool balanced = true);
  ~PluginCall();
  PluginCall(const PluginCall&) = delete;
  PluginCall& operator=(const PluginCall&) = delete;

 private:
  Host& host_;
  uint64_t id_;
  uint64_t outer_;
  bool balanced_;
};

// The host of the running session (NULL outside a session).
Host* Current();

// The running host for a table entry of any area, after checking the
// calling thread; NULL outside a session (the call is then reported on
// stderr) and for a call from another thread (a misuse: the entry then does
// nothing and touches no state of the host).
Host* Enter(const char* call);

// Makes `host` the running host for the scope's lifetime (sessions and tests).
class CurrentScope {
 public:
  explicit CurrentScope(Host& host);
  ~CurrentScope();
  CurrentScope(const CurrentScope&) = delete;
  CurrentScope& operator=(const CurrentScope&) = delete;

 private:
  Host* previous_;
};

// A whole decimal 32-bit integer ("-12", "7000"); false for anything else.
bool ParseInt32(const std::string& text, int32_t& out);

}  // namespace simhost
