// brevcore.cpp - the Brevio command object and its registration.
#include "brevcore.h"

Bool BrevioCommand::Execute(BaseDocument*, GeDialog*) {
  return dialog.Open(DLG_TYPE::ASYNC, BREVIO_PLUGIN_ID, -1, -1, 0, 0, 0);
}

Int32 BrevioCommand::GetState(BaseDocument*, GeDialog*) { return CMD_ENABLED; }

Bool BrevioCommand::RestoreLayout(void* secret) {
  return dialog.RestoreLayout(BREVIO_PLUGIN_ID, 0, secret);
}

Bool RegisterBrevio() {
  const String& name = GeLoadString(IDS_BREVIO);
  const String& help = GeLoadString(IDS_BREVIO_HELP);

  // Host memory, zero-filled; the host owns the object once it is registered.
  BrevioCommand* command = NewObjClear(BrevioCommand);
  if (command != nullptr && !command->dialog.LoadSettings()) command->dialog.SetDefaultSettings();

  // Only a loaded icon is handed over; the host keeps its own copy.
  AutoAlloc<BaseBitmap> icon;
  BaseBitmap* shown = nullptr;
  if (icon && icon->Init(GeGetPluginResourcePath() + "brevio.tif") == IMAGERESULT::OK) {
    icon->SetData(BASEBITMAP_DATA_GUIPIXELRATIO, 1.0);
    shown = icon;
  } else {
    icon.Free();
  }

  return RegisterCommandPlugin(BREVIO_PLUGIN_ID, name, 0, shown, help, command);
}
