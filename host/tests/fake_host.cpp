// fake_host.cpp - the tables of the in-process host.
#include "fake_host.h"

#include <cstdlib>
#include <cstring>
#include <utility>

struct C4D_String {
  std::string s;
};
struct C4D_Filename {
  std::string p;
};
struct C4D_Container {
  int32_t id;
  std::map<int32_t, std::pair<int, double>> v;  // type (1 int, 2 bool, 3 float), value
};
struct C4D_Resource {
  std::string folder;
};
struct C4D_Bitmap {
  int unused;
};
struct C4D_Dialog {
  const C4D_DialogCallbacks* cb;
  void* ctx;
  std::map<int32_t, int32_t> values;
  std::vector<fake::DialogCall> opens;
  std::vector<std::string> menu;
};
struct C4D_Logger {
  int unused;
};
struct C4D_DescID {
  fake::Levels levels;
};
struct C4D_Node {
  int32_t type;
  int32_t bits;
  C4D_Container* settings;
  C4D_Node* next;
  C4D_Node* firstVideoPost;
};
struct C4D_Document {
  C4D_Node* renderData;
};

extern "C" C4D_ModuleInfo g_maxon;

namespace fake {
namespace {

// Kept on the heap and never destroyed: the module's own static objects may
// still give objects back while the process ends.
Host& H() {
  static Host* host = new Host;
  return *host;
}

struct Entry {
  const char* kind;
  bool hostOwned;
  void (*destroy)(void*);
};
std::map<void*, Entry>& Registry() {
  static auto* registry = new std::map<void*, Entry>;
  return *registry;
}
std::vector<C4D_Document*>& Documents() {
  static auto* documents = new std::vector<C4D_Document*>;
  return *documents;
}

C4D_Logger g_logger;

void Enter() { ++H().calls; }
void Fault(const std::string& what) { H().faults.push_back(what); }

template <class T>
void DestroyAs(void* p) {
  delete static_cast<T*>(p);
}
void DestroyBlock(void* p) { std::free(p); }

bool Refused(const char* kind) {
  int& left = H().failCreates[kind];
  if (left <= 0) return false;
  --left;
  return true;
}

template <class T>
T* Make(const char* kind, T value, bool hostOwned = false) {
  if (!hostOwned && Refused(kind)) return nullptr;
  T* p = new T(std::move(value));
  Registry()[p] = {kind, hostOwned, &DestroyAs<T>};
  return p;
}

// Is `p` a live object of `kind`? A call with anything else is a fault.
bool Valid(const char* entry, const char* kind, const void* p) {
  if (p == nullptr) {
    Fault(std::string(entry) + ": NULL " + kind);
    return false;
  }
  auto it = Registry().find(const_cast<void*>(p));
  if (it == Registry().end() || std::strcmp(it->second.kind, kind) != 0) {
    Fault(std::string(entry) + ": not a live " + kind);
    return false;
  }
  return true;
}

void Drop(const char* entry, const char* kind, void* p) {
  Enter();
  if (!Valid(entry, kind, p)) return;
  auto it = Registry().find(p);
  if (it->second.hostOwned) {
    Fault(std::string(entry) + ": frees the host's own " + kind);
    return;
  }
  it->second.destroy(p);
  Registry().erase(it);
}

// ---- memory
void* Alloc(size_t n) {
  Enter();
  if (Refused("memory")) return nullptr;
  void* p = std::calloc(1, n == 0 ? 1 : n);
  Registry()[p] = {"memory", false, &DestroyBlock};
  return p;
}
void Free(void* p) {
  if (p != nullptr) Drop("Memory.Free", "memory", p);
}
const C4D_MemoryTable kMemory = {sizeof(C4D_MemoryTable), Alloc, Free};

// ---- containers
C4D_Container* CCreate(int32_t id) {
  Enter();
  return Make("container", C4D_Container{id, {}});
}
void CFree(C4D_Container* c) { Drop("Container.Free", "container", c); }
int32_t CGetId(const C4D_Container* c) {
  Enter();
  return Valid("Container.GetId", "container", c) ? c->id : -999;
}
void CCopy(const C4D_Container* s, C4D_Container* d) {
  Enter();
  if (!Valid("Container.CopyTo", "container", s) || !Valid("Container.CopyTo", "container", d))
    return;
  d->id = s->id;
  d->v = s->v;
}
template <int Type, class T>
T Get(const char* entry, const C4D_Container* c, int32_t id, T def) {
  Enter();
  if (!Valid(entry, "container", c)) return def;
  auto it = c->v.find(id);
  return it != c->v.end() && it->second.first == Type ? static_cast<T>(it->second.second) : def;
}
int32_t CGetI(const C4D_Container* c, int32_t id, int32_t def) {
  return Get<1>("Container.GetInt32", c, id, def);
}
int32_t CGetB(const C4D_Container* c, int32_t id, int32_t def) {
  return Get<2>("Container.GetBool", c, id, def);
}
double CGetF(const C4D_Container* c, int32_t id, double def) {
  return Get<3>("Container.GetFloat", c, id, def);
}
void Set(const char* entry, C4D_Container* c, int32_t id, int type, double value) {
  Enter();
  if (Valid(entry, "container", c)) c->v[id] = {type, value};
}
void CSetI(C4D_Container* c, int32_t id, int32_t v) { Set("Container.SetInt32", c, id, 1, v); }
void CSetB(C4D_Container* c, int32_t id, int32_t v) { Set("Container.SetBool", c, id, 2, v != 0); }
void CSetF(C4D_Container* c, int32_t id, double v) { Set("Container.SetFloat", c, id, 3, v); }
const C4D_ContainerTable kContainer = {sizeof(C4D_ContainerTable),
                                       CCreate,
                                       CFree,
                                       CGetId,
                                       CCopy,
                                       CGetI,
                                       CGetB,
                                       CGetF,
                                       CSetI,
                                       CSetB,
                                       CSetF};

// ---- strings
C4D_String* NewString(const std::string& text) { return Make("string", C4D_String{text}); }
C4D_String* SCreate(const char* u) {
  Enter();
  return NewString(u != nullptr ? u : "");
}
void SFree(C4D_String* s) { Drop("String.Free", "string", s); }
size_t SGet(const C4D_String* s, char* b, size_t cap) {
  Enter();
  if (!Valid("String.GetUtf8", "string", s)) return 0;
  if (b != nullptr && cap > 0) {
    const size_t n = s->s.size() < cap - 1 ? s->s.size() : cap - 1;
    std::memcpy(b, s->s.data(), n);
    b[n] = '\0';
  }
  return s->s.size();
}
const C4D_StringTable kString = {sizeof(C4D_StringTable), SCreate, SFree, SGet};

// ---- file names
C4D_Filename* NewPath(const std::string& path) { return Make("filename", C4D_Filename{path}); }
C4D_Filename* FCreate() {
  Enter();
  return NewPath("");
}
void FFree(C4D_Filename* f) { Drop("Filename.Free", "filename", f); }
void FCopy(C4D_Filename* d, const C4D_Filename* s) {
  Enter();
  if (Valid("Filename.CopyFrom", "filename", d) && Valid("Filename.CopyFrom", "filename", s))
    d->p = s->p;
}
void FSet(C4D_Filename* d, const char* u) {
  Enter();
  if (Valid("Filename.SetUtf8", "filename", d)) d->p = u != nullptr ? u : "";
}
C4D_Filename* FJoin(const C4D_Filename* d, const char* n) {
  Enter();
  if (!Valid("Filename.Join", "filename", d) || n == nullptr) return nullptr;
  return NewPath(d->p.empty() ? n : d->p + "/" + n);
}
C4D_Filename* FDir(const C4D_Filename* f) {
  Enter();
  if (!Valid("Filename.GetDirectory", "filename", f)) return nullptr;
  const size_t slash = f->p.rfind('/');
  return NewPath(slash == std::string::npos ? "" : f->p.substr(0, slash));
}
C4D_String* FStr(const C4D_Filename* f) {
  Enter();
  return Valid("Filename.GetString", "filename", f) ? NewString(f->p) : nullptr;
}
C4D_String* FFile(const C4D_Filename* f) {
  Enter();
  if (!Valid("Filename.GetFileString", "filename", f)) return nullptr;
  const size_t slash = f->p.rfind('/');
  return NewString(slash == std::string::npos ? f->p : f->p.substr(slash + 1));
}
int32_t FEmpty(const C4D_Filename* f) {
  Enter();
  return !Valid("Filename.IsEmpty", "filename", f) || f->p.empty();
}
int32_t FEq(const C4D_Filename* a, const C4D_Filename* b) {
  Enter();
  return Valid("Filename.Equal", "filename", a) && Valid("Filename.Equal", "filename", b) &&
         a->p == b->p;
}
const C4D_FilenameTable kFilename = {
    sizeof(C4D_FilenameTable), FCreate, FFree, FCopy, FSet, FJoin, FDir, FStr, FFile, FEmpty, FEq};

// ---- resources
C4D_Resource* LoadFrom(const std::string& folder) {
  H().resourceLoads.push_back(folder);
  for (const std::string& missing : H().missingResourceFolders)
    if (missing == folder) return nullptr;
  return Make("resource", C4D_Resource{folder});
}
C4D_Resource* RLoad(const C4D_Filename* f) {
  Enter();
  return Valid("Resource.LoadSet", "filename", f) ? LoadFrom(f->p) : nullptr;
}
C4D_Resource* RLoadPlugin(const C4D_Filename* f) {
  Enter();
  return Valid("Resource.LoadFromPluginFolder", "filename", f) ? LoadFrom(f->p + "/res") : nullptr;
}
void RFree(C4D_Resource* r) { Drop("Resource.Free", "resource", r); }
C4D_String* RStr(const C4D_Resource* r, int32_t id) {
  Enter();
  if (r == nullptr || !Valid("Resource.LoadString", "resource", r)) return NewString("");
  auto it = H().strings.find(id);
  return NewString(it != H().strings.end() ? it->second : "");
}
const C4D_ResourceTable kResource = {sizeof(C4D_ResourceTable), RLoad, RLoadPlugin, RFree, RStr};

// ---- bitmaps
C4D_Bitmap* BCreate() {
  Enter();
  return Make("bitmap", C4D_Bitmap{});
}
void BFree(C4D_Bitmap* b) { Drop("Bitmap.Free", "bitmap", b); }
int32_t BInit(C4D_Bitmap* b, const C4D_Filename* f) {
  Enter();
  if (!Valid("Bitmap.InitFromFile", "bitmap", b) || !Valid("Bitmap.InitFromFile", "filename", f))
    return C4D_IMAGERESULT_NOTEXISTING;
  return H().imageResult;
}
void BSet(C4D_Bitmap* b, int32_t id, double value) {
  Enter();
  if (Valid("Bitmap.SetData", "bitmap", b)) H().bitmapData.push_back({id, value});
}
const C4D_BitmapTable kBitmap = {sizeof(C4D_BitmapTable), BCreate, BFree, BInit, BSet};

// ---- registration
int32_t Register(int32_t type, int32_t id, const C4D_String* name, const void* record, size_t size,
                 int32_t apiVersion) {
  Enter();
  if (!Valid("Registration.RegisterPlugin", "string", name) || record == nullptr) return 0;
  Registration reg;
  reg.type = type;
  reg.id = id;
  reg.name = name->s;
  reg.recordSize = size;
  reg.apiVersion = apiVersion;
  std::memcpy(&reg.record, record, size < sizeof(C4D_CommandRecord) ? size : sizeof(reg.record));
  // The host takes its own copies now; the module may let go of them after.
  if (Valid("Registration.RegisterPlugin", "string", reg.record.help))
    reg.help = reg.record.help->s;
  reg.hadIcon =
      reg.record.icon != nullptr && Valid("Registration.RegisterPlugin", "bitmap", reg.record.icon);
  // The object must come from the host's allocator: the host gives it back there.
  Valid("Registration.RegisterPlugin", "memory", reg.record.object);
  reg.accepted = !H().refuseRegistration;
  if (!reg.accepted && reg.record.Destruct != nullptr) reg.record.Destruct(reg.record.object);
  H().registrations.push_back(reg);
  return reg.accepted ? 1 : 0;
}
const C4D_RegistrationTable kRegistration = {sizeof(C4D_RegistrationTable), Register};

// ---- dialogs
C4D_Dialog* DCreate(const C4D_DialogCallbacks* cb, void* ctx) {
  Enter();
  if (cb == nullptr || cb->size < sizeof(C4D_DialogCallbacks)) {
    Fault("Dialog.Create: incomplete callbacks");
    return nullptr;
  }
  return Make("dialog", C4D_Dialog{cb, ctx, {}, {}, {}});
}
void DFree(C4D_Dialog* d) { Drop("Dialog.Free", "dialog", d); }
bool Dlg(const char* entry, const C4D_Dialog* d) {
  Enter();
  return Valid(entry, "dialog", d);
}
int32_t DOpen(C4D_Dialog* d, int32_t type, int32_t pluginId, int32_t, int32_t, int32_t, int32_t,
              int32_t subId) {
  if (!Dlg("Dialog.Open", d)) return 0;
  d->opens.push_back({type, pluginId, subId});
  return d->cb->CreateLayout(d->ctx) && d->cb->InitValues(d->ctx);
}
int32_t DRestore(C4D_Dialog* d, int32_t, int32_t, void*) { return Dlg("Dialog.RestoreLayout", d); }
int32_t DClose(C4D_Dialog* d) { return Dlg("Dialog.Close", d); }
int32_t DLoad(C4D_Dialog* d, int32_t, const C4D_Resource* r, int32_t) {
  if (!Dlg("Dialog.LoadDialogResource", d)) return 0;
  return r != nullptr && Valid("Dialog.LoadDialogResource", "resource", r);
}
int32_t MenuEntry(const char* entry, C4D_Dialog* d, const std::string& what) {
  if (!Dlg(entry, d)) return 0;
  d->menu.push_back(what);
  return 1;
}
std::string Text(const char* entry, const C4D_String* s) {
  return Valid(entry, "string", s) ? s->s : "?";
}
int32_t DFreeChildren(C4D_Dialog* d, int32_t g) {
  return MenuEntry("Dialog.FreeChildren", d, "children " + std::to_string(g) + " cleared");
}
int32_t DAddChild(C4D_Dialog* d, int32_t g, int32_t item, const C4D_String* text) {
  return MenuEntry("Dialog.AddChild", d,
                   "child " + std::to_string(g) + " " + std::to_string(item) + " " +
                       Text("Dialog.AddChild", text));
}
int32_t DMenuFlush(C4D_Dialog* d) { return MenuEntry("Dialog.MenuFlushAll", d, "flush"); }
int32_t DMenuSub(C4D_Dialog* d, const C4D_String* t) {
  return MenuEntry("Dialog.MenuSubBegin", d, "sub " + Text("Dialog.MenuSubBegin", t));
}
int32_t DMenuString(C4D_Dialog* d, int32_t id, const C4D_String* t) {
  return MenuEntry("Dialog.MenuAddString", d,
                   "string " + std::to_string(id) + " " + Text("Dialog.MenuAddString", t));
}
int32_t DMenuSeparator(C4D_Dialog* d) {
  return MenuEntry("Dialog.MenuAddSeparator", d, "separator");
}
int32_t DMenuCommand(C4D_Dialog* d, int32_t id) {
  return MenuEntry("Dialog.MenuAddCommand", d, "command " + std::to_string(id));
}
int32_t DMenuEnd(C4D_Dialog* d) { return MenuEntry("Dialog.MenuSubEnd", d, "end"); }
int32_t DMenuFinished(C4D_Dialog* d) { return MenuEntry("Dialog.MenuFinished", d, "finished"); }
int32_t DSetI(C4D_Dialog* d, int32_t g, int32_t v, int32_t, int32_t, int32_t, int32_t) {
  if (!Dlg("Dialog.SetInt32", d)) return 0;
  d->values[g] = v;
  return 1;
}
int32_t DSetB(C4D_Dialog* d, int32_t g, int32_t v, int32_t) {
  if (!Dlg("Dialog.SetBool", d)) return 0;
  d->values[g] = v;
  return 1;
}
int32_t DGet(C4D_Dialog* d, int32_t g, int32_t* out) {
  if (!Dlg("Dialog.Get", d)) return 0;
  auto it = d->values.find(g);
  if (it == d->values.end()) return 0;
  *out = it->second;
  return 1;
}
int32_t DEnable(C4D_Dialog* d, int32_t, int32_t) { return Dlg("Dialog.Enable", d); }
const C4D_DialogTable kDialog = {sizeof(C4D_DialogTable),
                                 DCreate,
                                 DFree,
                                 DOpen,
                                 DRestore,
                                 DClose,
                                 DLoad,
                                 DFreeChildren,
                                 DAddChild,
                                 DMenuFlush,
                                 DMenuSub,
                                 DMenuString,
                                 DMenuSeparator,
                                 DMenuCommand,
                                 DMenuEnd,
                                 DMenuFinished,
                                 DSetI,
                                 DSetB,
                                 DGet,
                                 DGet,
                                 DEnable};

// ---- documents, nodes, parameter identifiers
bool Node(const char* entry, const C4D_Node* node) {
  Enter();
  return Valid(entry, "node", node);
}
C4D_Document* GetActiveDocument() {
  Enter();
  return Documents().empty() ? nullptr : Documents().back();
}
C4D_Node* GetActiveRenderData(C4D_Document* doc) {
  Enter();
  return Valid("Document.GetActiveRenderData", "document", doc) ? doc->renderData : nullptr;
}
C4D_Container* GetDataInstance(C4D_Node* node) {
  return Node("Document.GetDataInstance", node) ? node->settings : nullptr;
}
int32_t SetData(C4D_Node* node, const C4D_Container* bc, int32_t flags) {
  if (!Node("Document.SetData", node) || !Valid("Document.SetData", "container", bc)) return 0;
  H().setDataFlags.push_back(flags);
  if ((flags & C4D_SETDATA_MERGE) == 0) node->settings->v.clear();
  for (const auto& [id, value] : bc->v) node->settings->v[id] = value;
  return 1;
}
void Decode(Message& m) {
  const char* entry = "Document.SendMessage";
  if (m.type == C4D_MSG_DESCRIPTION_COMMAND) {
    if (m.data == nullptr) return Fault("message 18 without its record");
    const auto* r = static_cast<const C4D_DescriptionCommand*>(m.data);
    if (Valid(entry, "descid", r->id)) m.levels = r->id->levels;
    m.parentDialogNull = r->parentDialog == nullptr;
    m.customGuiNull = r->customGui == nullptr;
    if (r->msg != nullptr && Valid(entry, "container", r->msg)) {
      m.msgId = r->msg->id;
      m.msgActionId = IntOf(r->msg, C4D_BFM_ACTION_ID, 0);
    }
    if (Valid(entry, "container", r->container)) {
      m.containerId = r->container->id;
      m.containerEntries = r->container->v.size();
    }
  } else if (m.type == C4D_MSG_DESCRIPTION_CHECKUPDATE) {
    if (m.data == nullptr) return Fault("message 17 without its record");
    const auto* r = static_cast<const C4D_DescriptionCheckUpdate*>(m.data);
    if (r->doc != nullptr && Valid(entry, "document", r->doc)) m.doc = r->doc;
    m.drawFlags = r->drawFlags;
    if (Valid(entry, "descid", r->descid)) m.levels = r->descid->levels;
  }
}
int32_t SendMessage(C4D_Node* node, int32_t type, void* data) {
  if (!Node("Document.SendMessage", node)) return 0;
  Message m;
  m.node = node;
  m.type = type;
  m.data = data;
  Decode(m);
  H().messages.push_back(m);
  return H().messageAnswer;
}
C4D_Node* GetFirstVideoPost(C4D_Node* rd) {
  return Node("Document.GetFirstVideoPost", rd) ? rd->firstVideoPost : nullptr;
}
C4D_Node* GetNext(C4D_Node* node) { return Node("Document.GetNext", node) ? node->next : nullptr; }
int32_t GetType(const C4D_Node* node) { return Node("Document.GetType", node) ? node->type : 0; }
int32_t GetAllBits(const C4D_Node* node) {
  return Node("Document.GetAllBits", node) ? node->bits : 0;
}
void SetAllBits(C4D_Node* node, int32_t bits) {
  if (Node("Document.SetAllBits", node)) node->bits = bits;
}
C4D_DescID* DescIDCreate() {
  Enter();
  return Make("descid", C4D_DescID{});
}
void DescIDFree(C4D_DescID* d) { Drop("Document.DescIDFree", "descid", d); }
void DescIDPushLevel(C4D_DescID* d, int32_t id, int32_t dtype, int32_t creator) {
  Enter();
  if (Valid("Document.DescIDPushLevel", "descid", d)) d->levels.push_back({id, dtype, creator});
}
void DescIDCopy(C4D_DescID* dst, const C4D_DescID* src) {
  Enter();
  if (Valid("Document.DescIDCopy", "descid", dst) && Valid("Document.DescIDCopy", "descid", src))
    dst->levels = src->levels;
}
C4D_Container* const* GetDataInstanceCell(C4D_Node* node) {
  return Node("Document.GetDataInstanceCell", node) ? &node->settings : nullptr;
}
const C4D_DocumentTable kDocument = {sizeof(C4D_DocumentTable),
                                     GetActiveDocument,
                                     GetActiveRenderData,
                                     GetDataInstance,
                                     SetData,
                                     SendMessage,
                                     GetFirstVideoPost,
                                     GetNext,
                                     GetType,
                                     GetAllBits,
                                     SetAllBits,
                                     DescIDCreate,
                                     DescIDFree,
                                     DescIDPushLevel,
                                     DescIDCopy,
                                     GetDataInstanceCell};

// ---- commands, events, console
void CallCommand(int32_t id, int32_t subId) {
  Enter();
  H().commands.push_back({id, subId});
}
void EventAdd(int32_t flags) {
  Enter();
  H().events.push_back(flags);
}
const C4D_CommandTable kCommand = {sizeof(C4D_CommandTable), CallCommand, EventAdd};

int32_t WriteLine(C4D_Logger* logger, const C4D_String* text, const char* file, int32_t line,
                  int32_t flags, int32_t level) {
  Enter();
  if (logger != &g_logger) Fault("Console.WriteLine: not the resolved logger");
  if (!Valid("Console.WriteLine", "string", text)) return 0;
  H().console.push_back({text->s, file != nullptr ? file : "", line, flags, level});
  return 1;
}
const C4D_ConsoleTable kConsole = {sizeof(C4D_ConsoleTable), WriteLine};

// ---- preferences
C4D_Container* GetWorldPluginData(int32_t id) {
  Enter();
  auto it = H().prefs.find(id);
  return it != H().prefs.end() ? it->second : nullptr;
}
int32_t SetWorldPluginData(int32_t id, const C4D_Container* bc, int32_t add) {
  Enter();
  if (!Valid("Prefs.SetWorldPluginData", "container", bc) || H().refusePrefs) return 0;
  C4D_Container*& stored = H().prefs[id];
  if (stored == nullptr) stored = HostContainer(bc->id);
  if (add == 0) stored->v.clear();
  for (const auto& [key, value] : bc->v) stored->v[key] = value;
  return 1;
}
C4D_Container* const* GetWorldPluginDataCell(int32_t id) {
  Enter();
  auto it = H().prefs.find(id);
  return it != H().prefs.end() ? &it->second : nullptr;
}
const C4D_PrefsTable kPrefs = {sizeof(C4D_PrefsTable), GetWorldPluginData, SetWorldPluginData,
                               GetWorldPluginDataCell};

// ---- system
C4D_Filename* Startup() {
  Enter();
  return NewPath(H().startupPath);
}
C4D_Filename* Framework(const char* id) {
  Enter();
  if (id == nullptr || std::strcmp(id, C4D_CINEMA_FRAMEWORK_ID) != 0 ||
      H().frameworkLocation.empty())
    return nullptr;
  return NewPath(H().frameworkLocation);
}
int32_t Execute(const C4D_Filename* f) {
  Enter();
  if (!Valid("System.ExecuteFile", "filename", f)) return 0;
  H().executedFiles.push_back(f->p);
  return 1;
}
int32_t Box(int32_t style, const C4D_String* text) {
  Enter();
  H().messageBoxes.push_back({style, Text("System.MessageDialog", text)});
  return H().messageBoxAnswer;
}
const C4D_SystemTable kSystem = {sizeof(C4D_SystemTable), Startup, Framework, Execute, Box};

template <class Table>
const Table* SizeOnly(const Table& table) {
  static Table copy = table;
  copy.size = sizeof(uint32_t);
  return &copy;
}

}  // namespace

Host& Current() { return H(); }

C4D_ServiceRoot MakeRoot(int apiVersion) {
  C4D_ServiceRoot root = {};
  root.apiVersion = apiVersion;
  root.tableCount = C4D_SERVICE_TABLE_COUNT;
  root.memory = &kMemory;
  root.container = &kContainer;
  root.string = &kString;
  root.filename = &kFilename;
  root.resource = &kResource;
  root.bitmap = &kBitmap;
  root.registration = &kRegistration;
  root.dialog = &kDialog;
  root.document = &kDocument;
  root.command = &kCommand;
  root.console = &kConsole;
  root.prefs = &kPrefs;
  root.system = &kSystem;
  return root;
}

C4D_ServiceRoot MakeSizeOnlyRoot() {
  C4D_ServiceRoot root = MakeRoot();
  root.memory = SizeOnly(kMemory);
  root.container = SizeOnly(kContainer);
  root.string = SizeOnly(kString);
  root.filename = SizeOnly(kFilename);
  root.resource = SizeOnly(kResource);
  root.bitmap = SizeOnly(kBitmap);
  root.registration = SizeOnly(kRegistration);
  root.dialog = SizeOnly(kDialog);
  root.document = SizeOnly(kDocument);
  root.command = SizeOnly(kCommand);
  root.console = SizeOnly(kConsole);
  root.prefs = SizeOnly(kPrefs);
  root.system = SizeOnly(kSystem);
  return root;
}

std::map<std::string, int> LiveObjects() {
  std::map<std::string, int> live;
  for (const auto& [object, entry] : Registry())
    if (!entry.hostOwned) live[entry.kind]++;
  return live;
}

int Live(const std::string& kind) {
  const std::map<std::string, int> live = LiveObjects();
  auto it = live.find(kind);
  return it != live.end() ? it->second : 0;
}

C4D_Filename* HostPath(const std::string& path) {
  return Make("filename", C4D_Filename{path}, true);
}

C4D_Container* HostContainer(int32_t id) { return Make("container", C4D_Container{id, {}}, true); }

void ReleaseHostObject(const void* object) {
  auto it = Registry().find(const_cast<void*>(object));
  if (it == Registry().end() || !it->second.hostOwned) return;
  it->second.destroy(it->first);
  Registry().erase(it);
}

std::string TextOf(const C4D_String* s) {
  return Valid("check", "string", s) ? s->s : std::string("<not a string>");
}
std::string PathOf(const C4D_Filename* f) {
  return Valid("check", "filename", f) ? f->p : std::string("<not a path>");
}
int32_t IntOf(const C4D_Container* c, int32_t id, int32_t def) {
  if (!Valid("check", "container", c)) return def;
  auto it = c->v.find(id);
  return it != c->v.end() && it->second.first == 1 ? static_cast<int32_t>(it->second.second) : def;
}
size_t EntriesOf(const C4D_Container* c) {
  return Valid("check", "container", c) ? c->v.size() : 0;
}
Levels LevelsOf(const C4D_DescID* d) { return Valid("check", "descid", d) ? d->levels : Levels(); }

C4D_Document* AddDocument() {
  C4D_Document* doc = Make("document", C4D_Document{nullptr}, true);
  Documents().push_back(doc);
  return doc;
}

namespace {
C4D_Node* NewNode(int32_t type) {
  return Make("node", C4D_Node{type, 0, HostContainer(-1), nullptr, nullptr}, true);
}
}  // namespace

C4D_Node* AddRenderData(C4D_Document* doc) {
  C4D_Node* rd = NewNode(0);
  doc->renderData = rd;
  return rd;
}

C4D_Node* AddVideoPost(C4D_Node* renderData, int32_t type) {
  C4D_Node* vp = NewNode(type);
  C4D_Node** tail = &renderData->firstVideoPost;
  while (*tail != nullptr) tail = &(*tail)->next;
  *tail = vp;
  return vp;
}

C4D_Container* SettingsOf(C4D_Node* node) { return node->settings; }

const C4D_DialogCallbacks* CallbacksOf(C4D_Dialog* d) { return d->cb; }
void* ContextOf(C4D_Dialog* d) { return d->ctx; }
std::vector<DialogCall> OpensOf(C4D_Dialog* d) { return d->opens; }
std::vector<std::string> MenuOf(C4D_Dialog* d) { return d->menu; }

void ReleaseRegistrations() {
  for (Registration& reg : H().registrations) {
    if (!reg.accepted || reg.released) continue;
    reg.released = true;
    reg.record.Destruct(reg.record.object);
  }
}

void Reset() {
  for (auto& [object, entry] : Registry()) entry.destroy(object);
  Registry().clear();
  Documents().clear();
  H() = Host();
}

void ResolveLogger(bool present) {
  for (C4D_Declaration* d = g_maxon.declarations; d != nullptr; d = d->next)
    if (d->kind == C4D_DECL_REFERENCE && std::strcmp(d->id, C4D_DEFAULT_LOGGER_ID) == 0)
      *d->slot = present ? &g_logger : nullptr;
}

}  // namespace fake
