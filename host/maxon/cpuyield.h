// maxon/cpuyield.h - the CPU-yield slot the host's runtime expects in every
// module. The module itself never calls it.
#pragma once

#include "maxon/apibase.h"

namespace maxon {

class CpuYieldState {
 public:
  using SwitchDelegate = void (*)(CpuYieldState* state, const void* resource);
};

extern "C" CpuYieldState::SwitchDelegate g_CpuYieldDelegate;

}  // namespace maxon
