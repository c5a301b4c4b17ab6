// maxon/newobj.h - objects in the host's memory: NewObjClear makes a
// zero-filled one (or answers NULL), DeleteObj destroys it and gives the
// memory back. Objects handed to the host (a command object) must come from
// here, because the host gives them back the same way.
#pragma once

#include <new>

#include "maxon/apibase.h"

namespace maxon {

// A zero-filled block from the host, or NULL (no memory, or no allocator).
void* HostAllocClear(size_t bytes);
// Gives a block from HostAllocClear back to the host; NULL is ignored.
void HostFree(void* block);

namespace details {
template <class T, class... Args>
T* NewObjClear(Args&&... args) {
  void* block = HostAllocClear(sizeof(T));
  return block != nullptr ? new (block) T(static_cast<Args&&>(args)...) : nullptr;
}
template <class T>
void DeleteObj(T* object) {
  if (object == nullptr) return;
  object->~T();
  HostFree(object);
}
}  // namespace details

}  // namespace maxon

#define NewObjClear(T, ...) maxon::details::NewObjClear<T>(__VA_ARGS__)
#define DeleteObj(obj)              \
  do {                              \
    maxon::details::DeleteObj(obj); \
    obj = nullptr;                  \
  } while (false)
