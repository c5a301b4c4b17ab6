// c4d_general.cpp - host commands, events, preferences and message boxes.
#include "c4d_general.h"

#include "c4d_tables.h"

void CallCommand(Int32 id, Int32 subid) {
  const C4D_CommandTable* t = HostTables().command;
  if (HOST_HAS(t, CallCommand)) t->CallCommand(id, subid);
}

void EventAdd(Int32 flags) {
  const C4D_CommandTable* t = HostTables().command;
  if (HOST_HAS(t, EventAdd)) t->EventAdd(flags);
}

BaseContainer GetWorldPluginData(Int32 id) {
  const C4D_PrefsTable* t = HostTables().prefs;
  return BaseContainer::Borrow(HOST_HAS(t, GetWorldPluginData) ? t->GetWorldPluginData(id)
                                                               : nullptr);
}

Bool SetWorldPluginData(Int32 id, const BaseContainer& bc, Bool add) {
  const C4D_PrefsTable* t = HostTables().prefs;
  if (!bc.IsValid() || !HOST_HAS(t, SetWorldPluginData)) return false;
  return t->SetWorldPluginData(id, bc.Get(), add ? 1 : 0) != 0;
}

Int32 MessageDialog(Int32 type, const String& text) {
  const C4D_SystemTable* t = HostTables().system;
  if (text.Get() == nullptr || !HOST_HAS(t, MessageDialog)) return 0;
  return t->MessageDialog(type, text.Get());
}

Int32 MessageDialog(Int32 type, const char* text) { return MessageDialog(type, String(text)); }
