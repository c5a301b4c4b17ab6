// c4d_logger.cpp - the host's default logger, behind maxon::Loggers.
#include "c4d_declarations.h"
#include "c4d_tables.h"
#include "maxon/logger.h"

namespace maxon {

Result<void> LoggerRef::Write(TARGETAUDIENCE ta, const String& str, const SourceLocation& loc,
                              WRITEMETA level) const {
  const C4D_ConsoleTable* t = HostTables().console;
  if (_logger == nullptr || !HOST_HAS(t, WriteLine)) return Result<void>(false);
  if (str.GetHostHandle() == nullptr) return Result<void>(false);
  return Result<void>(t->WriteLine(_logger, str.GetHostHandle(), loc.GetFile(),
                                   static_cast<int32_t>(loc.GetLine()), static_cast<int32_t>(ta),
                                   static_cast<int32_t>(level)) != 0);
}

const LoggerRef& Loggers::Default() {
  // Resolved by the host at load; the reference is read each time, so a
  // line written before the host filled it in is dropped, not kept.
  static LoggerRef logger;
  logger = LoggerRef(GetDefaultLogger());
  return logger;
}

}  // namespace maxon
