// resource_area.cpp - the resource sets of one host run.
#include "resource/resource_area.h"

#include <algorithm>

#include "core/offers.h"

namespace simhost {

namespace {

// Areas start in order: resources, then the dialogs whose descriptions come
// from them, then documents.
const Offer kArea(0, []() -> std::unique_ptr<Area> { return std::make_unique<ResourceArea>(); });

}  // namespace

ResourceArea* Resources(Host& host) {
  for (auto& a : host.areas)
    if (auto* r = dynamic_cast<ResourceArea*>(a.get())) return r;
  return nullptr;
}

res::ResourceSet* ResourceArea::Add(std::unique_ptr<res::ResourceSet> set) {
  sets_.push_back(std::move(set));
  return sets_.back().get();
}

void ResourceArea::Delete(const C4D_Resource* handle) {
  std::erase_if(sets_, [&](const auto& r) { return static_cast<const void*>(r.get()) == handle; });
}

}  // namespace simhost
