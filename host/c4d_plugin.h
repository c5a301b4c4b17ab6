// c4d_plugin.h - the module's own life-cycle functions, and the ids of the
// host's life-cycle actions and messages. The plug-in defines the functions
// (source/main.cpp); the module entry calls them from c4d_main.
#pragma once

#include "maxon/apibase.h"

#define C4DPL_INIT_SYS 1
#define C4DPL_INIT 2
#define C4DPL_END 3
#define C4DPL_INIT_VERSION 4
#define C4DPL_MESSAGE 6
#define C4DPL_ERROR -1
#define C4DPL_ERROR_VERSION -3

// Message 0: the host asks the module's load priority.
#define C4DMSG_PRIORITY 0

namespace cinema {

// Start (action 2): answers whether the plug-in registered what it offers.
Bool PluginStart();
// End (action 3, last call): the module's own clean-up.
void PluginEnd();
// A host message (action 6); `data` as the message defines it. Message
// C4DPL_INIT_SYS (1) is the time to load the module's resource.
Bool PluginMessage(Int32 id, void* data);

}  // namespace cinema
