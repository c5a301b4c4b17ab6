// objects.h - what the host's opaque handles point to. A C4D_Container* is a
// Container*, and so on: the host casts at the table boundary after checking
// the handle with the ledger (for objects the plug-in owns).
#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "c4d_abi.h"
#include "core/kind.h"

namespace simhost {

struct Value {
  enum class Type { Int32, Bool, Float };
  Type type = Type::Int32;
  int32_t i = 0;  // Int32 and Bool (0/1)
  double f = 0.0;
  bool operator==(const Value& o) const {
    return type == o.type && (type == Type::Float ? f == o.f : i == o.i);
  }
};

// A value of each type, as scenes, tests and the host's own messages write them.
inline Value IntValue(int32_t v) { return Value{Value::Type::Int32, v, 0.0}; }
inline Value BoolValue(bool v) { return Value{Value::Type::Bool, v ? 1 : 0, 0.0}; }
inline Value FloatValue(double v) { return Value{Value::Type::Float, 0, v}; }

struct Container {
  int32_t id = -1;
  std::map<int32_t, Value> entries;
  bool operator==(const Container& o) const { return id == o.id && entries == o.entries; }
};

struct StringObj {
  std::string utf8;
};

struct FilenameObj {
  std::string path;
};

inline constexpr TypedKind<Container> kContainerKind = Kind<Container>("container");
inline constexpr TypedKind<StringObj> kStringKind = Kind<StringObj>("string");
inline constexpr TypedKind<FilenameObj> kFilenameKind = Kind<FilenameObj>("filename");

inline Container* AsContainer(C4D_Container* c) { return reinterpret_cast<Container*>(c); }
inline const Container* AsContainer(const C4D_Container* c) {
  return reinterpret_cast<const Container*>(c);
}
inline C4D_Container* ToHandle(Container* c) { return reinterpret_cast<C4D_Container*>(c); }
inline const C4D_Container* ToHandle(const Container* c) {
  return reinterpret_cast<const C4D_Container*>(c);
}

// Typed JSON form, the same in scene files, preference files and the log:
// {"5008": {"float": 1920}, "5002": {"int32": 2}, "6018": {"bool": true}}
nlohmann::json ToTypedJson(const Container& c);
// Fills `out` (entries only); false with `error` naming the bad key.
bool FromTypedJson(const nlohmann::json& j, Container& out, std::string& error);

// Text of a host string or path handle ("" for NULL).
std::string TextOf(const C4D_String* s);
std::string PathOf(const C4D_Filename* f);

}  // namespace simhost
