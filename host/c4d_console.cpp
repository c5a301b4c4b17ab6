// c4d_console.cpp - console lines through the host's default logger.
#include "c4d_console.h"

#include "c4d_declarations.h"
#include "c4d_tables.h"

namespace {
// Flags the host's logger expects with every plain console line.
constexpr int32_t kConsoleFlags = 14;
constexpr int32_t kConsoleLevel = 1;
}  // namespace

void WriteConsoleLine(const String& text, const char* file, Int32 line) {
  const C4D_ConsoleTable* t = HostTables().console;
  C4D_Logger* logger = GetDefaultLogger();
  if (logger == nullptr || text.Get() == nullptr || !HOST_HAS(t, WriteLine)) return;
  t->WriteLine(logger, text.Get(), file, line, kConsoleFlags, kConsoleLevel);
}

void WriteConsoleLine(const char* text, const char* file, Int32 line) {
  // No string to carry a line without a logger to take it.
  if (GetDefaultLogger() == nullptr) return;
  WriteConsoleLine(String(text), file, line);
}
