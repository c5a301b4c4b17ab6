// plugin_call.cpp - calls from the host into the plug-in, and the leak check
// at the end of each: what the plug-in creates during a call it frees before
// the call returns, unless the call builds the module's own state.
#include "core/core.h"

namespace simhost {

PluginCall::PluginCall(Host& host, std::string name, bool balanced)
    : host_(host),
      id_(++host.core->lastCall),
      outer_(host.ledger.CurrentCall()),
      balanced_(balanced) {
  host_.core->callNames[id_] = std::move(name);
  host_.ledger.SetCall(id_);
}

PluginCall::~PluginCall() {
  host_.ledger.SetCall(outer_);
  const std::map<std::string, size_t> left = host_.ledger.LiveFrom(id_);
  if (left.empty()) {
    host_.core->callNames.erase(id_);
    return;
  }
  if (!balanced_) return;  // module state: accounted at the end of the host run
  const std::string& name = host_.core->callNames[id_];
  for (const auto& [kind, count] : left) {
    host_.failed = true;
    host_.journal.Say("LEAK: " + std::to_string(count) + " " + kind + " object(s) created during " +
                      name + " and not freed by its end");
    host_.journal.Emit({{"event", "leak"},
                        {"rule", IdOf(Rule::LeakInCall)},
                        {"during", name},
                        {"kind", kind},
                        {"count", count}});
  }
}

}  // namespace simhost
