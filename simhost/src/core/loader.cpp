// loader.cpp - finding module files in the plug-ins folders, reading their
// declarations (g_maxon), and driving c4d_main through the start and the end
// of a host run.
#include <algorithm>
#include <filesystem>
#include <set>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace fs = std::filesystem;

namespace {

// The oldest module API this host still loads.
constexpr int64_t kOldestModuleApi = 2026000;

std::string ActionName(int32_t action) {
  switch (action) {
    case C4D_PL_INIT_SYS:
      return "1 (system initialisation)";
    case C4D_PL_INIT:
      return "2 (start)";
    case C4D_PL_END:
      return "3 (end)";
    case C4D_PL_INIT_VERSION:
      return "4 (entry version)";
    case C4D_PL_MESSAGE:
      return "6 (message)";
    default:
      return std::to_string(action);
  }
}

std::string Generic(const fs::path& p) {
  std::u8string s = p.generic_u8string();
  return std::string(s.begin(), s.end());
}

void FillRoot(Host& host) {
  C4D_ServiceRoot& root = host.core->root;
  root = host.Tables();
  root.apiVersion = host.options.apiVersion;
  root.tableCount = C4D_SERVICE_TABLE_COUNT;
  for (const auto& name : host.options.missingTables) {
    const TableOffer* offer = nullptr;
    for (const TableOffer& t : AllOffers().tables)
      if (t.name == name) offer = &t;
    if (offer == nullptr) {
      host.journal.Say("simhost: WARNING: unknown service table \"" + name +
                       "\" in the missing tables; ignored");
      continue;
    }
    offer->place(root, false);
    host.journal.Say("simhost: the service table \"" + name + "\" is left out");
  }
}

struct Candidate {
  std::string path;
  std::string folder;
  std::string name;
};

// Every <dir>/<Name>/<Name><ext>, folders in the order given, names sorted.
std::vector<Candidate> FindModules(Host& host) {
  std::vector<Candidate> found;
  for (const auto& dir : host.options.pluginDirs) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
      host.journal.Say("simhost: WARNING: plug-ins folder " + dir + " does not exist");
      host.journal.Emit({{"event", "plugins-folder"}, {"path", dir}, {"exists", false}});
      continue;
    }
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(dir, ec))
      if (entry.is_directory(ec)) folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    for (const auto& folder : folders) {
      const std::string name = Generic(folder.filename());
      const fs::path file = folder / (name + platform::ModuleExtension());
      // Anything else of that name (a pipe, a folder) is refused when loaded, by name.
      if (fs::exists(fs::status(file, ec))) found.push_back({Generic(file), Generic(folder), name});
    }
  }
  return found;
}

void Resolve(Host& host, const std::vector<C4D_Declaration*>& references) {
  for (C4D_Declaration* d : references) {
    void* object = nullptr;
    if (std::string(d->id) == C4D_DEFAULT_LOGGER_ID) object = DefaultLogger(host);
    *d->slot = object;
    host.journal.Say(std::string("  reference ") + d->id + ": " +
                     (object != nullptr ? "resolved" : "not available (NULL)"));
  }
}

void Unload(Host& host, Module& module) {
  if (module.library != nullptr) {
    platform::CloseLibrary(module.library);
    module.library = nullptr;
    module.main = nullptr;
    host.journal.Emit({{"event", "unload"}, {"path", module.path}});
    if (platform::IsResident(module.path)) {
      // The system kept the file mapped (for example for unique symbols), so
      // the next load would see this run's static state.
      host.journal.Say("simhost: WARNING: " + module.path +
                       " stays in memory after unloading; a restart will not load it afresh");
      host.journal.Emit({{"event", "resident"}, {"path", module.path}});
    }
  }
  if (module.location != nullptr) {
    host.RemoveHostObject(kFilenameKind, module.location);
    delete module.location;
    module.location = nullptr;
  }
  module.initialised = false;
}

