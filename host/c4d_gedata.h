// c4d_gedata.h - GeData: one typed value, as bitmap data entries take it.
#pragma once

#include "maxon/apibase.h"

namespace cinema {

class GeData {
 public:
  enum class Type { NONE, LONG, REAL };

  GeData() = default;
  GeData(Int32 n) : _type(Type::LONG), _long(n) {}  // NOLINT(google-explicit-constructor)
  GeData(Float n) : _type(Type::REAL), _real(n) {}  // NOLINT(google-explicit-constructor)

  Type GetType() const { return _type; }
  Int32 GetInt32() const { return _type == Type::LONG ? _long : 0; }
  Float GetFloat() const { return _type == Type::REAL ? _real : static_cast<Float>(GetInt32()); }

 private:
  Type _type = Type::NONE;
  Int32 _long = 0;
  Float _real = 0.0;
};

}  // namespace cinema
