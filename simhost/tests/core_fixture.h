// core_fixture.h - a host of its own for each unit test of the core, with
// helpers to read its event log.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/core.h"

namespace simhost {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() : scope_(host_) {
    host_.options.echo = false;
    host_.journal.echo = false;
  }

  std::vector<nlohmann::json> Events(const std::string& name) const {
    std::vector<nlohmann::json> out;
    for (const auto& line : host_.journal.Events()) {
      nlohmann::json e = nlohmann::json::parse(line);
      if (e.value("event", "") == name) out.push_back(e);
    }
    return out;
  }
  size_t Misuses() const { return Events("misuse").size(); }

  Host host_;
  CurrentScope scope_;
  const C4D_ContainerTable* bc_ = ContainerTable();
  const C4D_StringTable* str_ = StringTable();
  const C4D_FilenameTable* fn_ = FilenameTable();
  const C4D_MemoryTable* mem_ = MemoryTable();
  const C4D_PrefsTable* prefs_ = PrefsTable();
};

// A fresh folder, removed with its contents at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("simhost-core-" + std::to_string(std::random_device{}()) + "-" +
             std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string Str() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace simhost
