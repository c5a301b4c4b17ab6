// c4d_commanddata.cpp - CommandData defaults, and the trampolines through
// which the host reaches a registered command object.
#include "c4d_commanddata.h"

#include "c4d_tables.h"
#include "gui.h"
#include "maxon/newobj.h"

namespace cinema {

CommandData::~CommandData() { _magic = 0; }

Bool CommandData::Execute(BaseDocument*, GeDialog*) { return true; }
Bool CommandData::ExecuteSubID(BaseDocument*, Int32, GeDialog*) { return false; }
Bool CommandData::ExecuteOptionID(BaseDocument*, Int32, Int32, GeDialog*) { return false; }
Int32 CommandData::GetState(BaseDocument*, GeDialog*) { return CMD_ENABLED; }
Bool CommandData::GetSubContainer(BaseDocument*, BaseContainer&, GeDialog*) { return false; }
Bool CommandData::RestoreLayout(void*) { return true; }
String CommandData::GetScriptName() { return String(); }
Bool CommandData::Message(Int32, void*) { return true; }

namespace {

// The object the host hands back, or NULL when it is not one of ours.
CommandData* Recover(void* object) {
  auto* data = static_cast<CommandData*>(object);
  return data != nullptr && data->IsValidObject() ? data : nullptr;
}

BaseDocument* Document(C4D_Document* doc) { return BaseDocument::FromHostHandle(doc); }

// The host hands commands no parent manager of ours (only the host's own
// managers, which the plug-in cannot reach), so none is passed on.
GeDialog* const kNoParentManager = nullptr;

void Destruct(void* object) {
  CommandData* data = Recover(object);
  DeleteObj(data);
}

int32_t Execute(void* object, C4D_Document* doc) {
  CommandData* data = Recover(object);
  return data != nullptr && data->Execute(Document(doc), kNoParentManager);
}

int32_t ExecuteSubID(void* object, C4D_Document* doc, int32_t subid) {
  CommandData* data = Recover(object);
  return data != nullptr && data->ExecuteSubID(Document(doc), subid, kNoParentManager);
}

int32_t ExecuteOptionID(void* object, C4D_Document* doc, int32_t subid) {
  CommandData* data = Recover(object);
  return data != nullptr &&
         data->ExecuteOptionID(Document(doc), data->GetRegisteredId(), subid, kNoParentManager);
}

int32_t GetState(void* object, C4D_Document* doc, C4D_Dialog*) {
  CommandData* data = Recover(object);
  return data != nullptr ? data->GetState(Document(doc), kNoParentManager) : 0;
}

int32_t GetSubContainer(void* object, C4D_Document* doc, C4D_Container* submenu) {
  CommandData* data = Recover(object);
  if (data == nullptr) return false;
  // The host lends the sub-menu container; the plug-in fills it in place.
  C4D_Container* const cell = submenu;
  BaseContainer& menu = *const_cast<BaseContainer*>(BaseContainer::FromHostCell(&cell));
  return data->GetSubContainer(Document(doc), menu, kNoParentManager);
}

int32_t RestoreLayout(void* object, void* secret) {
  CommandData* data = Recover(object);
  return data != nullptr && data->RestoreLayout(secret);
}

C4D_String* GetScriptName(void* object) {
  CommandData* data = Recover(object);
  return data != nullptr ? data->GetScriptName().ReleaseHostHandle() : nullptr;
}

int32_t Message(void* object, int32_t type, void* data) {
  CommandData* command = Recover(object);
  return command != nullptr && command->Message(type, data);
}

}  // namespace

Bool RegisterCommandPlugin(Int32 id, const maxon::String& str, Int32 info, BaseBitmap* icon,
                           const maxon::String& help, CommandData* dat) {
  if (dat == nullptr) return false;
  const C4D_RegistrationTable* t = HostTables().registration;
  // Without a registration service, or without the texts the host needs to
  // show the command, nobody would ever take the object: free it here.
  if (!HOST_HAS(t, RegisterPlugin) || str.GetHostHandle() == nullptr ||
      help.GetHostHandle() == nullptr) {
    DeleteObj(dat);
    return false;
  }
  dat->_registeredId = id;
  C4D_CommandRecord record = {};
  record.info = info;
  record.Destruct = &Destruct;
  record.object = dat;
  record.help = help.GetHostHandle();
  record.icon = reinterpret_cast<const C4D_Bitmap*>(icon);
  record.Execute = &Execute;
  record.ExecuteSubID = &ExecuteSubID;
  record.ExecuteOptionID = &ExecuteOptionID;
  record.GetState = &GetState;
  record.GetSubContainer = &GetSubContainer;
  record.RestoreLayout = &RestoreLayout;
  record.GetScriptName = &GetScriptName;
  record.Message = &Message;
  return t->RegisterPlugin(static_cast<int32_t>(PLUGINTYPE::COMMAND), id, str.GetHostHandle(),
                           &record, sizeof(record), C4D_API_VERSION) != 0;
}

}  // namespace cinema
