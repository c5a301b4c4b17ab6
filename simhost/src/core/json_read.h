// json_read.h - the one way the host reads JSON files it did not write itself
// (scene files, preference files): strict, bounded, and without exceptions.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace simhost {

// Deeper than any file the host writes or documents (a scene nests four
// levels), and far below what a recursive walk of the value can survive.
constexpr size_t kMaxJsonDepth = 64;

// Parses `text`. False with `error` (no path; the caller adds it) for text
// that is not JSON, a number out of range (1e400), an object key that
// appears twice, or nesting deeper than `maxDepth`.
// With `duplicates`, a repeated key is not fatal: its path ("plugins",
// "1027069", "data", "7000") is added there and the caller decides.
bool ReadJson(const std::string& text, nlohmann::json& out, std::string& error,
              size_t maxDepth = kMaxJsonDepth,
              std::vector<std::vector<std::string>>* duplicates = nullptr);

// A short readable form of a JSON value for error texts, safe at any depth.
std::string ShownJson(const nlohmann::json& j);

}  // namespace simhost
