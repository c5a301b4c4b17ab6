// c4d_module.h - the module-wide state that the entry glue keeps: the
// initialisation counter, the service tables and the module location.
#pragma once

#include <cstdint>
#include "c4d_abi.h"

// Action 1 (system initialisation). Only the outermost call does any work:
// records the tables, checks the host version and stores a copy of the
// module location. Answers C4D_PL_OK or C4D_PL_ERROR_VERSION.
int32_t InitSystem(const C4D_ServiceRoot* root, const C4D_Filename* moduleLocation);

// Action 3 (end). Only the call that matches the outermost action 1 does any
// work: PluginEnd, then the module resource, then the module location.
void EndSystem();

// The stored module location (the folder that holds the module file), or
// NULL when none is stored.
const C4D_Filename* GetModuleLocation();
