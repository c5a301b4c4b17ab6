// c4d_general.h - host commands, events, preferences and message boxes.
#pragma once

#include "c4d_basecontainer.h"
#include "ge_prepass.h"
#include "maxon/apibase.h"
#include "maxon/string.h"

namespace cinema {

// Runs a host command; nothing happens when the host declines it.
void CallCommand(Int32 id, Int32 subid = 0);
// Posts a global update event.
void EventAdd(EVENT eventflag = EVENT::NONE);

// The preference container stored under a plug-in id, lent by the host; NULL
// when nothing is stored.
BaseContainer* GetWorldPluginData(Int32 id);
// Stores a copy of `bc` under a plug-in id; `add` false replaces the stored
// container as a whole. Answers false when the host cannot store it.
Bool SetWorldPluginData(Int32 id, const BaseContainer& bc, Bool add = true);

// A modal message box with the buttons and icon of `flags`; answers the
// button that closed it (GEMB_R::V_UNDEFINED without a host).
GEMB_R GeOutString(const maxon::String& str, GEMB flags);

}  // namespace cinema
