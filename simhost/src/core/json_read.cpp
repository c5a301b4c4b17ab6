// json_read.cpp - strict JSON reading: the library's event (SAX) parser with
// a builder of our own that bounds the depth and refuses duplicate keys, in
// one pass (the library's callback parser rescans a container after each of
// its values, which made large files take quadratic time).
#include "core/json_read.h"

#include <exception>
#include <utility>
#include <vector>

namespace simhost {

namespace {

using nlohmann::json;

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

// Builds the value from the library's events, one pass and no rescans: the
// containers being read are kept on a stack, each object with the key being
// read in it (the path of a duplicate).
class Builder {
 public:
  Builder(json& root, size_t maxDepth, std::vector<std::vector<std::string>>* duplicates)
      : root_(root), maxDepth_(maxDepth), duplicates_(duplicates) {}

  const std::string& Error() const { return error_; }

  bool null() { return Value(nullptr); }
  bool boolean(bool v) { return Value(v); }
  bool number_integer(json::number_integer_t v) { return Value(v); }
  bool number_unsigned(json::number_unsigned_t v) { return Value(v); }
  bool number_float(json::number_float_t v, const json::string_t&) { return Value(v); }
  bool string(json::string_t& v) { return Value(std::move(v)); }
  bool binary(json::binary_t& v) { return Value(json::binary(std::move(v))); }
  bool start_object(size_t) { return Open(json::object()); }
  bool start_array(size_t) { return Open(json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(json::string_t& k) {
    Frame& top = stack_.back();
    top.key = std::move(k);
    if (!top.value->contains(top.key)) return true;
    if (duplicates_ == nullptr) {
      error_ = "the key \"" + top.key + "\" appears twice in one object";
      return false;
    }
    std::vector<std::string> path;
    for (const Frame& f : stack_)
      if (f.value->is_object()) path.push_back(f.key);
    duplicates_->push_back(std::move(path));
    return true;  // the later value replaces the earlier, as the library does
  }

  bool parse_error(size_t, const std::string&, const nlohmann::detail::exception& e) {
    error_ = Plain(e.what());
    return false;
  }

 private:
  struct Frame {
    json* value;
    std::string key;  // objects: the key being read
  };

  // Places `v` in the innermost container (or as the root); answers where.
  json* Place(json&& v) {
    if (stack_.empty()) {
      root_ = std::move(v);
      return &root_;
    }
    Frame& top = stack_.back();
    if (top.value->is_array()) {
      top.value->push_back(std::move(v));
      return &top.value->back();
    }
    json& slot = (*top.value)[top.key];
    slot = std::move(v);
    return &slot;
  }

  bool Value(json&& v) {
    Place(std::move(v));
    return true;
  }

  bool Open(json&& empty) {
    if (stack_.size() + 1 > maxDepth_) {
      error_ = "nested deeper than " + std::to_string(maxDepth_) + " levels";
      return false;
    }
    stack_.push_back({Place(std::move(empty)), std::string()});
    return true;
  }

  bool Close() {
    stack_.pop_back();
    return true;
  }

  json& root_;
  size_t maxDepth_;
  std::vector<std::vector<std::string>>* duplicates_;
  std::vector<Frame> stack_;
  std::string error_;
};

}  // namespace

bool ReadJson(const std::string& text, json& out, std::string& error, size_t maxDepth,
              std::vector<std::vector<std::string>>* duplicates) {
  // The library reads a NUL as the end of the text: whatever follows would
  // be ignored without a word.
  if (const size_t nul = text.find('\0'); nul != std::string::npos) {
    error = "a NUL byte at offset " + std::to_string(nul);
    return false;
  }
  Builder builder(out, maxDepth, duplicates);
  try {
    if (json::sax_parse(text, &builder)) return true;
    error = builder.Error();
  } catch (const std::exception& e) {  // memory, say: no exception leaves the reader
    error = e.what();
  }
  out = json();
  return false;
}

std::string ShownJson(const json& j) {
  std::string s;
  Shallow(j, 0, s);
  if (s.size() > 40) s = s.substr(0, 37) + "...";
  return s;
}

}  // namespace simhost
