// fake_host.h - a small in-process host for checking the host layer on its
// own: service tables backed by plain maps, with a count of live objects.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "c4d_abi.h"

namespace fake {

struct ConsoleLine {
  std::string text;
  std::string file;
  int line;
  int flags;
  int level;
};

struct Host {
  std::map<std::string, int> live;  // live objects by kind
  std::vector<ConsoleLine> console;
  std::string lastResourceFolder;  // folder of the last LoadSet
  int registrations = 0;
  C4D_CommandRecord lastRecord = {};
  bool refuseRegistration = false;
  std::string frameworkLocation;  // "" : the host has no such framework
  std::string startupPath = "/host";
  int dialogsCreated = 0;
};

// The host of the running check; reset by Install.
Host& Current();

// A root with every table; `apiVersion` as given.
C4D_ServiceRoot MakeRoot(int apiVersion = C4D_API_VERSION);

// A host path object (counted) with the given text.
C4D_Filename* NewPath(const std::string& path);
void FreePath(C4D_Filename* path);

// Clears the host's state (live counts, console, options).
void Reset();

// The module's default-logger slot from g_maxon, resolved to the fake
// logger (or to NULL).
void ResolveLogger(bool present);

}  // namespace fake
