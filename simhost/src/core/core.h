// core.h - the core's own state and the seams between its files: module
// loading, registration, preferences and the session driver.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/host.h"
#include "core/objects.h"
#include "platform/platform.h"

namespace simhost {

struct BitmapObj {
  std::string path;    // the file of the last InitFromFile ("" = none)
  bool image = false;  // holds a loaded image
  std::map<int32_t, double> data;
};

inline constexpr TypedKind<BitmapObj> kBitmapKind = Kind<BitmapObj>("bitmap");

// One module file, from its load to its unload.
struct Module {
  std::string path;    // the module file
  std::string folder;  // the folder that holds it, named like the file
  std::string name;
  std::string identity;
  platform::Library* library = nullptr;
  C4D_MainFn main = nullptr;
  FilenameObj* location = nullptr;  // host-owned, lent in action 1
  bool initialised = false;         // action 1 answered 1: it gets action 3 at the end
};

// A command the plug-in registered; the host owns its object.
struct RegisteredCommand {
  int32_t id = 0;
  std::string name;
  std::string help;
  C4D_CommandRecord record{};
  bool hasIcon = false;
  BitmapObj icon;  // the host's own copy
};

struct CoreState {
  std::vector<std::unique_ptr<Module>> modules;
  std::vector<RegisteredCommand> commands;

  // World plug-in preferences by plug-in id; the containers are host-owned
  // and keep their address while the session lasts.
  std::map<int32_t, std::unique_ptr<Container>> prefs;
  // The cells through which the plug-in's layer sees stored containers as
  // its own BaseContainer objects: one per id ever asked for, each holding
  // the handle of the container stored under that id (NULL: none).
  std::map<int32_t, std::unique_ptr<C4D_Container*>> prefsCells;
  bool prefsLoaded = false;
  bool prefsDirty = false;

  std::map<std::string, std::set<const void*>> hostObjects;
  std::set<const void*> readOnly;  // host objects lent for reading only
  C4D_ServiceRoot root{};
  char defaultLogger = 0;  // its address is the default logger's handle
  char layoutData = 0;     // its address is the layout data handed to RestoreLayout
  int64_t creations = 0;   // Create/Alloc calls counted for injected failures
  std::thread::id thread = std::this_thread::get_id();
  std::vector<int32_t> actions;  // c4d_main calls in progress, innermost last
  // Calls into the plug-in by id (PluginCall), kept while objects created
  // during them live, so that a leak can name the call that made it.
  std::map<uint64_t, std::string> callNames;
  uint64_t lastCall = 0;
  std::unique_ptr<std::mt19937_64> rng;
  int runs = 0;  // host runs started in this session
};

// c4d_main, with the entry event. `message` is logged for action 6.
int32_t CallMain(Host& host, Module& module, int32_t action, void* p1, void* p2, void* p3);
// Action 1 with the service root and module location as the options say.
int32_t CallInitSys(Host& host, Module& module);
// The service root as handed over in action 1 of this run.
C4D_ServiceRoot* ServiceRoot(Host& host);

// The handle of the default logger (NULL when the host has none).
C4D_Logger* DefaultLogger(Host& host);

// Module loading (loader.cpp).
// Reads a module's g_maxon: versions, identity, dependencies, and the
// references to resolve. Answers why the module is refused ("" = accepted).
std::string ReadDeclarations(Host& host, Module& module, const C4D_ModuleInfo* info,
                             std::vector<C4D_Declaration*>& references);
void LoadModules(Host& host);
void EndModules(Host& host);     // action 3
void UnloadModules(Host& host);  // dlclose and the module locations

// Command objects (registration.cpp).
void DestroyCommands(Host& host);

// Preferences (prefs.cpp).
std::string PrefsFile(const Options& options);
void LoadPrefs(Host& host);
// False (an error of the run) when the file cannot be written.
bool SavePrefs(Host& host);

bool IsValidUtf8(const std::string& s);

// Path text, '/' separated: `dir` joined with `name`, the folder that holds
// a path ("" for a bare name), and its last component.
std::string JoinPath(const std::string& dir, const std::string& name);
std::string DirectoryOf(const std::string& path);
std::string LastComponent(const std::string& path);

// How the host judges an image file: C4D_IMAGERESULT_OK for a readable TIFF
// (byte-order header "II*\0" or "MM\0*"), NOTEXISTING when it cannot be
// read, WRONGTYPE for anything else.
int32_t JudgeImageFile(const std::string& path);

// The frameworks this host has (module dependencies are checked against it).
const std::vector<std::string>& HostFrameworks();
std::string FrameworkFolder();  // where the host's built-in modules live

}  // namespace simhost
