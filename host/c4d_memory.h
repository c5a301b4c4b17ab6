// c4d_memory.h - the host's allocator. Objects handed to the host (the
// command object) must come from here, because the host gives them back here.
#pragma once

#include <cstddef>

// A zero-filled block from the host, or NULL (no memory, or no allocator).
void* MemAllocClear(size_t bytes);
// Gives a block from MemAllocClear back to the host; NULL is ignored.
void MemFree(void* block);
