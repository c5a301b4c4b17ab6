// resource_table.cpp - the host's resource service table.
#include "core/host.h"

namespace simhost {

const C4D_ResourceTable* ResourceTable() {
  static const C4D_ResourceTable table = {sizeof(C4D_ResourceTable), nullptr, nullptr, nullptr,
                                          nullptr};
  return &table;
}

namespace {
struct ResourceArea : Area {};
}  // namespace

std::unique_ptr<Area> MakeResourceArea() { return std::make_unique<ResourceArea>(); }

}  // namespace simhost
