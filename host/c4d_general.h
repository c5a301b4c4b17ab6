// c4d_general.h - host commands, events, preferences and message boxes.
#pragma once

#include "c4d_container.h"
#include "c4d_ids.h"
#include "c4d_string.h"
#include "c4d_types.h"

// Runs a host command; nothing happens when the host declines it.
void CallCommand(Int32 id, Int32 subid = 0);
// Posts a global update event.
void EventAdd(Int32 flags = EVENT_NONE);

// The preference container stored under a plug-in id: a borrowed view, not
// valid (IsValid false) when nothing is stored.
BaseContainer GetWorldPluginData(Int32 id);
// Stores a copy of `bc` under a plug-in id; `add` false replaces the stored
// container as a whole. Answers false when the host cannot store it.
Bool SetWorldPluginData(Int32 id, const BaseContainer& bc, Bool add = true);

// A modal message box; answers the host's button code (0 without a host).
Int32 MessageDialog(Int32 type, const String& text);
Int32 MessageDialog(Int32 type, const char* text);
