// core_fixture.h - a host of its own for each unit test of the core, with
// helpers to read its event log.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "brevio_testing/support.h"
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
  const C4D_ContainerTable* bc_ = Current()->Tables().container;
  const C4D_StringTable* str_ = Current()->Tables().string;
  const C4D_FilenameTable* fn_ = Current()->Tables().filename;
  const C4D_MemoryTable* mem_ = Current()->Tables().memory;
  const C4D_PrefsTable* prefs_ = Current()->Tables().prefs;
};

// A fresh folder, removed with its contents at the end of the test.
using ScratchDir = brevio_testing::TempDir;

}  // namespace simhost