// Loads one file and reads its declarations; NULL when it is refused.
std::unique_ptr<Module> Load(Host& host, const Candidate& candidate) {
  auto module = std::make_unique<Module>();
  module->path = candidate.path;
  module->folder = candidate.folder;
  module->name = candidate.name;
  host.journal.Say("simhost: loading " + module->path);

  std::string error;
  module->library = platform::OpenLibrary(module->path, error);
  if (module->library == nullptr) {
    host.journal.Say("simhost: " + module->path + " cannot be loaded: " + error);
    host.journal.Emit(
        {{"event", "module"}, {"path", module->path}, {"loaded", false}, {"reason", error}});
    return nullptr;
  }
  auto* info = static_cast<C4D_ModuleInfo*>(platform::FindSymbol(module->library, "g_maxon"));
  std::vector<C4D_Declaration*> references;
  std::string refusal = ReadDeclarations(host, *module, info, references);
  if (refusal.empty()) {
    module->main = reinterpret_cast<C4D_MainFn>(platform::FindSymbol(module->library, "c4d_main"));
    if (module->main == nullptr) {
      refusal = "it exports no c4d_main";
      host.journal.Emit(
          {{"event", "module"}, {"path", module->path}, {"loaded", false}, {"reason", refusal}});
    }
  }
  if (!refusal.empty()) {
    host.journal.Say("simhost: module refused: " + refusal);
    Unload(host, *module);
    return nullptr;
  }
  Resolve(host, references);
  module->location = new FilenameObj{module->folder};
  host.AddHostObject(kFilenameKind, module->location);
  return module;
}

}  // namespace

// Reads g_maxon: versions, identity, dependencies, references. Answers the
// reason for refusing the module ("" when it is acceptable).
std::string ReadDeclarations(Host& host, Module& module, const C4D_ModuleInfo* info,
                             std::vector<C4D_Declaration*>& references) {
  nlohmann::json event = {{"event", "module"}, {"path", module.path}};
  auto refuse = [&](const std::string& why) {
    event["loaded"] = false;
    event["reason"] = why;
    host.journal.Emit(event);
    return why;
  };
  if (info == nullptr) return refuse("it exports no g_maxon");
  event["api"] = info->apiVersion;
  event["apiCompatible"] = info->apiVersionCompatible;
  host.journal.Say("  API " + std::to_string(info->apiVersion) + ", compatible with " +
                   std::to_string(info->apiVersionCompatible));
  if (info->apiVersion < kOldestModuleApi)
    return refuse("built for API " + std::to_string(info->apiVersion) +
                  "; this host loads modules of API " + std::to_string(kOldestModuleApi) +
                  " and later");
  if (info->apiVersionCompatible > C4D_API_VERSION)
    return refuse("needs a host of API " + std::to_string(info->apiVersionCompatible) +
                  "; this host is " + std::to_string(C4D_API_VERSION));
  if (info->apiVersionCompatible > info->apiVersion)
    return refuse("its compatible API version lies above its own API version");
  for (uint64_t r : info->reserved)
    if (r != 0) host.journal.Say("  WARNING: reserved fields of g_maxon are not zero");

  std::set<const C4D_Declaration*> seen;
  std::vector<std::string> dependencies;
  std::vector<std::string> reflections;
  nlohmann::json refs = nlohmann::json::array();
  const C4D_Declaration* last = nullptr;
  for (C4D_Declaration* d = info->declarations; d != nullptr; d = d->next) {
    if (!seen.insert(d).second) return refuse("its declaration list runs in a circle");
    last = d;
    if (d->id == nullptr) return refuse("a declaration has no id");
    const std::string id = d->id;
    switch (d->kind) {
      case C4D_DECL_MODULE_ID:
        if (!module.identity.empty()) return refuse("it declares two identities");
        module.identity = id;
        break;
      case C4D_DECL_DEPENDENCY:
        dependencies.push_back(id);
        break;
      case C4D_DECL_REFLECTION:
        reflections.push_back(id + (d->label != nullptr ? std::string(" ") + d->label : ""));
        break;
      case C4D_DECL_REFERENCE:
        if (d->slot == nullptr) return refuse("the reference " + id + " has no slot");
        references.push_back(d);
        refs.push_back(id);
        break;
      default:
        return refuse("declaration " + id + " has an unknown kind " + std::to_string(d->kind));
    }
  }
  if (last != info->lastDeclaration)
    host.journal.Say("  WARNING: g_maxon's last declaration is not the end of its list");
  if (module.identity.empty()) return refuse("it declares no module identity");
  event["identity"] = module.identity;
  event["dependencies"] = dependencies;
  event["references"] = refs;
  host.journal.Say("  identity: " + module.identity);
  for (const auto& dep : dependencies) host.journal.Say("  depends on: " + dep);
  for (const auto& r : reflections) host.journal.Say("  reflection registration: " + r);

  const auto& have = HostFrameworks();
  for (const auto& dep : dependencies)
    if (std::find(have.begin(), have.end(), dep) == have.end())
      return refuse("it depends on " + dep + ", which this host does not have");
  event["loaded"] = true;
  host.journal.Emit(event);
  return "";
}

C4D_ServiceRoot* ServiceRoot(Host& host) { return &host.core->root; }

