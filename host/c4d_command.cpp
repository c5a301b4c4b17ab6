// c4d_command.cpp - CommandData defaults, and the trampolines through which
// the host reaches a registered command object.
#include "c4d_command.h"

#include "c4d_ids.h"
#include "c4d_memory.h"
#include "c4d_tables.h"

CommandData::~CommandData() { _magic = 0; }

Bool CommandData::Execute(BaseDocument) { return false; }
Bool CommandData::ExecuteSubID(BaseDocument, Int32) { return false; }
Bool CommandData::ExecuteOptionID(BaseDocument, Int32) { return false; }
Int32 CommandData::GetState(BaseDocument, C4D_Dialog*) { return CMD_ENABLED; }
Bool CommandData::GetSubContainer(BaseDocument, BaseContainer&) { return false; }
Bool CommandData::RestoreLayout(void*) { return false; }
String CommandData::GetScriptName() { return String(); }
Bool CommandData::Message(Int32, void*) { return true; }

void* CommandData::operator new(size_t bytes) noexcept { return MemAllocClear(bytes); }
void CommandData::operator delete(void* block) noexcept { MemFree(block); }

namespace {

// The object the host hands back, or NULL when it is not one of ours.
CommandData* Recover(void* object) {
  auto* data = static_cast<CommandData*>(object);
  return data != nullptr && data->IsValidObject() ? data : nullptr;
}

void Destruct(void* object) { delete Recover(object); }

int32_t Execute(void* object, C4D_Document* doc) {
  CommandData* data = Recover(object);
  return data != nullptr && data->Execute(BaseDocument(doc));
}

int32_t ExecuteSubID(void* object, C4D_Document* doc, int32_t subid) {
  CommandData* data = Recover(object);
  return data != nullptr && data->ExecuteSubID(BaseDocument(doc), subid);
}

int32_t ExecuteOptionID(void* object, C4D_Document* doc, int32_t subid) {
  CommandData* data = Recover(object);
  return data != nullptr && data->ExecuteOptionID(BaseDocument(doc), subid);
}

int32_t GetState(void* object, C4D_Document* doc, C4D_Dialog* parentManager) {
  CommandData* data = Recover(object);
  return data != nullptr ? data->GetState(BaseDocument(doc), parentManager) : 0;
}

int32_t GetSubContainer(void* object, C4D_Document* doc, C4D_Container* submenu) {
  CommandData* data = Recover(object);
  if (data == nullptr) return false;
  BaseContainer menu = BaseContainer::Borrow(submenu);
  return data->GetSubContainer(BaseDocument(doc), menu);
}

int32_t RestoreLayout(void* object, void* secret) {
  CommandData* data = Recover(object);
  return data != nullptr && data->RestoreLayout(secret);
}

C4D_String* GetScriptName(void* object) {
  CommandData* data = Recover(object);
  return data != nullptr ? data->GetScriptName().Release() : nullptr;
}

int32_t Message(void* object, int32_t type, void* data) {
  CommandData* command = Recover(object);
  return command != nullptr && command->Message(type, data);
}

}  // namespace

Bool RegisterCommandPlugin(Int32 id, const String& str, Int32 info, const BaseBitmap* icon,
                           const String& help, CommandData* dat) {
  if (dat == nullptr) return false;

  const C4D_RegistrationTable* t = HostTables().registration;
  // Without a registration service, or without the texts the host needs to
  // show the command, nobody would ever take the object: free it here.
  if (!HOST_HAS(t, RegisterPlugin) || str.Get() == nullptr || help.Get() == nullptr) {
    delete dat;
    return false;
  }

  C4D_CommandRecord record = {};
  record.info = info;
  record.Destruct = &Destruct;
  record.object = dat;
  record.help = help.Get();
  record.icon = icon != nullptr ? icon->Get() : nullptr;
  record.Execute = &Execute;
  record.ExecuteSubID = &ExecuteSubID;
  record.ExecuteOptionID = &ExecuteOptionID;
  record.GetState = &GetState;
  record.GetSubContainer = &GetSubContainer;
  record.RestoreLayout = &RestoreLayout;
  record.GetScriptName = &GetScriptName;
  record.Message = &Message;
  return t->RegisterPlugin(PLUGINTYPE_COMMAND, id, str.Get(), &record, sizeof(record),
                           C4D_API_VERSION) != 0;
}
