// host.h - the state of one simulated host session, shared by the service
// tables. The C tables carry no context pointer, so they reach the running
// host through Current(); the host is a singleton, as the real one is.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "c4d_abi.h"
#include "core/actions.h"
#include "core/journal.h"
#include "core/kind.h"
#include "core/ledger.h"
#include "core/rules.h"
#include "simhost/simhost.h"

namespace simhost {

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
  void AddHostObject(const ObjectKind& kind, const void* handle, bool readOnly = false);
  void RemoveHostObject(const ObjectKind& kind, const void* handle);
  bool IsHostObject(const ObjectKind& kind, const void* handle) const;
  bool IsReadOnly(const void* handle) const;
  // A live plug-in object of `kind` or a lent host object of `kind`.
  bool Known(const ObjectKind& kind, const void* handle) const;
  // Known(), or a Misuse naming `call` (NULL handles are misuse too).
  bool Check(const ObjectKind& kind, const void* handle, const char* call);
  // For a Free entry: whether `handle` is a live object of `kind` that the
  // plug-in may free. NULL is quietly false (freeing NULL does nothing); an
  // object the host only lends (lent-object) and anything else that is not
  // a live object of kind (Check) are misuse.
  bool CheckFree(const ObjectKind& kind, const void* handle, const char* call);

  // Runs the script action that a line's words name, as the user. False
  // with `error` set when no action has that name or the action cannot be
  // carried out (an exception from it included).
  bool RunAction(const std::vector<std::string>& words, std::string& error);

  // Runs a registered command as the user would (menu or palette). Answers
  // false when no command has that id (registration.cpp).
  bool ExecuteCommand(int32_t id);

  // The folder holding the first loaded module ("" when none).
  std::string PluginFolder() const;

  // Allocation bookkeeping for injected failures: answers false when this
  // creation of `kind` must fail.
  bool AllowCreate(const ObjectKind& kind);

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

// What a table entry that takes an object works with: the running host and
// the plug-in's object behind the handle. `object` is NULL (the entry does
// nothing) when `host` is, or after a misuse about the handle.
template <class T>
struct Entered {
  Host* host = nullptr;
  T* object = nullptr;
};

// The preamble of such an entry: Enter(call), then the live object of `kind`
// behind `handle` (Host::Check), seen as a T.
template <class T>
Entered<T> Enter(const char* call, const TypedKind<T>& kind, const void* handle) {
  Entered<T> entered;
  entered.host = Enter(call);
  if (entered.host != nullptr && entered.host->Check(kind, handle, call))
    entered.object = kind.From(handle);
  return entered;
}

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

}  // namespace simhost
