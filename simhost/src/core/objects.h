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

// One container entry, in the host's data model: a boolean is no type of
// its own but a 32-bit integer holding 0 or 1, so Int32 and Bool entries are
// one type; a floating value is another.
struct Value {
  enum class Type { Int32, Float };
  Type type = Type::Int32;
  int32_t i = 0;
  double f = 0.0;
  // How the entry was last written (SetBool, or "bool" in a file). Only the
  // typed JSON form reads it, so that files and the log keep their spelling;
  // to the host the entry is an Int32 like any other.
  bool spelledBool = false;

  static Value Int32(int32_t v) { return Value{Type::Int32, v, 0.0, false}; }
  static Value Bool(bool v) { return Value{Type::Int32, v ? 1 : 0, 0.0, true}; }
  static Value Float(double v) { return Value{Type::Float, 0, v, false}; }

  bool operator==(const Value& o) const {
    return type == o.type && (type == Type::Float ? f == o.f : i == o.i);
  }
};

// The name of an entry's data type as files spell it: "int32", "bool" or
// "float" (a boolean by its spelling).
const char* TypeName(const Value& v);

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
