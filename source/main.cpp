// main.cpp - Brevio's start, message and end functions, and the console line
// every part of the plug-in writes through.
#include "brevcore.h"
#include "maxon/cpuyield.h"
#include "maxon/logger.h"

namespace {
// The source name that console lines of this file carry.
constexpr const Char* MAIN_SOURCE = "main";
}  // namespace

// The host looks up every module's CPU-yield slot by name. Where the slot
// comes from a static library, the linker keeps it only when the module
// refers to it; this reference makes sure the module exports it.
extern const void* const g_brevioCpuYieldSlot;
const void* const g_brevioCpuYieldSlot = &maxon::g_CpuYieldDelegate;

void WriteConsoleLine(const maxon::String& text, const Char* file, Int32 line) {
  const maxon::LoggerRef& logger = maxon::Loggers::Default();
  // Without the host's default logger there is nobody to show the line to.
  if (!logger) return;
  logger.Write(maxon::TARGETAUDIENCE::ALL, text, maxon::SourceLocation(file, line),
               maxon::WRITEMETA::DEFAULT) iferr_ignore("a console line is never worth failing for");
}

Bool cinema::PluginStart() {
  const Bool registered = RegisterBrevio();
  WriteConsoleLine(registered ? "Talvern Software: Brevio successfully loaded."_s
                              : "Talvern Software: Failed to register Brevio"_s,
                   MAIN_SOURCE, __LINE__);
  WriteConsoleLine(" "_s, MAIN_SOURCE, __LINE__);
  return registered;
}

Bool cinema::PluginMessage(Int32 id, void*) {
  switch (id) {
    case C4DMSG_PRIORITY:
      return true;
    case C4DPL_INIT_SYS:
      // The command's name and help text come from this resource, so it is
      // loaded before the start.
      if (g_resource.Init()) return true;
      WriteConsoleLine("Brevio: failed to load resource file."_s, MAIN_SOURCE, __LINE__);
      return false;
    default:
      return false;
  }
}

void cinema::PluginEnd() {}
