// kind.h - one definition per kind of object the plug-in can own: its name
// (in the ledger, the log and misuse texts) and how the host destroys one.
// The ledger keeps the kind with every object, so an object of any kind can
// be reclaimed after a leak without a list of kinds to keep up to date.
//
// The host names a kind by its object everywhere (the ledger, its own lent
// objects, the checks of the tables), never by its name: a misspelt kind
// does not compile.
#pragma once

#include <cstdlib>

namespace simhost {

struct ObjectKind {
  const char* name;
  // NULL: the object belongs to an area, which destroys its own at its stop.
  void (*destroy)(void*);
};

// A kind whose objects are T: a table that has checked a handle against it
// sees the object behind the handle as a T.
template <class T>
struct TypedKind : ObjectKind {
  T* From(const void* handle) const { return static_cast<T*>(const_cast<void*>(handle)); }
};

// The kind of objects made with `new T`.
template <class T>
constexpr TypedKind<T> Kind(const char* name) {
  return TypedKind<T>{{name, [](void* object) { delete static_cast<T*>(object); }}};
}

// The kind of objects that an area keeps and destroys itself.
template <class T>
constexpr TypedKind<T> AreaKind(const char* name) {
  return TypedKind<T>{{name, nullptr}};
}

// Blocks of Memory.Alloc.
inline constexpr TypedKind<void> kMemoryKind{{"memory", [](void* block) { std::free(block); }}};

}  // namespace simhost
