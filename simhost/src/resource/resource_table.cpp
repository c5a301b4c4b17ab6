// resource_table.cpp - the host's resource service table: resource sets
// loaded from a plug-in's res folder, and strings from their string table.
#include <filesystem>

#include "core/core.h"
#include "core/objects.h"
#include "core/offers.h"
#include "resource/resource_area.h"
#include "resource/resource_set.h"

namespace simhost {

namespace {

constexpr const TypedKind<res::ResourceSet>& kKind = res::kResourceKind;

C4D_Resource* Load(Host& host, const std::string& folder) {
  ResourceArea* area = Resources(host);
  if (area == nullptr || !host.AllowCreate(kKind)) return nullptr;
  auto set = std::make_unique<res::ResourceSet>();
  res::ResError error;
  switch (res::LoadResourceSet(folder, *set, error)) {
    case res::LoadResult::Ok:
      break;
    case res::LoadResult::Missing:
      host.journal.Say("simhost: no resource set: " + error.text);
      return nullptr;
    case res::LoadResult::Malformed:
      host.journal.Say("simhost: resource error: " + error.Format());
      host.journal.Emit({{"event", "resource"},
                         {"path", error.path},
                         {"line", error.line},
                         {"error", error.Format()}});
      return nullptr;
  }
  res::ResourceSet* r = area->Add(std::move(set));
  host.ledger.Add(kKind, r);
  return reinterpret_cast<C4D_Resource*>(r);
}

C4D_Resource* LoadSet(const C4D_Filename* resFolder) {
  auto [host, folder] = Enter("Resource.LoadSet", kFilenameKind, resFolder);
  return folder == nullptr ? nullptr : Load(*host, folder->path);
}

C4D_Resource* LoadFromPluginFolder(const C4D_Filename* pluginFolder) {
  const char* call = "Resource.LoadFromPluginFolder";
  auto [host, path] = Enter(call, kFilenameKind, pluginFolder);
  if (path == nullptr) return nullptr;
  const std::string& folder = path->path;
  if (folder.empty()) {
    host->journal.Say("simhost: no resource set: empty plug-in folder");
    return nullptr;
  }
  return Load(*host, (std::filesystem::path(folder) / "res").generic_string());
}

void Free(C4D_Resource* r) {
  Host* host = Enter("Resource.Free");
  if (host == nullptr || !host->CheckFree(kKind, r, "Resource.Free")) return;
  host->ledger.Remove(kKind, r);
  if (ResourceArea* area = Resources(*host)) area->Delete(r);
}

C4D_String* LoadString(const C4D_Resource* r, int32_t id) {
  Host* host = Enter("Resource.LoadString");
  if (host == nullptr) return nullptr;
  std::string text;
  if (r != nullptr && host->Check(kKind, r, "Resource.LoadString")) {
    const res::ResourceSet* set = kKind.From(r);
    auto it = set->strings.find(id);
    if (it != set->strings.end()) text = it->second;
  }
  // The plug-in owns the string: made exactly as the string table makes one.
  return Current()->Tables().string->Create(text.c_str());
}

}  // namespace

namespace {

const C4D_ResourceTable* Table() {
  static const C4D_ResourceTable table = {sizeof(C4D_ResourceTable), LoadSet, LoadFromPluginFolder,
                                          Free, LoadString};
  return &table;
}

const Offer kOffer("resource", &C4D_ServiceRoot::resource, Table());

}  // namespace

}  // namespace simhost
