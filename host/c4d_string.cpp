// c4d_string.cpp - String.
#include "c4d_string.h"

#include "c4d_tables.h"

String::String(const char* utf8) {
  const C4D_StringTable* t = HostTables().string;
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _string = t->Create(utf8);
}

String::~String() { Free(); }

String::String(String&& other) noexcept : _string(other._string) { other._string = nullptr; }

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    Free();
    _string = other._string;
    other._string = nullptr;
  }
  return *this;
}

String String::Adopt(C4D_String* owned) {
  String s;
  s._string = owned;
  return s;
}

size_t String::GetLength() const {
  const C4D_StringTable* t = HostTables().string;
  if (_string == nullptr || !HOST_HAS(t, GetUtf8)) return 0;
  return t->GetUtf8(_string, nullptr, 0);
}

size_t String::GetCString(char* buf, size_t cap) const {
  const C4D_StringTable* t = HostTables().string;
  if (_string == nullptr || !HOST_HAS(t, GetUtf8)) {
    if (buf != nullptr && cap > 0) buf[0] = '\0';
    return 0;
  }
  return t->GetUtf8(_string, buf, cap);
}

C4D_String* String::Release() {
  C4D_String* s = _string;
  _string = nullptr;
  return s;
}

void String::Free() {
  const C4D_StringTable* t = HostTables().string;
  if (_string != nullptr && HOST_HAS(t, Free)) t->Free(_string);
  _string = nullptr;
}
