// c4d.h - everything the plug-in sees of the host.
#pragma once

#include "c4d_abi.h"
#include "c4d_bitmap.h"
#include "c4d_command.h"
#include "c4d_console.h"
#include "c4d_container.h"
#include "c4d_dialog.h"
#include "c4d_document.h"
#include "c4d_file.h"
#include "c4d_general.h"
#include "c4d_ids.h"
#include "c4d_memory.h"
#include "c4d_plugin.h"
#include "c4d_resource.h"
#include "c4d_string.h"
#include "c4d_types.h"
