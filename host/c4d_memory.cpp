// c4d_memory.cpp - the host's allocator.
#include "c4d_memory.h"

#include "c4d_tables.h"

void* MemAllocClear(size_t bytes) {
  const C4D_MemoryTable* t = HostTables().memory;
  return HOST_HAS(t, Alloc) && HOST_HAS(t, Free) ? t->Alloc(bytes) : nullptr;
}

void MemFree(void* block) {
  const C4D_MemoryTable* t = HostTables().memory;
  if (block != nullptr && HOST_HAS(t, Free)) t->Free(block);
}
