// c4d_types.h - the host's basic value types as the plug-in code spells them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

using Int32 = int32_t;
using UInt32 = uint32_t;
using Int64 = int64_t;
using Bool = bool;
using Float = double;

// Numeric limits under the host's name (LIMIT<Int32>::MIN, LIMIT<Int32>::MAX).
template <class T>
struct LIMIT {
  static constexpr T MIN = std::numeric_limits<T>::min();
  static constexpr T MAX = std::numeric_limits<T>::max();
};

// The host's "no id / not found" value; also the id of an anonymous container.
constexpr Int32 NOTOK = -1;
