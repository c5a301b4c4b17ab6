// objects.cpp - the typed JSON form of containers, and the text behind
// string and path handles.
#include "core/objects.h"

#include <cmath>
#include <limits>

#include "core/host.h"

namespace simhost {

namespace {

// JSON has no NaN or infinities; they are written as text.
nlohmann::json FloatToJson(double f) {
  if (std::isnan(f)) return "nan";
  if (std::isinf(f)) return f > 0 ? "inf" : "-inf";
  return f;
}

bool FloatFromJson(const nlohmann::json& j, double& out) {
  if (j.is_number()) {
    out = j.get<double>();
    return true;
  }
  if (j.is_string()) {
    const std::string s = j.get<std::string>();
    if (s == "nan")
      out = std::numeric_limits<double>::quiet_NaN();
    else if (s == "inf")
      out = std::numeric_limits<double>::infinity();
    else if (s == "-inf")
      out = -std::numeric_limits<double>::infinity();
    else
      return false;
    return true;
  }
  return false;
}

}  // namespace

const char* TypeName(const Value& v) {
  if (v.type == Value::Type::Float) return "float";
  return v.spelledBool ? "bool" : "int32";
}

nlohmann::json ToTypedJson(const Container& c) {
  nlohmann::json j = nlohmann::json::object();
  for (const auto& [id, value] : c.entries) {
    if (value.type == Value::Type::Float)
      j[std::to_string(id)] = {{"float", FloatToJson(value.f)}};
    else if (value.spelledBool)
      j[std::to_string(id)] = {{"bool", value.i != 0}};
    else
      j[std::to_string(id)] = {{"int32", value.i}};
  }
  return j;
}

bool FromTypedJson(const nlohmann::json& j, Container& out, std::string& error) {
  if (!j.is_object()) {
    error = "a container must be a JSON object of entries";
    return false;
  }
  std::map<int32_t, Value> entries;
  for (const auto& [key, typed] : j.items()) {
    const std::string where = "entry \"" + key + "\": ";
    int32_t id = 0;
    if (!ParseInt32(key, id)) {
      error = where + "the key is not a 32-bit integer id";
      return false;
    }
    if (entries.count(id) > 0) {
      error = where + "the id appears twice";
      return false;
    }
    if (!typed.is_object() || typed.size() != 1) {
      error = where + "expected one of {\"int32\": N}, {\"bool\": B}, {\"float\": X}";
      return false;
    }
    Value value;
    const std::string type = typed.begin().key();
    const nlohmann::json& v = typed.begin().value();
    if (type == "int32") {
      // An unsigned number above 2^63 would read as a negative one.
      if (!v.is_number_integer() ||
          (v.is_number_unsigned()
               ? v.get<uint64_t>() > uint64_t(std::numeric_limits<int32_t>::max())
               : (v.get<int64_t>() < std::numeric_limits<int32_t>::min() ||
                  v.get<int64_t>() > std::numeric_limits<int32_t>::max()))) {
        error = where + "int32 needs a whole number from -2147483648 to 2147483647";
        return false;
      }
      value = Value::Int32(static_cast<int32_t>(v.get<int64_t>()));
    } else if (type == "bool") {
      if (!v.is_boolean()) {
        error = where + "bool needs true or false";
        return false;
      }
      value = Value::Bool(v.get<bool>());
    } else if (type == "float") {
      if (!FloatFromJson(v, value.f)) {
        error = where + "float needs a number (or \"nan\", \"inf\", \"-inf\")";
        return false;
      }
      value.type = Value::Type::Float;
    } else {
      error = where + "unknown type \"" + type + "\" (int32, bool or float)";
      return false;
    }
    entries[id] = value;
  }
  out.entries = std::move(entries);
  return true;
}

std::string TextOf(const C4D_String* s) {
  return s == nullptr ? std::string() : reinterpret_cast<const StringObj*>(s)->utf8;
}

std::string PathOf(const C4D_Filename* f) {
  return f == nullptr ? std::string() : reinterpret_cast<const FilenameObj*>(f)->path;
}

}  // namespace simhost
