// ledger.cpp - the accounts of the plug-in's objects: live by kind, retired
// when freed, all destroyed at the end of a host run.
#include "core/ledger.h"

#include <algorithm>

namespace simhost {

Ledger::~Ledger() { Reclaim(); }

void Ledger::Add(const ObjectKind& kind, const void* handle) {
  if (handle == nullptr) return;
  live_[kind.name][handle] = Entry{serial_++, call_, kind.destroy};
}

bool Ledger::Remove(const ObjectKind& kind, const void* handle) {
  auto k = live_.find(kind.name);
  if (k == live_.end()) return false;
  auto it = k->second.find(handle);
  if (it == k->second.end()) return false;
  if (it->second.destroy != nullptr) {
    retired_.emplace_back(handle, it->second);
  }
  k->second.erase(it);
  return true;
}

bool Ledger::Has(const ObjectKind& kind, const void* handle) const {
  auto k = live_.find(kind.name);
  return k != live_.end() && k->second.count(handle) > 0;
}

std::map<std::string, size_t> Ledger::Live() const {
  std::map<std::string, size_t> counts;
  for (const auto& [kind, handles] : live_)
    if (!handles.empty()) counts[kind] = handles.size();
  return counts;
}

std::map<std::string, size_t> Ledger::LiveFrom(uint64_t call) const {
  std::map<std::string, size_t> counts;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles)
      if (entry.call == call) ++counts[kind];
  return counts;
}

std::map<std::pair<uint64_t, std::string>, size_t> Ledger::LiveByCall() const {
  std::map<std::pair<uint64_t, std::string>, size_t> counts;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles) ++counts[{entry.call, kind}];
  return counts;
}

void Ledger::Reclaim() {
  std::vector<std::pair<uint64_t, std::pair<void (*)(void*), const void*>>> byAge;
  for (const auto& [kind, handles] : live_)
    for (const auto& [handle, entry] : handles)
      if (entry.destroy != nullptr) byAge.push_back({entry.serial, {entry.destroy, handle}});
  for (const auto& [handle, entry] : retired_)
    byAge.push_back({entry.serial, {entry.destroy, handle}});
  live_.clear();
  retired_.clear();
  std::sort(byAge.begin(), byAge.end());
  for (const auto& [serial, object] : byAge) object.first(const_cast<void*>(object.second));
}

}  // namespace simhost
