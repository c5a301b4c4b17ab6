// c4d_resource.cpp - resource sets and the module-wide resource.
#include "c4d_resource.h"

#include "c4d_tables.h"

namespace {

// The module-wide resource. Its destructor gives a still-held resource set
// back when the module is unloaded without an end call.
struct ModuleResource {
  GeResource resource;
  Filename folder;  // taken at the first load
  Bool attempted = false;
};
ModuleResource g_moduleResource;

// The module lies among the host's built-in modules when it sits in the same
// folder as the host's main framework.
Bool IsBuiltInModule(const Filename& location) {
  const C4D_SystemTable* t = HostTables().system;
  if (!HOST_HAS(t, GetFrameworkLocation) || !HostCanFreeFilenames()) return false;
  Filename framework = Filename::Adopt(t->GetFrameworkLocation(C4D_CINEMA_FRAMEWORK_ID));
  if (!framework.IsPopulated()) return false;
  Filename modules = framework.GetDirectory();
  Filename parent = location.GetDirectory();
  return modules.IsPopulated() && parent.IsPopulated() && parent.IsEqual(modules);
}

// The host's resource folder for a built-in module, or the empty path.
Filename BuiltInResourceFolder(const Filename& location) {
  const C4D_SystemTable* t = HostTables().system;
  if (!HOST_HAS(t, GetStartupPath) || !HostCanFreeFilenames()) return Filename();
  char name[512];
  String moduleName = location.GetFileString();
  size_t length = moduleName.GetCString(name, sizeof(name));
  if (length == 0 || length >= sizeof(name)) return Filename();
  Filename startup = Filename::Adopt(t->GetStartupPath());
  if (startup.Get() == nullptr) return Filename();
  return startup + "resource" + "modules" + name;
}

}  // namespace

Bool GeResource::Init(const Filename& pluginFolder) {
  Free();
  const C4D_ResourceTable* t = HostTables().resource;
  if (pluginFolder.Get() != nullptr && HOST_HAS(t, LoadFromPluginFolder) && HOST_HAS(t, Free))
    _resource = t->LoadFromPluginFolder(pluginFolder.Get());
  return _resource != nullptr;
}

Bool GeResource::InitFromResFolder(const Filename& resFolder) {
  Free();
  const C4D_ResourceTable* t = HostTables().resource;
  if (resFolder.Get() != nullptr && HOST_HAS(t, LoadSet) && HOST_HAS(t, Free))
    _resource = t->LoadSet(resFolder.Get());
  return _resource != nullptr;
}

void GeResource::Free() {
  const C4D_ResourceTable* t = HostTables().resource;
  if (_resource != nullptr && HOST_HAS(t, Free)) t->Free(_resource);
  _resource = nullptr;
}

String GeResource::LoadString(Int32 id) const {
  const C4D_ResourceTable* t = HostTables().resource;
  if (!HOST_HAS(t, LoadString) || !HostCanFreeStrings()) return String("");
  C4D_String* s = t->LoadString(_resource, id);
  return s != nullptr ? String::Adopt(s) : String("");
}

Filename GetResourceFolder() {
  Filename location = GeGetPluginPath();
  if (location.IsPopulated() && IsBuiltInModule(location)) {
    Filename builtIn = BuiltInResourceFolder(location);
    if (builtIn.Get() != nullptr) return builtIn;
  }
  return location + "res";
}

Bool InitModuleResource() {
  ModuleResource& m = g_moduleResource;
  // Answered from the one attempt before anything is allocated, so a request
  // after the end leaves nothing behind.
  if (m.attempted) return m.resource.Get() != nullptr;
  if (m.folder.Get() == nullptr) {
    m.folder = GetResourceFolder();
    if (m.folder.Get() == nullptr) return false;
  }
  m.attempted = true;
  return m.resource.InitFromResFolder(m.folder);
}

void FreeModuleResource() {
  g_moduleResource.resource.Free();
  g_moduleResource.folder = Filename();
}

const GeResource& GetModuleResource() { return g_moduleResource.resource; }

String GeLoadString(Int32 id) { return g_moduleResource.resource.LoadString(id); }
