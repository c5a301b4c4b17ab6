// fake_host.h - a small in-process host for checking the host layer on its
// own. Its service tables keep every object in one registry, so that a check
// can tell what the module still holds (a leak), what it gave back twice or
// used after giving it back, and whether it ever freed an object the host
// only lent (each such call is written down as a fault).
#pragma once

#include <array>
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

using Levels = std::vector<std::array<int32_t, 3>>;  // {id, data type, creator}

// A node message as the host read it while it was being delivered.
struct Message {
  C4D_Node* node = nullptr;
  int32_t type = 0;
  void* data = nullptr;
  // Messages 17 and 18: what the records pointed to.
  Levels levels;
  bool parentDialogNull = true;
  bool customGuiNull = true;
  int32_t msgId = 0;        // the action container's id (0: none)
  int32_t msgActionId = 0;  // its 'meid' entry
  int32_t containerId = 0;
  size_t containerEntries = 0;
  C4D_Document* doc = nullptr;
  int32_t drawFlags = 0;
};

// A plug-in registration as the host took it.
struct Registration {
  int32_t type = 0;
  int32_t id = 0;
  std::string name;
  std::string help;
  size_t recordSize = 0;
  int32_t apiVersion = 0;
  bool hadIcon = false;
  bool accepted = false;
  bool released = false;
  C4D_CommandRecord record = {};
};

struct Host {
  // Every call a real host would not survive, in words.
  std::vector<std::string> faults;
  int calls = 0;  // entries the module called, of any table

  // Failure injection: the next N creates of a kind ("container", "string",
  // "filename", "descid", "dialog", "bitmap", "memory") answer NULL.
  std::map<std::string, int> failCreates;

  std::vector<ConsoleLine> console;

  // Resources: the string table of every loaded set; LoadSet refuses the
  // folders listed in missingResourceFolders.
  std::map<int32_t, std::string> strings = {{20000, "Brevio"}, {20001, "Help text"}};
  std::vector<std::string> missingResourceFolders;
  std::vector<std::string> resourceLoads;  // folders of every LoadSet / LoadFromPluginFolder

  std::vector<Registration> registrations;
  bool refuseRegistration = false;

  std::string frameworkLocation;  // "": the host has no such framework
  std::string startupPath = "/host";

  int32_t imageResult = C4D_IMAGERESULT_OK;
  std::vector<std::pair<int32_t, double>> bitmapData;

  std::vector<Message> messages;
  int32_t messageAnswer = 1;
  std::vector<int32_t> setDataFlags;

  std::vector<std::pair<int32_t, int32_t>> commands;  // CallCommand: id, sub-id
  std::vector<int32_t> events;                        // EventAdd flags
  std::vector<std::string> executedFiles;

  std::vector<std::pair<int32_t, std::string>> messageBoxes;  // style, text
  int32_t messageBoxAnswer = 1;

  std::map<int32_t, C4D_Container*> prefs;  // host-owned
  bool refusePrefs = false;
};

// The host of the running check.
Host& Current();

// A root with every table; `apiVersion` as given.
C4D_ServiceRoot MakeRoot(int apiVersion = C4D_API_VERSION);
// A root whose tables hold every entry but declare a size that leaves all of
// them out: nothing may be called through it.
C4D_ServiceRoot MakeSizeOnlyRoot();

// Objects the module owns right now, by kind (zero counts left out).
std::map<std::string, int> LiveObjects();
int Live(const std::string& kind);

// Host-owned objects: the host keeps them; the module may only borrow them.
C4D_Filename* HostPath(const std::string& path);
C4D_Container* HostContainer(int32_t id);
// The host lets go of one of its own objects (it may not be in use).
void ReleaseHostObject(const void* object);

// Reading host objects, for the checks.
std::string TextOf(const C4D_String* s);
std::string PathOf(const C4D_Filename* f);
int32_t IntOf(const C4D_Container* c, int32_t id, int32_t def = -999);
size_t EntriesOf(const C4D_Container* c);
Levels LevelsOf(const C4D_DescID* d);

// Documents and nodes, all host-owned. The newest document is the active
// one; each node carries a settings container of its own.
C4D_Document* AddDocument();
C4D_Node* AddRenderData(C4D_Document* doc);
C4D_Node* AddVideoPost(C4D_Node* renderData, int32_t type);
C4D_Container* SettingsOf(C4D_Node* node);

// The host side of a dialog the module made.
const C4D_DialogCallbacks* CallbacksOf(C4D_Dialog* d);
void* ContextOf(C4D_Dialog* d);
struct DialogCall {
  int32_t type, pluginId, subId;
};
std::vector<DialogCall> OpensOf(C4D_Dialog* d);
std::vector<std::string> MenuOf(C4D_Dialog* d);

// The host lets go of every registered plug-in object (Destruct on each).
void ReleaseRegistrations();

// Frees the host's own objects and clears its state. Objects the module
// still owns are forgotten (a check reports them first).
void Reset();

// The module's default-logger slot from g_maxon, resolved to the fake
// logger (or to NULL).
void ResolveLogger(bool present);

}  // namespace fake
