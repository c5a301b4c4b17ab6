// c4d_resource.cpp - resource sets, the module-wide resource and the
// module's resource folder.
#include "c4d_resource.h"

#include "c4d_tables.h"

namespace cinema {

// The module-wide resource. Its destructor gives a still-held resource set
// back when the module is unloaded without an end call.
GeResource g_resource;

namespace {

const C4D_ResourceTable* Table() { return HostTables().resource; }

// The module lies among the host's built-in modules when it sits in the same
// folder as the host's main framework.
Bool IsBuiltInModule(const Filename& location) {
  const C4D_SystemTable* t = HostTables().system;
  if (!HOST_HAS(t, GetFrameworkLocation) || !HostCanFreeFilenames()) return false;
  const Filename framework =
      Filename::AdoptHostHandle(t->GetFrameworkLocation(C4D_CINEMA_FRAMEWORK_ID));
  if (!framework.IsPopulated()) return false;
  const Filename modules = framework.GetDirectory();
  const Filename parent = location.GetDirectory();
  return modules.IsPopulated() && parent.IsPopulated() && parent == modules;
}

// The host's resource folder for a built-in module, or the empty path.
Filename BuiltInResourceFolder(const Filename& location) {
  const C4D_SystemTable* t = HostTables().system;
  if (!HOST_HAS(t, GetStartupPath) || !HostCanFreeFilenames()) return Filename();
  const Filename moduleName(location.GetFileString());
  if (!moduleName.IsPopulated()) return Filename();
  const Filename startup = Filename::AdoptHostHandle(t->GetStartupPath());
  if (startup.GetHostHandle() == nullptr) return Filename();
  return startup + "resource" + "modules" + moduleName;
}

}  // namespace

GeResource::GeResource() = default;

GeResource::~GeResource() { Free(); }

Bool GeResource::Init() {
  // Answered from the one attempt before anything is allocated, so a request
  // after the end leaves nothing behind.
  if (_attempted) return _resource != nullptr;
  if (_folder.GetHostHandle() == nullptr) {
    _folder = GeGetPluginResourcePath();
    if (_folder.GetHostHandle() == nullptr) return false;
  }
  _attempted = true;
  const C4D_ResourceTable* t = Table();
  if (HOST_HAS(t, LoadSet) && HOST_HAS(t, Free)) _resource = t->LoadSet(_folder.GetHostHandle());
  return _resource != nullptr;
}

Bool GeResource::Init(const Filename& path, Bool) {
  // One load per object, whichever Init asks first: a later call answers
  // from that attempt, also after Free.
  if (_attempted) return _resource != nullptr;
  _attempted = true;
  const C4D_ResourceTable* t = Table();
  if (path.GetHostHandle() != nullptr && HOST_HAS(t, LoadFromPluginFolder) && HOST_HAS(t, Free))
    _resource = t->LoadFromPluginFolder(path.GetHostHandle());
  return _resource != nullptr;
}

void GeResource::Free() {
  for (String& s : _strings) s = String();
  _stringCount = 0;
  const C4D_ResourceTable* t = Table();
  if (_resource != nullptr && HOST_HAS(t, Free)) t->Free(_resource);
  _resource = nullptr;
  _folder = Filename();
}

const String& GeResource::LoadString(Int32 id) {
  const C4D_ResourceTable* t = Table();
  // Without a resource the answer is a real empty string, so that it can be
  // handed to the host like any other. It is not kept under the id: a load
  // that comes later must be read.
  if (_resource == nullptr || !HOST_HAS(t, LoadString) || !HostCanFreeStrings()) {
    _strings[kCachedStrings] = String("");
    return _strings[kCachedStrings];
  }
  for (Int32 i = 0; i < _stringCount; ++i)
    if (_stringIds[i] == id) return _strings[i];
  const Int32 slot = _stringCount < kCachedStrings ? _stringCount++ : kCachedStrings;
  if (slot < kCachedStrings) _stringIds[slot] = id;
  // A string the host could not make is answered as a real empty one.
  C4D_String* loaded = t->LoadString(_resource, id);
  _strings[slot] = loaded != nullptr ? String(maxon::String::AdoptHostHandle(loaded)) : String("");
  return _strings[slot];
}

const String& GeLoadString(Int32 id) { return g_resource.LoadString(id); }

Filename GeGetPluginResourcePath() {
  const Filename location = GeGetPluginPath();
  if (location.IsPopulated() && IsBuiltInModule(location)) {
    Filename builtIn = BuiltInResourceFolder(location);
    if (builtIn.GetHostHandle() != nullptr) return builtIn;
  }
  return location + "res";
}

}  // namespace cinema
