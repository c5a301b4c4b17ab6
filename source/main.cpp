// main.cpp - Brevio's start, message and end functions.
#include "brevcore.h"

namespace {
// The source name that console lines of this file carry.
constexpr const char* MAIN_SOURCE = "main";
}  // namespace

Bool PluginStart() {
  const Bool registered = RegisterBrevio();
  WriteConsoleLine(registered ? "Talvern Software: Brevio successfully loaded."
                              : "Talvern Software: Failed to register Brevio",
                   MAIN_SOURCE, __LINE__);
  WriteConsoleLine(" ", MAIN_SOURCE, __LINE__);
  return registered;
}

Bool PluginMessage(Int32 id, void*) {
  switch (id) {
    case C4DMSG_PRIORITY:
      return true;
    case C4DMSG_INIT_SYS:
      // The command's name and help text come from this resource, so it is
      // loaded before the start.
      if (InitModuleResource()) return true;
      WriteConsoleLine("Brevio: failed to load resource file.", MAIN_SOURCE, __LINE__);
      return false;
    default:
      return false;
  }
}

void PluginEnd() {}
