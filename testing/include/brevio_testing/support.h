// support.h - what the tests, the fuzz targets and the benchmarks share: a
// scratch folder of their own, paths quoted for a session script, and files
// written whole.
#pragma once

#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace brevio_testing {

// A fresh folder, removed with everything in it when the object goes. In
// memory where the system has such a folder (fuzz targets write files for
// every input), else under the temporary folder. `name` says whose it is.
class TempDir {
 public:
  explicit TempDir(std::string name = "brevio", bool inMemory = false) {
    static std::atomic<int> counter{0};
    for (char& c : name)
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!inMemory || !std::filesystem::is_directory(base, ec))
      base = std::filesystem::temp_directory_path();
    path_ = base / ("brevio-" + name + "-" + std::to_string(counter++) + "-" +
                    std::to_string(std::random_device{}()));
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    // A test may have taken the write permission away.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Str() const { return path_.generic_string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).generic_string(); }

 private:
  std::filesystem::path path_;
};

// A path as one word of a session script line ("..." with \" and \\).
inline std::string Quoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Writes `text` to `path` (its folder created), replacing what was there.
inline bool WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace brevio_testing
