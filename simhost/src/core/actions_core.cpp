// actions_core.cpp - the script actions of the host itself: running a
// command, restarting, quitting, and calling the module entry directly.
#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

bool Arguments(const std::vector<std::string>& args, size_t least, size_t most,
               const std::string& usage, std::string& error) {
  if (args.size() >= least && args.size() <= most) return true;
  error = "expected: " + usage;
  return false;
}

bool Int32Argument(const std::string& word, const char* what, int32_t& out, std::string& error) {
  if (ParseInt32(word, out)) return true;
  error = std::string(what) + " \"" + word + "\" is not a 32-bit whole number";
  return false;
}

bool Command(Host& host, const std::vector<std::string>& args, std::string& error) {
  int32_t id = 0;
  if (!Arguments(args, 1, 1, "command ID", error) ||
      !Int32Argument(args[0], "the command id", id, error))
    return false;
  if (!host.ExecuteCommand(id)) {
    error = "no command " + args[0] + " is registered";
    return false;
  }
  return true;
}

// The host rebuilds a saved window layout in which the command's dialog was
// open: it hands the command its layout data through RestoreLayout.
bool Restore(Host& host, const std::vector<std::string>& args, std::string& error) {
  int32_t id = 0;
  if (!Arguments(args, 1, 1, "restore ID", error) ||
      !Int32Argument(args[0], "the command id", id, error))
    return false;
  RegisteredCommand* command = nullptr;
  for (auto& c : host.core->commands)
    if (c.id == id) command = &c;
  if (command == nullptr) {
    error = "no command " + args[0] + " is registered";
    return false;
  }
  int32_t result = 0;
  if (command->record.RestoreLayout != nullptr) {
    PluginCall call(host, "RestoreLayout(" + std::to_string(id) + ")");
    result = command->record.RestoreLayout(command->record.object, &host.core->layoutData);
  }
  host.journal.Emit({{"event", "restore"}, {"id", id}, {"result", result}});
  host.journal.Say("simhost: layout restore of command " + std::to_string(id) + " answered " +
                   std::to_string(result));
  return true;
}

bool Restart(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Arguments(args, 0, 0, "restart", error)) return false;
  host.journal.Emit({{"event", "restart"}});
  host.Stop();
  host.Start();
  return true;
}

bool Quit(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!Arguments(args, 0, 0, "quit", error)) return false;
  host.quitRequested = true;
  host.Stop();
  return true;
}

bool Entry(Host& host, const std::vector<std::string>& args, std::string& error) {
  int32_t action = 0;
  int32_t p1 = 0;
  if (!Arguments(args, 1, 2, "entry ACTION [P1]", error) ||
      !Int32Argument(args[0], "the action", action, error))
    return false;
  if (args.size() == 2 && !Int32Argument(args[1], "P1", p1, error)) return false;
  Module* module = nullptr;
  for (auto& m : host.core->modules)
    if (m->library != nullptr && module == nullptr) module = m.get();
  if (module == nullptr) {
    error = "no module is loaded";
    return false;
  }
  if (action == C4D_PL_INIT_SYS) {
    CallInitSys(host, *module);
  } else {
    CallMain(host, *module, action, reinterpret_cast<void*>(static_cast<intptr_t>(p1)), nullptr,
             nullptr);
  }
  return true;
}

}  // namespace

namespace {

void AddCoreActions(ActionRegistry& registry) {
  registry.Add("command", "command ID  - the user runs registered command ID", Command);
  registry.Add("restore",
               "restore ID  - the host restores a saved layout in which the dialog of command "
               "ID was open (the command's RestoreLayout)",
               Restore);
  registry.Add("restart", "restart  - quit (preferences written) and start the host again",
               Restart);
  registry.Add("quit", "quit  - quit the host; later lines are not run", Quit);
  registry.Add("entry",
               "entry ACTION [P1]  - call c4d_main of the first module with ACTION (P1: the "
               "message id of action 6)",
               Entry);
}

const Offer kActions(AddCoreActions);

}  // namespace

}  // namespace simhost
