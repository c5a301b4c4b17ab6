// memory_table.cpp - the host allocator: zero-filled blocks, accounted.
#include <cstdlib>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

void* Alloc(size_t bytes) {
  Host* host = Enter("Memory.Alloc");
  if (host == nullptr || !host->AllowCreate(kMemoryKind)) return nullptr;
  // A zero-byte request still gets a distinct block, as the host's does.
  void* block = std::calloc(1, bytes == 0 ? 1 : bytes);
  host->ledger.Add(kMemoryKind, block);
  return block;
}

void Free(void* block) {
  Host* host = Enter("Memory.Free");
  // Never free what the host did not hand out.
  if (host == nullptr || !host->CheckFree(kMemoryKind, block, "Memory.Free")) return;
  // A registered command's object is the host's: it goes only through Destruct.
  for (const RegisteredCommand& command : host->core->commands)
    if (command.record.object == block) {
      host->Misuse(Rule::CommandObject, "Memory.Free",
                   "frees the object of registered command " + std::to_string(command.id) +
                       ", which the host owns (it is destroyed through Destruct)");
      return;
    }
  host->ledger.Remove(kMemoryKind, block);
}

}  // namespace

namespace {

const C4D_MemoryTable* Table() {
  static const C4D_MemoryTable table = {sizeof(C4D_MemoryTable), Alloc, Free};
  return &table;
}

const Offer kOffer("memory", &C4D_ServiceRoot::memory, Table());

}  // namespace

}  // namespace simhost
