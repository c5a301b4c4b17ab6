// sim_host.h - the simulated host, in-process, as the layer's checks meet it:
// one simhost host per check, whose own service tables the module gets, and
// what a check needs to set up host state or look at it. Plain C ABI types
// only, so that the checks compile with the module's flags and simhost's
// inside stays in sim_host.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "c4d_abi.h"

namespace hostsim {

using Levels = std::vector<std::array<int32_t, 3>>;  // {id, data type, creator}

// A fresh host for the check, made current and started (no modules: the
// check calls the entry itself). Stop ends the host run (its own leak check)
// and destroys the host with every host object made here.
void Start();
void Stop();

// Every misuse the host reported so far, as "rule call: text".
std::vector<std::string> Misuses();
// Table entries the module called so far.
uint64_t Calls();

// A root over the host's own tables; `apiVersion` as given.
C4D_ServiceRoot MakeRoot(int apiVersion = C4D_API_VERSION);
// A root whose tables hold every entry but declare a size that leaves all of
// them out: nothing may be called through it.
C4D_ServiceRoot MakeSizeOnlyRoot();

// Objects the module owns right now, by kind (zero counts left out).
std::map<std::string, int> LiveObjects();
int Live(const std::string& kind);

// The next creation of `kind` ("container", "string", "filename", "descid",
// "dialog", "bitmap", "memory") answers NULL, through the host's own
// allocation-failure option.
void FailNextCreate(const std::string& kind);

// Host-owned objects, lent to the module; the host keeps them until Stop.
C4D_Filename* HostPath(const std::string& path);
C4D_Container* HostContainer(int32_t id);
// The host lets go of one of its paths (it may not be in use).
void ReleaseHostPath(C4D_Filename* path);

// Reading host objects, for the checks (no table call is counted).
std::string TextOf(const C4D_String* s);
std::string PathOf(const C4D_Filename* f);
int32_t IntOf(const C4D_Container* c, int32_t id, int32_t def = -999);
size_t EntriesOf(const C4D_Container* c);
Levels LevelsOf(const C4D_DescID* d);
// The host writes into one of its containers.
void SetHostInt(C4D_Container* c, int32_t id, int32_t value);

// A new active document with render settings and post effects of the given
// types, in order (the previous document is retired).
struct Document {
  C4D_Document* doc = nullptr;
  C4D_Node* renderData = nullptr;
  std::vector<C4D_Node*> effects;
};
Document AddDocument(const std::vector<int32_t>& effectTypes = {});
C4D_Container* SettingsOf(C4D_Node* node);

// A stored preference container under `id`, lent writable (as the real
// host's is), so that a check sees the module write into it in place.
C4D_Container* StorePrefs(int32_t id);

// What the host last took for entry `id` of a bitmap (-1: nothing).
double BitmapData(const C4D_Bitmap* b, int32_t id);

// A file of the check's own, in a folder removed at Stop; answers its path.
std::string ScratchFile(const std::string& name, const std::string& bytes);

// A plug-in folder <scratch>/<name> whose res folder holds the given string
// table (none: no res folder at all); answers its path.
std::string PluginFolder(const std::string& name, const std::map<int32_t, std::string>& strings);
// The folder the host starts from, and the one its built-in modules lie in.
std::string StartupFolder();
std::string ModulesFolder();
// The res folder a loaded resource set came from ("" when it is none).
std::string FolderOf(const C4D_Resource* r);

// The events of one name in the host's log, in order: per event, the values
// of `keys` as compact JSON, separated by spaces ("-" for a key it lacks).
std::vector<std::string> Events(const std::string& name, const std::vector<std::string>& keys);
// Misuses reported since the last call (or Start), taken out of what the
// fixture reports at its end: for a check that expects one.
std::vector<std::string> TakeMisuses();

// While one lives, the host is running action 2 (the start), the phase in
// which plug-ins register.
class DuringStart {
 public:
  DuringStart();
  ~DuringStart();
  DuringStart(const DuringStart&) = delete;
  DuringStart& operator=(const DuringStart&) = delete;
};
// The host's option that refuses every registration.
void RefuseRegistrations(bool refuse);
// A command the host took, with the host's copy of its record (its help
// text and icon are the host's own, so the record holds NULL for them).
struct Command {
  int32_t id = 0;
  std::string name;
  std::string help;
  bool hasIcon = false;
  C4D_CommandRecord record = {};
};
std::vector<Command> Commands();
// The host's option that refuses to store preferences.
void RefusePrefsSave(bool refuse);

// The module's own plug-in folder in the source tree, its res folder in it.
std::string ModuleFolder();

// The host side of a dialog the module made.
struct DialogSide {
  const C4D_DialogCallbacks* callbacks = nullptr;
  void* ctx = nullptr;
  bool open = false;  // its window is open
  int32_t pluginId = 0;
  int32_t subId = 0;
  // The window's menu bar: "sub TITLE", "string ID TEXT", "separator",
  // "command ID", "end" (of a sub-menu), and "finished" once it was.
  std::vector<std::string> menu;
};
DialogSide DialogOf(C4D_Dialog* d);
// The items of a combo box of the dialog's window, as "ID TEXT".
std::vector<std::string> ItemsOf(C4D_Dialog* d, int32_t gadget);

// The host lets go of every registered plug-in object (Destruct on each).
void ReleaseRegistrations();

// The module's default-logger slot from g_maxon, resolved to the host's
// default logger (or to NULL).
void ResolveLogger(bool present);

}  // namespace hostsim
