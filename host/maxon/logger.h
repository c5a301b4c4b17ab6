// maxon/logger.h - the host's loggers: the default logger, which shows lines
// in the host's console, and what a write takes (audience, source location,
// meta flags).
#pragma once

#include "c4d_abi.h"
#include "maxon/apibase.h"
#include "maxon/string.h"

namespace maxon {

enum class TARGETAUDIENCE {
  DEBUGGER = 1 << 1,
  DEVELOPERS = 1 << 2,
  USERS = 1 << 3,
  ALL = DEBUGGER | DEVELOPERS | USERS,
} MAXON_ENUM_FLAGS(TARGETAUDIENCE);

enum class WRITEMETA {
  DEFAULT = 1 << 0,
  WARNING = 1 << 1,
  CRITICAL = 1 << 2,
  NONEWLINE = 1 << 3,
} MAXON_ENUM_FLAGS(WRITEMETA);

// Where a line comes from: metadata for the logger, never part of the text.
class SourceLocation {
 public:
  const Char* file = nullptr;
  Int lineAndFlags = 0;
  const Char* name = nullptr;

  SourceLocation() = default;
  constexpr SourceLocation(const Char* f, Int l, const Char* objectName = nullptr)
      : file(f), lineAndFlags(l), name(objectName) {}
  const Char* GetFile() const { return file; }
  Int GetLine() const { return lineAndFlags & 0xffffff; }
};

// The outcome of an operation that may fail. The plug-in only ever ignores
// the outcome of a console write, with iferr_ignore.
template <class T>
class Result;

template <>
class Result<void> {
 public:
  Result() = default;
  explicit Result(Bool ok) : _ok(ok) {}
  explicit operator Bool() const { return _ok; }
  // Discards the outcome on purpose (the reason is for the reader).
  void Ignore(const Char*) const {}

 private:
  Bool _ok = true;
};

#define iferr_ignore(...) .Ignore(__VA_ARGS__)

// A reference to one of the host's loggers; null when the host has none.
class LoggerRef {
 public:
  LoggerRef() = default;
  explicit LoggerRef(C4D_Logger* logger) : _logger(logger) {}
  explicit operator Bool() const { return _logger != nullptr; }

  // Writes one line; a null logger or a missing console service fails.
  Result<void> Write(TARGETAUDIENCE ta, const String& str, const SourceLocation& loc,
                     WRITEMETA level = WRITEMETA::DEFAULT) const;

 private:
  C4D_Logger* _logger = nullptr;
};

namespace Loggers {
// The host's default logger ("net.maxon.core.logger.default"), resolved when
// the module is loaded.
const LoggerRef& Default();
}  // namespace Loggers

}  // namespace maxon
