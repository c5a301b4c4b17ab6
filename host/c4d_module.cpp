// c4d_module.cpp - the module-wide state and the life-cycle work of the
// system-initialisation and end actions.
#include "c4d_module.h"

#include "c4d_plugin.h"
#include "c4d_resource.h"
#include "c4d_tables.h"

namespace {

// Counts system initialisations not yet matched by an end. The host calls the
// entry from one thread at a time, so a plain integer is enough.
int32_t g_initCount = 0;
C4D_Filename* g_moduleLocation = nullptr;

void ReleaseModuleLocation() {
  const C4D_FilenameTable* t = HostTables().filename;
  if (g_moduleLocation != nullptr && HOST_HAS(t, Free)) t->Free(g_moduleLocation);
  g_moduleLocation = nullptr;
}

}  // namespace

int32_t InitSystem(const C4D_ServiceRoot* root, const C4D_Filename* moduleLocation) {
  if (++g_initCount != 1) return C4D_PL_OK;

  // Without a root there is nothing to check the host against; refuse rather
  // than read through it. A refused call leaves the module uninitialised, so
  // the counter goes back and a later call may try again.
  if (root == nullptr) {
    --g_initCount;
    return C4D_PL_ERROR_VERSION;
  }
  RecordServiceTables(*root);
  if (root->apiVersion < C4D_API_VERSION || moduleLocation == nullptr) {
    ForgetServiceTables();
    --g_initCount;
    return C4D_PL_ERROR_VERSION;
  }

  // When the copy cannot be made the module carries on without a location
  // and looks for its resources in the relative folder "res".
  const C4D_FilenameTable* t = HostTables().filename;
  if (HOST_HAS(t, Create) && HOST_HAS(t, CopyFrom) && HOST_HAS(t, Free)) {
    g_moduleLocation = t->Create();
    if (g_moduleLocation != nullptr) t->CopyFrom(g_moduleLocation, moduleLocation);
  }
  return C4D_PL_OK;
}

void EndSystem() {
  // An end without a matching initialisation has nothing to tear down.
  if (g_initCount <= 0) return;
  if (--g_initCount != 0) return;
  cinema::PluginEnd();
  // The resource is given back, but the one load attempt stays made.
  cinema::g_resource.Free();
  ReleaseModuleLocation();
}

const C4D_Filename* GetModuleLocation() { return g_moduleLocation; }
