// c4d_string.h - String: an owned host string (UTF-8 in and out).
#pragma once

#include "c4d_abi.h"
#include "c4d_types.h"

class String {
 public:
  // The empty string; it holds no host object.
  String() = default;
  // A host string made from UTF-8 text. Without a host string (no string
  // service, out of memory) it stays empty.
  explicit String(const char* utf8);
  ~String();
  String(String&& other) noexcept;
  String& operator=(String&& other) noexcept;
  String(const String&) = delete;
  String& operator=(const String&) = delete;

  // Takes ownership of a string the host handed over (may be NULL).
  static String Adopt(C4D_String* owned);

  // Length in bytes of the UTF-8 text.
  size_t GetLength() const;
  Bool IsPopulated() const { return GetLength() > 0; }
  // Writes at most cap-1 bytes and a NUL into buf; answers the full length.
  size_t GetCString(char* buf, size_t cap) const;

  // The host object, NULL for an empty string that holds none.
  const C4D_String* Get() const { return _string; }
  // Hands the host object over to the caller (the string becomes empty).
  C4D_String* Release();

 private:
  void Free();
  C4D_String* _string = nullptr;
};