int32_t CallMain(Host& host, Module& module, int32_t action, void* p1, void* p2, void* p3) {
  if (module.main == nullptr) return C4D_PL_ERROR;
  const auto message = static_cast<int32_t>(reinterpret_cast<intptr_t>(p1));
  // Actions 1 and 2 and message 1 may build the module's lasting state
  // (location, resource, registered command); any other call frees what it
  // creates before it returns.
  const bool buildsState = action == C4D_PL_INIT_SYS || action == C4D_PL_INIT ||
                           (action == C4D_PL_MESSAGE && message == C4D_MSG_INIT_SYS);
  std::string name = "c4d_main(" + std::to_string(action);
  if (action == C4D_PL_MESSAGE) name += ", message " + std::to_string(message);
  host.core->actions.push_back(action);
  int32_t result = 0;
  {
    PluginCall call(host, name + ")", !buildsState);
    result = module.main(action, p1, p2, p3);
  }
  host.core->actions.pop_back();
  nlohmann::json event = {{"event", "entry"}, {"action", action}};
  std::string shown = "simhost: c4d_main action " + ActionName(action);
  if (action == C4D_PL_MESSAGE) {
    event["message"] = message;
    shown += " message " + std::to_string(message);
  }
  event["result"] = result;
  host.journal.Emit(event);
  host.journal.Say(shown + " answered " + std::to_string(result));
  return result;
}

int32_t CallInitSys(Host& host, Module& module) {
  void* root = host.options.passServiceRoot ? ServiceRoot(host) : nullptr;
  void* location = host.options.passModuleLocation ? module.location : nullptr;
  return CallMain(host, module, C4D_PL_INIT_SYS, root, nullptr, location);
}

void LoadModules(Host& host) {
  CoreState& core = *host.core;
  FillRoot(host);
  for (const auto& candidate : FindModules(host)) {
    // The system would hand back the first load (one copy of its state for
    // both): the same file, by any path or hard link, is loaded once.
    std::string twin;
    for (const auto& loaded : core.modules) {
      std::error_code ec;
      if (fs::equivalent(candidate.path, loaded->path, ec)) twin = loaded->path;
    }
    if (!twin.empty()) {
      const std::string why = "the same file as " + twin + " is already loaded";
      host.journal.Say("simhost: " + candidate.path + " refused: " + why);
      host.journal.Emit(
          {{"event", "module"}, {"path", candidate.path}, {"loaded", false}, {"reason", why}});
      continue;
    }
    if (auto module = Load(host, candidate)) core.modules.push_back(std::move(module));
  }
  if (core.modules.empty()) host.journal.Say("simhost: no module loaded");

  // The phases run across all modules, as the host starts its modules together.
  for (auto& module : core.modules) {
    const int32_t entryVersion =
        CallMain(host, *module, C4D_PL_INIT_VERSION, nullptr, nullptr, nullptr);
    if (entryVersion != C4D_PL_ENTRY_VERSION) {
      host.journal.Say("simhost: " + module->name + " speaks entry protocol " +
                       std::to_string(entryVersion) + ", not " +
                       std::to_string(C4D_PL_ENTRY_VERSION) + "; unloaded");
      Unload(host, *module);
      continue;
    }
    if (CallInitSys(host, *module) != C4D_PL_OK) {
      host.journal.Say("simhost: " + module->name +
                       " did not accept the host in action 1; unloaded without further calls");
      Unload(host, *module);
      continue;
    }
    module->initialised = true;
  }
  for (int32_t message : {C4D_MSG_PRIORITY, C4D_MSG_INIT_SYS})
    for (auto& module : core.modules)
      if (module->initialised)
        CallMain(host, *module, C4D_PL_MESSAGE,
                 reinterpret_cast<void*>(static_cast<intptr_t>(message)), nullptr, nullptr);
  for (auto& module : core.modules)
    if (module->initialised) CallMain(host, *module, C4D_PL_INIT, nullptr, nullptr, nullptr);
  // Modules unloaded along the way are gone for this run.
  std::erase_if(core.modules, [](const auto& m) { return m->library == nullptr; });
}

void EndModules(Host& host) {
  auto& modules = host.core->modules;
  for (auto it = modules.rbegin(); it != modules.rend(); ++it)
    if ((*it)->initialised) CallMain(host, **it, C4D_PL_END, nullptr, nullptr, nullptr);
}

void UnloadModules(Host& host) {
  auto& modules = host.core->modules;
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) Unload(host, **it);
  modules.clear();
}

}  // namespace simhost
