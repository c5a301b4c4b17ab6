// c4d_declarations.h - what the module declares to the host's module system
// when it is loaded (the list headed by g_maxon), and the host objects those
// declarations resolve.
#pragma once

#include "c4d_abi.h"

// The module's reverse-domain identity.
#define BREVIO_MODULE_ID "com.talvernsoftware.brevio"

// The host's default logger, resolved by the host at load; NULL when the host
// has none.
C4D_Logger* GetDefaultLogger();
