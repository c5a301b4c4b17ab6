// c4d_owned_handle.h - the one copy and move code of the layer's value
// classes (String, Filename, BaseContainer, DescID): each owns one host
// object through an OwnedHostHandle and frees it on every path.
//
// Traits, one per kind of host object:
//   static Handle* Duplicate(const Handle* src);  // a new copy; NULL on failure
//                                                  // or for a NULL source
//   static void Free(Handle* h);                   // h is not NULL
//   static constexpr bool kAssignInPlace;          // assignment copies into the
//                                                  // object already held
//   static void CopyInto(Handle* dst, const Handle* src);  // when in place
#pragma once

#include <utility>

template <class Handle, class Traits>
class OwnedHostHandle {
 public:
  OwnedHostHandle() = default;
  // Takes over an object the host made for us (NULL: none).
  explicit OwnedHostHandle(Handle* owned) noexcept : _handle(owned) {}
  ~OwnedHostHandle() { Reset(); }

  OwnedHostHandle(const OwnedHostHandle& src) : _handle(Traits::Duplicate(src._handle)) {}
  OwnedHostHandle(OwnedHostHandle&& src) noexcept : _handle(std::exchange(src._handle, nullptr)) {}

  // A copy the host cannot make leaves the object held (in place) or none
  // (replaced): either way nothing leaks and later calls fail quietly.
  OwnedHostHandle& operator=(const OwnedHostHandle& src) {
    if (this == &src) return *this;
    if constexpr (Traits::kAssignInPlace) {
      if (_handle != nullptr) {
        if (src._handle != nullptr) Traits::CopyInto(_handle, src._handle);
        return *this;
      }
    }
    Reset(Traits::Duplicate(src._handle));
    return *this;
  }
  OwnedHostHandle& operator=(OwnedHostHandle&& src) noexcept {
    if (this != &src) Reset(std::exchange(src._handle, nullptr));
    return *this;
  }

  Handle* Get() const { return _handle; }
  // Hands the object over to whoever takes it; none is held afterwards.
  Handle* Release() { return std::exchange(_handle, nullptr); }
  // Frees the object held and holds `owned` instead.
  void Reset(Handle* owned = nullptr) {
    Handle* old = std::exchange(_handle, owned);
    if (old != nullptr) Traits::Free(old);
  }

 private:
  Handle* _handle = nullptr;
};
