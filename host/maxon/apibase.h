// maxon/apibase.h - the host's basic value types and the helpers for its
// enum classes, as the plug-in code spells them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace maxon {

using Int32 = int32_t;
using UInt32 = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using Int = int64_t;
using UInt = uint64_t;
using Bool = bool;
using Float = double;
using Char = char;

// Numeric limits under the host's name (LIMIT<Int32>::MIN, LIMIT<Int32>::MAX).
template <class T>
struct LIMIT {
  static constexpr T MIN = std::numeric_limits<T>::min();
  static constexpr T MAX = std::numeric_limits<T>::max();
};

}  // namespace maxon

// Bit operators for an enum class of flags (GEMB::OK | GEMB::ICONEXCLAMATION).
#define MAXON_ENUM_FLAGS(E)                                           \
  ;                                                                   \
  constexpr E operator|(E a, E b) {                                   \
    return static_cast<E>(static_cast<std::underlying_type_t<E>>(a) | \
                          static_cast<std::underlying_type_t<E>>(b)); \
  }                                                                   \
  constexpr E operator&(E a, E b) {                                   \
    return static_cast<E>(static_cast<std::underlying_type_t<E>>(a) & \
                          static_cast<std::underlying_type_t<E>>(b)); \
  }                                                                   \
  static_assert(true, "")

// An enum class of plain values.
#define MAXON_ENUM_LIST(E) \
  ;                        \
  static_assert(true, "")

namespace cinema {

using maxon::Bool;
using maxon::Char;
using maxon::Float;
using maxon::Int;
using maxon::Int32;
using maxon::Int64;
using maxon::LIMIT;
using maxon::UInt;
using maxon::UInt32;

}  // namespace cinema

// The host's "no id / not found" value; also the id of an anonymous container.
#define NOTOK -1
