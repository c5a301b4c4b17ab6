// c4d_declarations.h - what the module declares to the host's module system
// when it is loaded (the list headed by g_maxon), and the host objects those
// declarations resolve.
#pragma once

#include "c4d_abi.h"

// The module's reverse-domain identity, MAXON_MODULE_ID, comes from the
// module's project definition (project/projectdefinition.txt), as in the
// host SDK's own build.

// The host's default logger, resolved by the host at load; NULL when the host
// has none.
C4D_Logger* GetDefaultLogger();
