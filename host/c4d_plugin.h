// c4d_plugin.h - the module's own life-cycle functions. The plug-in defines
// them (source/main.cpp); the entry glue calls them from c4d_main.
#pragma once

#include "c4d_types.h"

// Start (action 2): answers whether the plug-in registered what it offers.
Bool PluginStart();
// A host message (action 6); `data` as the message defines it.
Bool PluginMessage(Int32 id, void* data);
// End (action 3, last call): the module's own clean-up.
void PluginEnd();
