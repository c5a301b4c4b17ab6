// layer_fixture.h - what every check of the host layer shares: the module's
// life-cycle functions as a plug-in defines them, the entry as the host calls
// it, and a fixture that starts each check with a fresh host and ends it with
// nothing left behind.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "c4d.h"
#include "maxon/logger.h"

extern "C" C4D_ModuleInfo g_maxon;
extern "C" int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3);

namespace layertest {

// What the module's own life-cycle functions were asked and saw.
struct PluginLog {
  int starts = 0;
  int ends = 0;
  bool startAnswer = true;
  // Seen by PluginEnd: the end must come while the module still has them.
  std::string pathAtEnd;
  bool resourceAtEnd = false;
};
PluginLog& Plugin();

// c4d_main as the host calls it.
int Answer(int32_t action, void* p1 = nullptr, const void* p3 = nullptr);
// Message action 6 with the id in p1.
int SendModuleMessage(uintptr_t p1);

std::string Text(const maxon::String& s);
std::string Text(const cinema::Filename& f);

// Each check gets a fresh simulated host (sim_host.h) whose own tables the
// module is given; it ends with nothing left behind and no misuse reported.
class HostLayer : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Action 1 with `root` and `location`; counted for the tear-down.
  int Init();
  // One action 3.
  void End();

  // Copies of the host's tables, as taken at SetUp. `root` points to them, so
  // that a check may change an entry before Init.
  struct Tables {
    C4D_MemoryTable memory;
    C4D_ContainerTable container;
    C4D_StringTable string;
    C4D_FilenameTable filename;
    C4D_ResourceTable resource;
    C4D_BitmapTable bitmap;
    C4D_RegistrationTable registration;
    C4D_DialogTable dialog;
    C4D_DocumentTable document;
    C4D_CommandTable command;
    C4D_ConsoleTable console;
    C4D_PrefsTable prefs;
    C4D_SystemTable system;
  } tables;
  C4D_ServiceRoot root;
  C4D_Filename* location = nullptr;  // the host's: /plugins/Brevio
  int inits = 0;

  // Points `root` at copies of `base`'s tables.
  void TakeTables(const C4D_ServiceRoot& base);
};

}  // namespace layertest
