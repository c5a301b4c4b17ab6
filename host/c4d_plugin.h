// c4d_plugin.h - the module's own life-cycle functions, and the ids of the
// host's life-cycle actions and messages. The plug-in defines the functions
// (source/main.cpp); the module entry calls them from c4d_main.
#pragma once

#include "c4d_abi.h"
#include "maxon/apibase.h"

// The host's names for the ABI's actions, answers and messages.
#define C4DPL_INIT_SYS C4D_PL_INIT_SYS
#define C4DPL_INIT C4D_PL_INIT
#define C4DPL_END C4D_PL_END
#define C4DPL_INIT_VERSION C4D_PL_INIT_VERSION
#define C4DPL_MESSAGE C4D_PL_MESSAGE
#define C4DPL_ERROR C4D_PL_ERROR
#define C4DPL_ERROR_VERSION C4D_PL_ERROR_VERSION

// Message 0: the host asks the module's load priority.
#define C4DMSG_PRIORITY C4D_MSG_PRIORITY

namespace cinema {

// Start (action 2): answers whether the plug-in registered what it offers.
Bool PluginStart();
// End (action 3, last call): the module's own clean-up.
void PluginEnd();
// A host message (action 6); `data` as the message defines it. Message
// C4DPL_INIT_SYS (1) is the time to load the module's resource.
Bool PluginMessage(Int32 id, void* data);

}  // namespace cinema
