// maxon/string.h - maxon::String: an owned host string (UTF-8 in and out).
// Copies make host strings of their own.
#pragma once

#include "c4d_abi.h"
#include "c4d_owned_handle.h"
#include "maxon/apibase.h"

namespace maxon {

// A copy of a string is a new host string made from its text.
struct StringHandleTraits {
  static C4D_String* Duplicate(const C4D_String* src);
  static void Free(C4D_String* s);
  static constexpr bool kAssignInPlace = false;
  static void CopyInto(C4D_String*, const C4D_String*) {}
};

class String {
 public:
  // The empty string; it holds no host object.
  String() = default;
  // A host string made from UTF-8 text. Without a host string (no string
  // service, out of memory) it stays empty.
  explicit String(const Char* str);
  ~String() = default;
  String(const String& src) = default;
  String& operator=(const String& src) = default;
  String(String&& src) noexcept = default;
  String& operator=(String&& src) noexcept = default;

  Bool IsEmpty() const { return GetCStringLen() == 0; }
  Bool IsPopulated() const { return !IsEmpty(); }
  // Length in bytes of the UTF-8 text.
  Int GetCStringLen() const;
  // Writes at most cap-1 bytes and a NUL into buf; answers the full length.
  Int GetCString(Char* buf, Int cap) const;

  // The host object (NULL for an empty string that holds none), for the host
  // layer's own calls.
  const C4D_String* GetHostHandle() const { return _string.Get(); }
  // Takes ownership of a string the host handed over (may be NULL).
  static String AdoptHostHandle(C4D_String* owned);
  // Hands the host object over to the caller; the string becomes empty.
  C4D_String* ReleaseHostHandle();

 private:
  OwnedHostHandle<C4D_String, StringHandleTraits> _string;
};

}  // namespace maxon

// "text"_s: a host string from a literal (a temporary here; the host caches
// literals, which nothing in the plug-in relies on).
inline maxon::String operator""_s(const char* str, std::size_t) { return maxon::String(str); }
