// registration.cpp - command plug-ins: the host copies what it is handed,
// runs a command as the user would, and owns the command object until it
// destroys it through Destruct.
#include <cstring>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

// Gives a command object back to the plug-in's destructor entry.
void Destroy(Host& host, const C4D_CommandRecord& record, int32_t id, const char* why) {
  host.journal.Say("simhost: destroying the object of command " + std::to_string(id) + " (" + why +
                   ")");
  host.journal.Emit({{"event", "destruct"}, {"id", id}, {"reason", why}});
  PluginCall call(host, "Destruct(" + std::to_string(id) + ")");
  record.Destruct(record.object);
}

int32_t RegisterPlugin(int32_t type, int32_t id, const C4D_String* name, const void* recordData,
                       size_t recordSize, int32_t apiVersion) {
  constexpr const char* kCall = "Registration.RegisterPlugin";
  Host* host = Enter(kCall);
  if (host == nullptr) return 0;
  CoreState& core = *host->core;

  if (type != C4D_PLUGINTYPE_COMMAND) {
    host->Misuse(Rule::RegisterType, kCall,
                 "plug-in type " + std::to_string(type) +
                     " is not supported by this host (only 4, command)");
    return 0;
  }
  if (recordData == nullptr || recordSize < sizeof(C4D_CommandRecord)) {
    host->Misuse(Rule::RegisterRecord, kCall,
                 "the command record is missing or too small (" + std::to_string(recordSize) +
                     " bytes, needs " + std::to_string(sizeof(C4D_CommandRecord)) + ")");
    return 0;
  }
  C4D_CommandRecord record;
  std::memcpy(&record, recordData, sizeof record);
  if (record.Destruct == nullptr || record.object == nullptr) {
    host->Misuse(Rule::RegisterRecord, kCall,
                 "the command record has no object or no Destruct entry");
    return 0;
  }
  // From here on the host owns the object: every refusal destroys it.
  if (!host->ledger.Has(kMemoryKind, record.object))
    host->Misuse(Rule::RegisterObject, kCall,
                 "the command object was not allocated with Memory.Alloc");
  if (name != nullptr && !host->Check(kStringKind, name, kCall)) name = nullptr;
  const C4D_String* help = record.help;
  if (help != nullptr && !host->Check(kStringKind, help, kCall)) help = nullptr;
  const C4D_Bitmap* icon = record.icon;
  if (icon != nullptr && !host->Check(kBitmapKind, icon, kCall)) icon = nullptr;

  const bool inStart = !core.actions.empty() && core.actions.back() == C4D_PL_INIT;
  std::string refusal;
  if (!inStart) {
    host->Misuse(Rule::RegisterPhase, kCall,
                 "plug-ins register only while the host runs action 2 (start)");
    refusal = "registered outside action 2";
  } else if (apiVersion > C4D_API_VERSION) {
    refusal = "built for a newer host API (" + std::to_string(apiVersion) + ")";
  } else if (host->options.refuseRegistration) {
    refusal = "the host refuses registrations";
  } else {
    for (const auto& c : core.commands)
      if (c.id == id) refusal = "the id " + std::to_string(id) + " is registered already";
  }

  RegisteredCommand command;
  command.id = id;
  command.name = TextOf(name);
  command.help = TextOf(help);
  command.record = record;
  command.record.help = nullptr;  // the host keeps copies, never the plug-in's handles
  command.record.icon = nullptr;
  if (icon != nullptr) {
    command.hasIcon = true;
    command.icon = *reinterpret_cast<const BitmapObj*>(icon);
  }

  nlohmann::json event = {{"event", "register"},     {"id", id},
                          {"name", command.name},    {"help", command.help},
                          {"icon", command.hasIcon}, {"result", refusal.empty()}};
  if (command.hasIcon) {
    // What the host keeps of the icon: the file it was read from, whether it
    // holds an image, and its data entries by id.
    nlohmann::json data = nlohmann::json::object();
    for (const auto& [entry, value] : command.icon.data) data[std::to_string(entry)] = value;
    event["iconPath"] = command.icon.path;
    event["iconImage"] = command.icon.image;
    event["iconData"] = data;
  }
  host->journal.Emit(event);
  if (!refusal.empty()) {
    host->journal.Say("simhost: command " + std::to_string(id) + " refused: " + refusal);
    Destroy(*host, record, id, "registration refused");
    return 0;
  }
  host->journal.Say("simhost: registered command " + std::to_string(id) + " \"" + command.name +
                    "\" (help \"" + command.help + "\", " +
                    (command.hasIcon ? "icon " + LastComponent(command.icon.path) : "no icon") +
                    ")");
  core.commands.push_back(std::move(command));
  return 1;
}

}  // namespace

bool Host::ExecuteCommand(int32_t id) {
  RegisteredCommand* command = nullptr;
  for (auto& c : core->commands)
    if (c.id == id) command = &c;
  if (command == nullptr || !running) return false;

  C4D_Document* doc = nullptr;
  const C4D_DocumentTable* documents = Tables().document;
  if (C4D_HAS(documents, GetActiveDocument)) doc = documents->GetActiveDocument();

  // As in a menu: the command runs only while its state says it is enabled.
  int32_t state = C4D_CMD_ENABLED;
  if (command->record.GetState != nullptr) {
    PluginCall call(*this, "GetState(" + std::to_string(id) + ")");
    state = command->record.GetState(command->record.object, doc, nullptr);
  }
  nlohmann::json event = {{"event", "command"}, {"id", id}, {"state", state}};
  if ((state & C4D_CMD_ENABLED) == 0) {
    journal.Say("simhost: command " + std::to_string(id) + " is disabled (state " +
                std::to_string(state) + "); not run");
    event["executed"] = false;
    journal.Emit(event);
    return true;
  }
  journal.Say("simhost: the user runs command " + std::to_string(id) + " \"" + command->name +
              "\"");
  int32_t result = 0;
  if (command->record.Execute != nullptr) {
    PluginCall call(*this, "Execute(" + std::to_string(id) + ")");
    result = command->record.Execute(command->record.object, doc);
  }
  event["executed"] = true;
  event["result"] = result;
  journal.Emit(event);
  journal.Say("simhost: command " + std::to_string(id) + " answered " + std::to_string(result));
  return true;
}

void DestroyCommands(Host& host) {
  // Taken out first: a destructor may call back into the host.
  std::vector<RegisteredCommand> commands = std::move(host.core->commands);
  host.core->commands.clear();
  for (const auto& c : commands) Destroy(host, c.record, c.id, "host shutdown");
}

namespace {

const C4D_RegistrationTable* Table() {
  static const C4D_RegistrationTable table = {sizeof(C4D_RegistrationTable), RegisterPlugin};
  return &table;
}

const Offer kOffer("registration", &C4D_ServiceRoot::registration, Table());

}  // namespace

}  // namespace simhost
