// c4d_entry.cpp - the module's exported entry: c4d_main turns the host's
// life-cycle actions into the module's own functions; g_CpuYieldDelegate is
// the slot the host's runtime expects every module to carry.
#include <cstdint>

#include "c4d_abi.h"
#include "c4d_export.h"
#include "c4d_module.h"
#include "c4d_plugin.h"
#include "maxon/cpuyield.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace maxon {
extern "C" {
static void NoCpuYield(CpuYieldState*, const void*) {}
// The module never calls it; it only has to hold a routine that does nothing.
C4D_EXPORT CpuYieldState::SwitchDelegate g_CpuYieldDelegate = &NoCpuYield;
}
}  // namespace maxon

extern "C" {

C4D_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  switch (action) {
    case C4D_PL_INIT_SYS:
      return InitSystem(static_cast<const C4D_ServiceRoot*>(p1),
                        static_cast<const C4D_Filename*>(p3));
    case C4D_PL_INIT:
      return cinema::PluginStart() ? 1 : 0;
    case C4D_PL_END:
      EndSystem();
      return C4D_PL_OK;
    case C4D_PL_INIT_VERSION:
      return C4D_PL_ENTRY_VERSION;
    case C4D_PL_MESSAGE: {
      // The message id travels in the low 32 bits of p1.
      const auto id = static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p1)));
      return cinema::PluginMessage(id, p2) ? C4D_PL_OK : C4D_PL_ERROR;
    }
    default:
      return C4D_PL_ERROR;
  }
}

}  // extern "C"

#ifdef _WIN32
// The module keeps no per-thread state, so it asks not to be told of threads.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
#endif
