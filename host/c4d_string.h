// c4d_string.h - cinema::String, the classic API's string: a maxon::String
// that literals convert to.
#pragma once

#include "maxon/string.h"

namespace cinema {

class String : public maxon::String {
 public:
  String() = default;
  String(const Char* cstr) : maxon::String(cstr) {}         // NOLINT(google-explicit-constructor)
  String(const maxon::String& src) : maxon::String(src) {}  // NOLINT(google-explicit-constructor)
  String(maxon::String&& src) noexcept
      : maxon::String(static_cast<maxon::String&&>(src)) {}  // NOLINT
};

}  // namespace cinema
