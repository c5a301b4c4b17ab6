// console_table.cpp - the console: lines reach it through the default logger.
#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

int32_t WriteLine(C4D_Logger* logger, const C4D_String* text, const char* file, int32_t line,
                  int32_t flags, int32_t level) {
  constexpr const char* kCall = "Console.WriteLine";
  Host* host = Enter(kCall);
  if (host == nullptr) return 0;
  // The only logger this host hands out is the default one, and only when it
  // resolved the module's reference to it.
  if (logger == nullptr || logger != DefaultLogger(*host)) {
    host->Misuse(
        Rule::LiveHandle, kCall,
        logger == nullptr ? "NULL logger" : "the logger is not one that the host resolved");
    return 0;
  }
  if (!host->Check(kStringKind, text, kCall)) return 0;
  host->Console(TextOf(text), file == nullptr ? std::string() : std::string(file), line, flags,
                level);
  return 1;
}

}  // namespace

C4D_Logger* DefaultLogger(Host& host) {
  if (host.options.noDefaultLogger) return nullptr;
  return reinterpret_cast<C4D_Logger*>(&host.core->defaultLogger);
}

namespace {

const C4D_ConsoleTable* Table() {
  static const C4D_ConsoleTable table = {sizeof(C4D_ConsoleTable), WriteLine};
  return &table;
}

const Offer kOffer("console", &C4D_ServiceRoot::console, Table());

}  // namespace

}  // namespace simhost
