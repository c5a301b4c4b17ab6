// resource_area.h - the resource sets the plug-in holds in one host run: the
// resource table adds and deletes them; the ledger says which are live, and
// a table that has checked a handle reaches its set through kResourceKind
// (resource_set.h).
#pragma once

#include <memory>
#include <vector>

#include "c4d_abi.h"
#include "core/host.h"
#include "resource/resource_set.h"

namespace simhost {

class ResourceArea : public Area {
 public:
  // The plug-in is gone: whatever it still held is reported as a leak by the
  // ledger; the sets are the host's to give back.
  void OnStop(Host&) override { sets_.clear(); }

  res::ResourceSet* Add(std::unique_ptr<res::ResourceSet> set);
  void Delete(const C4D_Resource* handle);

 private:
  std::vector<std::unique_ptr<res::ResourceSet>> sets_;
};

ResourceArea* Resources(Host& host);  // NULL when the host has no such area

}  // namespace simhost
