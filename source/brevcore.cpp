// brevcore.cpp - the Brevio command object and its registration.
#include "brevcore.h"

Bool BrevioCommand::Execute(BaseDocument) {
  return dialog.Open(DLG_TYPE_ASYNC, BREVIO_PLUGIN_ID, -1, -1, 0, 0, 0);
}

Int32 BrevioCommand::GetState(BaseDocument, C4D_Dialog*) { return CMD_ENABLED; }

Bool BrevioCommand::RestoreLayout(void* secret) {
  return dialog.RestoreLayout(BREVIO_PLUGIN_ID, 0, secret);
}

Bool RegisterBrevio() {
  const String name = GeLoadString(IDS_BREVIO);
  const String help = GeLoadString(IDS_BREVIO_HELP);

  // Host memory, zero-filled; the host owns the object once it is registered.
  BrevioCommand* command = new BrevioCommand;
  if (command != nullptr && !command->dialog.LoadSettings()) command->dialog.SetDefaultSettings();

  BaseBitmap icon;
  if (icon.Init(GetResourceFolder() + "brevio.tif") == IMAGERESULT_OK)
    icon.SetData(BASEBITMAP_DATA_GUIPIXELRATIO, 1.0);
  else
    icon.Free();

  // The host copies name, help and icon; ours are freed on the way out.
  return RegisterCommandPlugin(BREVIO_PLUGIN_ID, name, 0, icon.IsValid() ? &icon : nullptr, help,
                               command);
}
