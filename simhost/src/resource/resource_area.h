// resource_area.h - the resource sets the plug-in holds in one host run: the
// resource table adds and deletes them, and the dialog area looks up the set
// a description is loaded from.
#pragma once

#include <memory>
#include <vector>

#include "c4d_abi.h"
#include "core/host.h"
#include "resource/resource_set.h"

namespace simhost {

// Resource sets belong to their area, which destroys them at its stop.
inline constexpr ObjectKind kResourceKind{"resource", nullptr};

class ResourceArea : public Area {
 public:
  // The plug-in is gone: whatever it still held is reported as a leak by the
  // ledger; the sets are the host's to give back.
  void OnStop(Host&) override { sets_.clear(); }

  res::ResourceSet* Add(std::unique_ptr<res::ResourceSet> set);
  void Delete(const C4D_Resource* handle);
  // The set behind a handle the ledger knows as a live resource.
  const res::ResourceSet* Find(const C4D_Resource* handle) const;

 private:
  std::vector<std::unique_ptr<res::ResourceSet>> sets_;
};

ResourceArea* Resources(Host& host);  // NULL when the host has no such area

}  // namespace simhost
