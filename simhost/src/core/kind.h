// kind.h - one definition per kind of object the plug-in can own: its name
// (in the ledger, the log and misuse texts) and how the host destroys one.
// The ledger keeps the kind with every object, so an object of any kind can
// be reclaimed after a leak without a list of kinds to keep up to date.
#pragma once

#include <cstdlib>

namespace simhost {

struct ObjectKind {
  const char* name;
  // NULL: the object belongs to an area, which destroys its own at its stop.
  void (*destroy)(void*);
};

// The kind of objects made with `new T`.
template <class T>
constexpr ObjectKind Kind(const char* name) {
  return ObjectKind{name, [](void* object) { delete static_cast<T*>(object); }};
}

// Blocks of Memory.Alloc.
inline constexpr ObjectKind kMemoryKind{"memory", [](void* block) { std::free(block); }};

}  // namespace simhost
