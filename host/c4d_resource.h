// c4d_resource.h - resource sets (string tables, dialog descriptions): a
// private GeResource object, and the one module-wide resource loaded from the
// module's resource folder.
#pragma once

#include "c4d_abi.h"
#include "c4d_file.h"
#include "c4d_string.h"
#include "c4d_types.h"

class GeResource {
 public:
  GeResource() = default;
  ~GeResource() { Free(); }
  GeResource(const GeResource&) = delete;
  GeResource& operator=(const GeResource&) = delete;

  // Initialises from a plug-in folder (the host looks in its `res`).
  Bool Init(const Filename& pluginFolder);
  // Initialises from a resource folder itself.
  Bool InitFromResFolder(const Filename& resFolder);
  // Gives the resource set back to the host.
  void Free();

  // String by id; empty when nothing is loaded or the id is unknown.
  String LoadString(Int32 id) const;

  // The host object, NULL when nothing is loaded.
  const C4D_Resource* Get() const { return _resource; }

 private:
  C4D_Resource* _resource = nullptr;
};

// The module's resource folder: `res` beside the module file (the relative
// "res" without a module location), or, for a module among the host's own
// built-in modules, the folder the host keeps for it under its start-up
// folder ("resource/modules/<module folder name>").
Filename GetResourceFolder();

// Loads the module-wide resource from the resource folder. Tries once in the
// module's life; later calls answer from that attempt.
Bool InitModuleResource();
// Gives the module-wide resource back and forgets its folder; does not allow
// another attempt.
void FreeModuleResource();
// The module-wide resource (nothing loaded before InitModuleResource).
const GeResource& GetModuleResource();
// String by id from the module-wide resource; empty when none is loaded.
String GeLoadString(Int32 id);
