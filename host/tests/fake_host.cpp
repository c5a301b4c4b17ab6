// fake_host.cpp - the tables of the in-process host.
#include "fake_host.h"

#include <cstdlib>
#include <cstring>

struct C4D_String {
  std::string s;
};
struct C4D_Filename {
  std::string p;
};
struct C4D_Container {
  int id;
  std::map<int, std::pair<int, double>> v;  // type (1 int, 2 bool, 3 float), value
};
struct C4D_Resource {
  std::string folder;
};
struct C4D_Bitmap {
  int d;
};
struct C4D_Dialog {
  const C4D_DialogCallbacks* cb;
  void* ctx;
  std::map<int, int> values;
};
struct C4D_Logger {
  int d;
};

extern "C" C4D_ModuleInfo g_maxon;

namespace fake {
namespace {

Host g_host;
C4D_Logger g_logger;

template <class T>
T* Make(const char* kind, T value) {
  g_host.live[kind]++;
  return new T(std::move(value));
}
template <class T>
void Drop(const char* kind, T* p) {
  if (p == nullptr) return;
  g_host.live[kind]--;
  delete p;
}

void* Alloc(size_t n) {
  g_host.live["memory"]++;
  return std::calloc(1, n);
}
void Free(void* p) {
  if (p == nullptr) return;
  g_host.live["memory"]--;
  std::free(p);
}
const C4D_MemoryTable kMemory = {sizeof(C4D_MemoryTable), Alloc, Free};

C4D_Container* CCreate(int32_t id) { return Make("container", C4D_Container{id, {}}); }
void CFree(C4D_Container* c) { Drop("container", c); }
int32_t CGetId(const C4D_Container* c) { return c->id; }
void CCopy(const C4D_Container* s, C4D_Container* d) { *d = *s; }
int32_t CGetI(const C4D_Container* c, int32_t id, int32_t def) {
  auto it = c->v.find(id);
  return it != c->v.end() && it->second.first == 1 ? static_cast<int32_t>(it->second.second) : def;
}
int32_t CGetB(const C4D_Container* c, int32_t id, int32_t def) {
  auto it = c->v.find(id);
  return it != c->v.end() && it->second.first == 2 ? static_cast<int32_t>(it->second.second) : def;
}
double CGetF(const C4D_Container* c, int32_t id, double def) {
  auto it = c->v.find(id);
  return it != c->v.end() && it->second.first == 3 ? it->second.second : def;
}
void CSetI(C4D_Container* c, int32_t id, int32_t v) { c->v[id] = {1, v}; }
void CSetB(C4D_Container* c, int32_t id, int32_t v) { c->v[id] = {2, v != 0}; }
void CSetF(C4D_Container* c, int32_t id, double v) { c->v[id] = {3, v}; }
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

C4D_String* SCreate(const char* u) { return Make("string", C4D_String{u ? u : ""}); }
void SFree(C4D_String* s) { Drop("string", s); }
size_t SGet(const C4D_String* s, char* b, size_t cap) {
  if (b != nullptr && cap > 0) {
    size_t n = s->s.size() < cap - 1 ? s->s.size() : cap - 1;
    std::memcpy(b, s->s.data(), n);
    b[n] = '\0';
  }
  return s->s.size();
}
const C4D_StringTable kString = {sizeof(C4D_StringTable), SCreate, SFree, SGet};

C4D_Filename* FCreate() { return Make("filename", C4D_Filename{}); }
void FFree(C4D_Filename* f) { Drop("filename", f); }
void FCopy(C4D_Filename* d, const C4D_Filename* s) { d->p = s->p; }
void FSet(C4D_Filename* d, const char* u) { d->p = u; }
C4D_Filename* FJoin(const C4D_Filename* d, const char* n) {
  return Make("filename", C4D_Filename{d->p.empty() ? n : d->p + "/" + n});
}
C4D_Filename* FDir(const C4D_Filename* f) {
  size_t slash = f->p.rfind('/');
  return Make("filename", C4D_Filename{slash == std::string::npos ? "" : f->p.substr(0, slash)});
}
C4D_String* FStr(const C4D_Filename* f) { return SCreate(f->p.c_str()); }
C4D_String* FFile(const C4D_Filename* f) {
  size_t slash = f->p.rfind('/');
  return SCreate(slash == std::string::npos ? f->p.c_str() : f->p.c_str() + slash + 1);
}
int32_t FEmpty(const C4D_Filename* f) { return f->p.empty(); }
int32_t FEq(const C4D_Filename* a, const C4D_Filename* b) { return a->p == b->p; }
const C4D_FilenameTable kFilename = {
    sizeof(C4D_FilenameTable), FCreate, FFree, FCopy, FSet, FJoin, FDir, FStr, FFile, FEmpty, FEq};

C4D_Resource* RLoad(const C4D_Filename* f) {
  g_host.lastResourceFolder = f->p;
  return Make("resource", C4D_Resource{f->p});
}
C4D_Resource* RLoadPlugin(const C4D_Filename* f) { return Make("resource", C4D_Resource{f->p}); }
void RFree(C4D_Resource* r) { Drop("resource", r); }
C4D_String* RStr(const C4D_Resource* r, int32_t id) {
  return SCreate(r == nullptr ? "" : ("string " + std::to_string(id)).c_str());
}
const C4D_ResourceTable kResource = {sizeof(C4D_ResourceTable), RLoad, RLoadPlugin, RFree, RStr};

C4D_Bitmap* BCreate() { return Make("bitmap", C4D_Bitmap{}); }
void BFree(C4D_Bitmap* b) { Drop("bitmap", b); }
int32_t BInit(C4D_Bitmap*, const C4D_Filename*) { return C4D_IMAGERESULT_OK; }
void BSet(C4D_Bitmap*, int32_t, double) {}
const C4D_BitmapTable kBitmap = {sizeof(C4D_BitmapTable), BCreate, BFree, BInit, BSet};

int32_t Register(int32_t, int32_t, const C4D_String*, const void* record, size_t size, int32_t) {
  g_host.registrations++;
  std::memcpy(&g_host.lastRecord, record,
              size < sizeof(C4D_CommandRecord) ? size : sizeof(C4D_CommandRecord));
  if (g_host.refuseRegistration) {
    g_host.lastRecord.Destruct(g_host.lastRecord.object);
    return 0;
  }
  return 1;
}
const C4D_RegistrationTable kRegistration = {sizeof(C4D_RegistrationTable), Register};

C4D_Dialog* DCreate(const C4D_DialogCallbacks* cb, void* ctx) {
  g_host.dialogsCreated++;
  return Make("dialog", C4D_Dialog{cb, ctx, {}});
}
void DFree(C4D_Dialog* d) { Drop("dialog", d); }
int32_t DOpen(C4D_Dialog* d, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return d->cb->CreateLayout(d->ctx) && d->cb->InitValues(d->ctx);
}
int32_t DRestore(C4D_Dialog*, int32_t, int32_t, void*) { return 1; }
int32_t DClose(C4D_Dialog*) { return 1; }
int32_t DLoad(C4D_Dialog*, int32_t, const C4D_Resource* r, int32_t) { return r != nullptr; }
int32_t DGadget(C4D_Dialog*, int32_t) { return 1; }
int32_t DAddChild(C4D_Dialog*, int32_t, int32_t, const C4D_String*) { return 1; }
int32_t DMenu(C4D_Dialog*) { return 1; }
int32_t DMenuText(C4D_Dialog*, const C4D_String*) { return 1; }
int32_t DMenuString(C4D_Dialog*, int32_t, const C4D_String*) { return 1; }
int32_t DMenuCommand(C4D_Dialog*, int32_t) { return 1; }
int32_t DSetI(C4D_Dialog* d, int32_t g, int32_t v, int32_t, int32_t, int32_t, int32_t) {
  d->values[g] = v;
  return 1;
}
int32_t DSetB(C4D_Dialog* d, int32_t g, int32_t v, int32_t) {
  d->values[g] = v;
  return 1;
}
int32_t DGet(C4D_Dialog* d, int32_t g, int32_t* out) {
  auto it = d->values.find(g);
  if (it == d->values.end()) return 0;
  *out = it->second;
  return 1;
}
int32_t DEnable(C4D_Dialog*, int32_t, int32_t) { return 1; }
const C4D_DialogTable kDialog = {sizeof(C4D_DialogTable),
                                 DCreate,
                                 DFree,
                                 DOpen,
                                 DRestore,
                                 DClose,
                                 DLoad,
                                 DGadget,
                                 DAddChild,
                                 DMenu,
                                 DMenuText,
                                 DMenuString,
                                 DMenu,
                                 DMenuCommand,
                                 DMenu,
                                 DMenu,
                                 DSetI,
                                 DSetB,
                                 DGet,
                                 DGet,
                                 DEnable};

int32_t WriteLine(C4D_Logger*, const C4D_String* text, const char* file, int32_t line,
                  int32_t flags, int32_t level) {
  g_host.console.push_back({text->s, file, line, flags, level});
  return 1;
}
const C4D_ConsoleTable kConsole = {sizeof(C4D_ConsoleTable), WriteLine};

C4D_Filename* Startup() { return NewPath(g_host.startupPath); }
C4D_Filename* Framework(const char*) {
  return g_host.frameworkLocation.empty() ? nullptr : NewPath(g_host.frameworkLocation);
}
int32_t Execute(const C4D_Filename*) { return 1; }
int32_t Box(int32_t, const C4D_String*) { return 1; }
const C4D_SystemTable kSystem = {sizeof(C4D_SystemTable), Startup, Framework, Execute, Box};

}  // namespace

Host& Current() { return g_host; }

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
  root.console = &kConsole;
  root.system = &kSystem;
  return root;
}

C4D_Filename* NewPath(const std::string& path) { return Make("filename", C4D_Filename{path}); }
void FreePath(C4D_Filename* path) { Drop("filename", path); }

void Reset() { g_host = Host(); }

void ResolveLogger(bool present) {
  for (C4D_Declaration* d = g_maxon.declarations; d != nullptr; d = d->next)
    if (d->kind == C4D_DECL_REFERENCE && std::strcmp(d->id, C4D_DEFAULT_LOGGER_ID) == 0)
      *d->slot = present ? &g_logger : nullptr;
}

}  // namespace fake
