// fuzz_support.h - what the fuzz targets share: reading the input as a stream
// of choices, a scratch folder, and reporting a broken property. Sessions
// are simhost::Session, driven a line at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "brevio_testing/support.h"
#include "core/host.h"
#include "simhost/simhost.h"

namespace brevio_fuzz {

// The fuzzer's input read front to back as small choices; an exhausted
// input reads as zeros.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A number in [0, n) (n > 0).
  uint32_t Below(uint32_t n) { return n <= 256 ? Byte() % n : Int32() % n; }
  bool Chance(uint32_t oneIn) { return Below(oneIn) == 0; }
  int32_t Int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<int32_t>(v);
  }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<uint32_t>(N))];
  }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// A folder of this process's own for `target`, removed at exit (in memory
// where the system has such a folder: the targets write files for every
// input).
inline const std::filesystem::path& ScratchDir(const char* target) {
  static const brevio_testing::TempDir dir(std::string("fuzz-") + target, true);
  return dir.Path();
}

using brevio_testing::Quoted;
using brevio_testing::WriteFile;

// Reports a broken property with what reproduces it, then stops the run so
// that the fuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what, const std::string& context) {
  std::fprintf(stderr, "\nFUZZ PROPERTY BROKEN: %s\n%s\n", what.c_str(), context.c_str());
  std::abort();
}

}  // namespace brevio_fuzz
