// c4d_memory.cpp - the host's allocator, behind NewObjClear and DeleteObj.
#include "c4d_tables.h"
#include "maxon/newobj.h"

namespace maxon {

void* HostAllocClear(size_t bytes) {
  const C4D_MemoryTable* t = HostTables().memory;
  return HOST_HAS(t, Alloc) && HOST_HAS(t, Free) ? t->Alloc(bytes) : nullptr;
}

void HostFree(void* block) {
  const C4D_MemoryTable* t = HostTables().memory;
  if (block != nullptr && HOST_HAS(t, Free)) t->Free(block);
}

}  // namespace maxon
