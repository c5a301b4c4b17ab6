// sim_host.cpp - the simulated host as the layer's checks use it.
#include "sim_host.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>

#include "brevio_testing/support.h"

#include "core/core.h"
#include "dialog/dialog.h"
#include "document/document_area.h"
#include "resource/resource_set.h"

extern "C" C4D_ModuleInfo g_maxon;

namespace hostsim {
namespace {

struct State {
  simhost::Host host;
  simhost::CurrentScope scope{host};
  // Host objects made for the check: lent while the host runs.
  std::vector<std::unique_ptr<simhost::FilenameObj>> paths;
  std::vector<std::unique_ptr<simhost::Container>> containers;
  std::unique_ptr<brevio_testing::TempDir> scratch;
  size_t misusesTaken = 0;  // misuse events a check took out
};

// Kept past Stop only as NULL: the module's own static objects may still
// give objects back while the process ends, and then find no host.
std::unique_ptr<State>& Running() {
  static auto* state = new std::unique_ptr<State>;
  return *state;
}

simhost::Host& H() { return Running()->host; }

// As the dialog table names its objects.
constexpr simhost::TypedKind<simhost::DialogObj> kDialogKind =
    simhost::AreaKind<simhost::DialogObj>("dialog");

template <class T>
const T* SizeOnly(const T* table) {
  static T copy;
  copy = *table;
  copy.size = sizeof(uint32_t);
  return &copy;
}

}  // namespace

void Start() {
  Running() = std::make_unique<State>();
  H().options.echo = false;
  H().journal.echo = false;
  H().Start();
}

void Stop() {
  if (!Running()) return;
  H().Stop();
  for (auto& p : Running()->paths) H().RemoveHostObject(simhost::kFilenameKind, p.get());
  for (auto& c : Running()->containers) H().RemoveHostObject(simhost::kContainerKind, c.get());
  Running().reset();
}

namespace {
std::vector<std::string> AllMisuses() {
  std::vector<std::string> out;
  for (const std::string& line : H().journal.Events()) {
    const nlohmann::json e = nlohmann::json::parse(line);
    if (e.value("event", "") == "misuse")
      out.push_back(e.value("rule", "") + " " + e.value("call", "") + ": " + e.value("text", ""));
  }
  return out;
}
}  // namespace

std::vector<std::string> Misuses() {
  std::vector<std::string> all = AllMisuses();
  all.erase(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(Running()->misusesTaken));
  return all;
}

std::vector<std::string> TakeMisuses() {
  std::vector<std::string> taken = Misuses();
  Running()->misusesTaken += taken.size();
  return taken;
}

std::vector<std::string> Events(const std::string& name, const std::vector<std::string>& keys) {
  std::vector<std::string> out;
  for (const std::string& line : H().journal.Events()) {
    const nlohmann::json e = nlohmann::json::parse(line);
    if (e.value("event", "") != name) continue;
    std::string values;
    for (const std::string& key : keys)
      values += (values.empty() ? "" : " ") + (e.contains(key) ? e[key].dump() : "-");
    out.push_back(values);
  }
  return out;
}

DuringStart::DuringStart() { H().core->actions.push_back(C4D_PL_INIT); }
DuringStart::~DuringStart() { H().core->actions.pop_back(); }

void RefuseRegistrations(bool refuse) { H().options.refuseRegistration = refuse; }

std::vector<Command> Commands() {
  std::vector<Command> out;
  for (const simhost::RegisteredCommand& c : H().core->commands)
    out.push_back({c.id, c.name, c.help, c.hasIcon, c.record});
  return out;
}

void RefusePrefsSave(bool refuse) { H().options.refusePrefsSave = refuse; }

uint64_t Calls() { return H().entryCalls; }

C4D_ServiceRoot MakeRoot(int apiVersion) {
  C4D_ServiceRoot root = H().Tables();
  root.apiVersion = apiVersion;
  root.tableCount = C4D_SERVICE_TABLE_COUNT;
  return root;
}

C4D_ServiceRoot MakeSizeOnlyRoot() {
  C4D_ServiceRoot root = MakeRoot();
  // Every table of the root, from the ABI's one list of them.
#define BREVIO_SIZE_ONLY(field, type, name) root.field = SizeOnly(root.field);
  C4D_SERVICE_TABLES(BREVIO_SIZE_ONLY)
#undef BREVIO_SIZE_ONLY
  return root;
}

std::map<std::string, int> LiveObjects() {
  std::map<std::string, int> live;
  for (const auto& [kind, count] : H().ledger.Live()) live[kind] = static_cast<int>(count);
  return live;
}

int Live(const std::string& kind) {
  const std::map<std::string, int> live = LiveObjects();
  auto it = live.find(kind);
  return it != live.end() ? it->second : 0;
}

void FailNextCreate(const std::string& kind) {
  H().options.failAllocationKind = kind;
  H().options.failAllocationAt = H().core->creations;
}

C4D_Filename* HostPath(const std::string& path) {
  Running()->paths.push_back(std::make_unique<simhost::FilenameObj>(simhost::FilenameObj{path}));
  simhost::FilenameObj* f = Running()->paths.back().get();
  H().AddHostObject(simhost::kFilenameKind, f);
  return reinterpret_cast<C4D_Filename*>(f);
}

C4D_Container* HostContainer(int32_t id) {
  Running()->containers.push_back(std::make_unique<simhost::Container>());
  simhost::Container* c = Running()->containers.back().get();
  c->id = id;
  H().AddHostObject(simhost::kContainerKind, c);
  return simhost::ToHandle(c);
}

void ReleaseHostPath(C4D_Filename* path) {
  auto& paths = Running()->paths;
  for (auto it = paths.begin(); it != paths.end(); ++it)
    if (reinterpret_cast<C4D_Filename*>(it->get()) == path) {
      H().RemoveHostObject(simhost::kFilenameKind, path);
      paths.erase(it);
      return;
    }
}

std::string TextOf(const C4D_String* s) {
  return H().Known(simhost::kStringKind, s) ? simhost::TextOf(s) : "<not a string>";
}

std::string PathOf(const C4D_Filename* f) {
  return H().Known(simhost::kFilenameKind, f) ? simhost::PathOf(f) : "<not a path>";
}

int32_t IntOf(const C4D_Container* c, int32_t id, int32_t def) {
  if (!H().Known(simhost::kContainerKind, c)) return def;
  const auto& entries = simhost::AsContainer(c)->entries;
  auto it = entries.find(id);
  return it != entries.end() && it->second.type == simhost::Value::Type::Int32 ? it->second.i : def;
}

size_t EntriesOf(const C4D_Container* c) {
  return H().Known(simhost::kContainerKind, c) ? simhost::AsContainer(c)->entries.size() : 0;
}

Levels LevelsOf(const C4D_DescID* d) {
  if (!H().Known(simhost::kDescIdKind, d)) return {};
  return reinterpret_cast<const simhost::DescIdObj*>(d)->levels;
}

void SetHostInt(C4D_Container* c, int32_t id, int32_t value) {
  if (H().Known(simhost::kContainerKind, c))
    simhost::AsContainer(c)->entries[id] = simhost::Value::Int32(value);
}

Document AddDocument(const std::vector<int32_t>& effectTypes) {
  auto doc = std::make_unique<simhost::Document>();
  doc->renderData = std::make_unique<simhost::Node>();
  simhost::Node& rd = *doc->renderData;
  rd.kind = simhost::Node::Kind::RenderData;
  rd.type = simhost::kRenderDataType;
  rd.document = doc.get();
  Document made;
  made.doc = simhost::ToHandle(doc.get());
  made.renderData = simhost::ToHandle(&rd);
  for (int32_t type : effectTypes) {
    auto node = std::make_unique<simhost::Node>();
    node->type = type;
    node->document = doc.get();
    node->index = doc->effects.size();
    made.effects.push_back(simhost::ToHandle(node.get()));
    doc->effects.push_back(std::move(node));
  }
  H().AreaOf<simhost::DocumentArea>().SetActive(H(), std::move(doc));
  return made;
}

C4D_Container* SettingsOf(C4D_Node* node) {
  return simhost::ToHandle(&simhost::AsNode(node)->data);
}

C4D_Container* StorePrefs(int32_t id) {
  auto& slot = H().core->prefs[id];
  if (slot) H().RemoveHostObject(simhost::kContainerKind, slot.get());
  slot = std::make_unique<simhost::Container>();
  slot->id = id;
  H().AddHostObject(simhost::kContainerKind, slot.get());
  return simhost::ToHandle(slot.get());
}

double BitmapData(const C4D_Bitmap* b, int32_t id) {
  if (!H().Known(simhost::kBitmapKind, b)) return -1;
  const auto& data = reinterpret_cast<const simhost::BitmapObj*>(b)->data;
  auto it = data.find(id);
  return it != data.end() ? it->second : -1;
}

namespace {
std::string ScratchFolder() {
  auto& scratch = Running()->scratch;
  if (!scratch) scratch = std::make_unique<brevio_testing::TempDir>("host-layer");
  return scratch->Str();
}
}  // namespace

std::string ScratchFile(const std::string& name, const std::string& bytes) {
  const std::string path = simhost::JoinPath(ScratchFolder(), name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string PluginFolder(const std::string& name, const std::map<int32_t, std::string>& strings) {
  const std::string folder = simhost::JoinPath(ScratchFolder(), name);
  std::filesystem::create_directories(folder);
  if (strings.empty()) return folder;
  const std::string res = simhost::JoinPath(folder, "res");
  std::filesystem::create_directories(simhost::JoinPath(res, "strings_en-US"));
  std::ofstream symbols(simhost::JoinPath(res, "c4d_symbols.h"));
  std::ofstream table(simhost::JoinPath(res, "strings_en-US/c4d_strings.str"));
  symbols << "enum\n{\n";
  table << "STRINGTABLE\n{\n";
  for (const auto& [id, text] : strings) {
    symbols << "  IDS_" << id << " = " << id << ",\n";
    table << "  IDS_" << id << " \"" << text << "\";\n";
  }
  symbols << "};\n";
  table << "}\n";
  return folder;
}

std::string StartupFolder() { return simhost::platform::ExecutableFolder(); }

std::string ModulesFolder() { return simhost::FrameworkFolder(); }

std::string FolderOf(const C4D_Resource* r) {
  if (!H().Known(simhost::res::kResourceKind, r)) return "";
  return simhost::res::kResourceKind.From(r)->folder;
}

std::string ModuleFolder() { return BREVIO_SOURCE_DIR; }

namespace {
void Flatten(const std::vector<simhost::MenuEntry>& entries, std::vector<std::string>& out) {
  using Type = simhost::MenuEntry::Type;
  for (const simhost::MenuEntry& e : entries) switch (e.type) {
      case Type::Sub:
        out.push_back("sub " + e.text);
        Flatten(e.entries, out);
        out.push_back("end");
        break;
      case Type::String:
        out.push_back("string " + std::to_string(e.id) + " " + e.text);
        break;
      case Type::Separator:
        out.push_back("separator");
        break;
      case Type::Command:
        out.push_back("command " + std::to_string(e.id));
        break;
    }
}
}  // namespace

DialogSide DialogOf(C4D_Dialog* d) {
  DialogSide side;
  if (!H().Known(kDialogKind, d)) return side;
  const simhost::DialogObj* dlg = simhost::AsDialog(d);
  side.callbacks = dlg->callbacks;
  side.ctx = dlg->ctx;
  side.open = dlg->state == simhost::DialogObj::State::Open;
  side.pluginId = dlg->pluginId;
  side.subId = dlg->subId;
  Flatten(dlg->window.menu.menus, side.menu);
  if (dlg->window.menu.finished) side.menu.push_back("finished");
  return side;
}

std::vector<std::string> ItemsOf(C4D_Dialog* d, int32_t gadget) {
  std::vector<std::string> items;
  if (!H().Known(kDialogKind, d)) return items;
  if (simhost::Gadget* g = simhost::AsDialog(d)->window.Find(gadget))
    for (const auto& [id, text] : g->items) items.push_back(std::to_string(id) + " " + text);
  return items;
}

void ReleaseRegistrations() { simhost::DestroyCommands(H()); }

void ResolveLogger(bool present) {
  for (C4D_Declaration* d = g_maxon.declarations; d != nullptr; d = d->next)
    if (d->kind == C4D_DECL_REFERENCE && std::strcmp(d->id, C4D_DEFAULT_LOGGER_ID) == 0)
      *d->slot = present ? simhost::DefaultLogger(H()) : nullptr;
}

}  // namespace hostsim
