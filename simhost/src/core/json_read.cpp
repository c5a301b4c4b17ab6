// json_read.cpp - strict JSON reading: the library's parser with a callback
// that bounds the depth and refuses duplicate keys.
#include "core/json_read.h"

#include <set>
#include <stdexcept>
#include <vector>

namespace simhost {

namespace {

using nlohmann::json;

struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The library's message without its "[json.exception.parse_error.101] " prefix.
std::string Plain(const std::string& what) {
  if (auto pos = what.find("] "); pos != std::string::npos) return what.substr(pos + 2);
  return what;
}

void Shallow(const json& j, int depth, std::string& out) {
  if (out.size() > 40) return;
  if (!j.is_structured()) {
    out += j.dump(-1, ' ', false, json::error_handler_t::replace);
    return;
  }
  const bool object = j.is_object();
  out += object ? "{" : "[";
  if (depth >= 2 && !j.empty()) {
    out += "...";
  } else {
    bool first = true;
    for (auto it = j.begin(); it != j.end() && out.size() <= 40; ++it) {
      if (!first) out += ",";
      first = false;
      if (object) out += json(it.key()).dump(-1, ' ', false, json::error_handler_t::replace) + ":";
      Shallow(*it, depth + 1, out);
    }
  }
  out += object ? "}" : "]";
}

}  // namespace

bool ReadJson(const std::string& text, json& out, std::string& error, size_t maxDepth,
              std::vector<std::vector<std::string>>* duplicates) {
  // One set of keys per object being read, innermost last, and the key
  // being read in each (its path).
  std::vector<std::set<std::string>> keys;
  std::vector<std::string> path;
  size_t depth = 0;
  auto check = [&](int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        if (++depth > maxDepth)
          throw Refused("nested deeper than " + std::to_string(maxDepth) + " levels");
        if (event == json::parse_event_t::object_start) {
          keys.emplace_back();
          path.emplace_back();
        }
        break;
      case json::parse_event_t::object_end:
        keys.pop_back();
        path.pop_back();
        --depth;
        break;
      case json::parse_event_t::array_end:
        --depth;
        break;
      case json::parse_event_t::key: {
        const std::string key = parsed.get<std::string>();
        if (keys.empty()) break;
        path.back() = key;
        if (keys.back().insert(key).second) break;
        if (duplicates == nullptr)
          throw Refused("the key \"" + key + "\" appears twice in one object");
        duplicates->push_back(path);
        break;
      }
      case json::parse_event_t::value:
        break;
    }
    return true;
  };
  try {
    out = json::parse(text, check);
  } catch (const Refused& e) {
    error = e.what();
    return false;
  } catch (const json::exception& e) {
    error = Plain(e.what());
    return false;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  return true;
}

std::string ShownJson(const json& j) {
  std::string s;
  Shallow(j, 0, s);
  if (s.size() > 40) s = s.substr(0, 37) + "...";
  return s;
}

}  // namespace simhost
