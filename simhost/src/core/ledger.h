// ledger.h - every object the plug-in creates through the tables, by kind.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/kind.h"

namespace simhost {

// Every object the plug-in creates through the tables is accounted here by
// kind (core/kind.h: "container", "string", "filename", "resource",
// "bitmap", "dialog", "descid", "memory"); a handle not in the ledger is not
// one the host handed out (or it was freed already).
//
// A freed object is not destroyed at once but retired until the host run
// ends: its address cannot come back for a new object while the plug-in
// runs, so a handle kept after its free is always recognised as stale, and
// a second free as a second free.
class Ledger {
 public:
  Ledger() = default;
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;
  ~Ledger();
  void Add(const ObjectKind& kind, const void* handle);
  // The plug-in frees a live object of `kind`: it is retired. False (and
  // nothing changed) when handle is not a live object of kind.
  bool Remove(const ObjectKind& kind, const void* handle);
  bool Has(const ObjectKind& kind, const void* handle) const;
  // Live objects per kind name (kinds with zero are left out).
  std::map<std::string, size_t> Live() const;
  // Destroys every retired object and every live one (the host reclaims
  // what a plug-in leaked after reporting it), oldest first.
  void Reclaim();

  // The call into the plug-in in progress (0: none); each object added is
  // recorded as created during it.
  void SetCall(uint64_t call) { call_ = call; }
  uint64_t CurrentCall() const { return call_; }
  // Live objects per kind name that were created during `call`.
  std::map<std::string, size_t> LiveFrom(uint64_t call) const;
  // Live objects counted by {the call that created them, kind name}.
  std::map<std::pair<uint64_t, std::string>, size_t> LiveByCall() const;

 private:
  struct Entry {
    uint64_t serial = 0;
    uint64_t call = 0;
    void (*destroy)(void*) = nullptr;
  };
  std::map<std::string, std::map<const void*, Entry>> live_;
  std::vector<std::pair<const void*, Entry>> retired_;
  uint64_t serial_ = 0;
  uint64_t call_ = 0;
};

}  // namespace simhost
