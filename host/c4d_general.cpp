// c4d_general.cpp - host commands, events, preferences and message boxes.
#include "c4d_general.h"

#include "c4d_tables.h"

namespace cinema {

void CallCommand(Int32 id, Int32 subid) {
  const C4D_CommandTable* t = HostTables().command;
  if (HOST_HAS(t, CallCommand)) t->CallCommand(id, subid);
}

void EventAdd(EVENT eventflag) {
  const C4D_CommandTable* t = HostTables().command;
  if (HOST_HAS(t, EventAdd)) t->EventAdd(static_cast<int32_t>(eventflag));
}

BaseContainer* GetWorldPluginData(Int32 id) {
  const C4D_PrefsTable* t = HostTables().prefs;
  if (!HOST_HAS(t, GetWorldPluginDataCell)) return nullptr;
  C4D_Container* const* cell = t->GetWorldPluginDataCell(id);
  if (cell == nullptr || *cell == nullptr) return nullptr;
  return const_cast<BaseContainer*>(BaseContainer::FromHostCell(cell));
}

Bool SetWorldPluginData(Int32 id, const BaseContainer& bc, Bool add) {
  const C4D_PrefsTable* t = HostTables().prefs;
  if (bc.GetHostHandle() == nullptr || !HOST_HAS(t, SetWorldPluginData)) return false;
  return t->SetWorldPluginData(id, bc.GetHostHandle(), add ? 1 : 0) != 0;
}

GEMB_R GeOutString(const maxon::String& str, GEMB flags) {
  const C4D_SystemTable* t = HostTables().system;
  if (str.GetHostHandle() == nullptr || !HOST_HAS(t, MessageDialog)) return GEMB_R::V_UNDEFINED;
  return static_cast<GEMB_R>(t->MessageDialog(static_cast<int32_t>(flags), str.GetHostHandle()));
}

}  // namespace cinema
