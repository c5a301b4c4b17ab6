// fuzz_support.h - what the fuzz targets share: reading the input as a stream
// of choices, scratch folders, and a simulated host driven one script line at
// a time (RunSession runs a whole script at once).
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

#include "core/host.h"
#include "core/script.h"
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

// A folder of this process's own, removed at exit: in memory where the
// system has such a folder (the targets write files for every input), else
// under the temporary folder.
inline const std::filesystem::path& ScratchDir(const char* target) {
  static const std::filesystem::path dir = [target] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    auto p = base /
             ("brevio-fuzz-" + std::string(target) + "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(p);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchDir(nullptr), ec);
    });
    return p;
  }();
  return dir;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  if (std::FILE* f = std::fopen(path.string().c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

// Reports a broken property with what reproduces it, then stops the run so
// that the fuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what, const std::string& context) {
  std::fprintf(stderr, "\nFUZZ PROPERTY BROKEN: %s\n%s\n", what.c_str(), context.c_str());
  std::abort();
}

// A simulated host session, driven one script line at a time.
class HostSession {
 public:
  explicit HostSession(const simhost::Options& options) : scope_(host_) {
    host_.options = options;
    host_.journal.echo = options.echo;
    host_.journal.logPath = options.logPath;
    host_.areas.push_back(simhost::MakeResourceArea());
    host_.areas.push_back(simhost::MakeDocumentArea());
    simhost::AddCoreActions(host_.actions);
    simhost::AddDialogActions(host_.actions);
    simhost::AddDocumentActions(host_.actions);
    host_.Start();
  }
  ~HostSession() { host_.Stop(); }
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Runs one script line as the user; false when the host could not carry
  // it out (a disabled gadget, no window, ...), which changes nothing.
  bool Act(const std::string& line) {
    script_ += line + "\n";
    std::vector<std::string> words;
    std::string error;
    if (!simhost::SplitWords(line, words, error) || words.empty()) return false;
    size_t consumed = 0;
    const simhost::ActionFn* action = host_.actions.Find(words, consumed);
    if (action == nullptr) return false;
    std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(consumed),
                                  words.end());
    return (*action)(host_, args, error);
  }
  void Stop() { host_.Stop(); }

  simhost::Host& Host() { return host_; }
  // Every line acted so far: a script for the `simhost` program.
  const std::string& Script() const { return script_; }

 private:
  simhost::Host host_;
  simhost::CurrentScope scope_;
  std::string script_;
};

}  // namespace brevio_fuzz
