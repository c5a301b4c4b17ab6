// maxon/string.h - maxon::String: an owned host string (UTF-8 in and out).
// Copies make host strings of their own.
#pragma once

#include "c4d_abi.h"
#include "maxon/apibase.h"

namespace maxon {

class String {
 public:
  // The empty string; it holds no host object.
  String() = default;
  // A host string made from UTF-8 text. Without a host string (no string
  // service, out of memory) it stays empty.
  explicit String(const Char* str);
  ~String();
  String(const String& src);
  String& operator=(const String& src);
  String(String&& src) noexcept;
  String& operator=(String&& src) noexcept;

  Bool IsEmpty() const { return GetCStringLen() == 0; }
  Bool IsPopulated() const { return !IsEmpty(); }
  // Length in bytes of the UTF-8 text.
  Int GetCStringLen() const;
  // Writes at most cap-1 bytes and a NUL into buf; answers the full length.
  Int GetCString(Char* buf, Int cap) const;

  // The host object (NULL for an empty string that holds none), for the host
  // layer's own calls.
  const C4D_String* GetHostHandle() const { return _string; }
  // Takes ownership of a string the host handed over (may be NULL).
  static String AdoptHostHandle(C4D_String* owned);
  // Hands the host object over to the caller; the string becomes empty.
  C4D_String* ReleaseHostHandle();

 private:
  void Free();
  C4D_String* _string = nullptr;
};

}  // namespace maxon

// "text"_s: a host string from a literal (a temporary here; the host caches
// literals, which nothing in the plug-in relies on).
inline maxon::String operator""_s(const char* str, std::size_t) { return maxon::String(str); }
