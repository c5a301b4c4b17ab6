// c4d_string.cpp - maxon::String.
#include "maxon/string.h"

#include "c4d_tables.h"
#include "maxon/newobj.h"

namespace maxon {

namespace {
const C4D_StringTable* Table() { return HostTables().string; }

C4D_String* Duplicate(const C4D_String* src) {
  const C4D_StringTable* t = Table();
  if (src == nullptr || !HOST_HAS(t, GetUtf8) || !HOST_HAS(t, Create) || !HOST_HAS(t, Free))
    return nullptr;
  const size_t length = t->GetUtf8(src, nullptr, 0);
  char small[256];
  char* text = length < sizeof(small) ? small : static_cast<char*>(HostAllocClear(length + 1));
  if (text == nullptr) return nullptr;
  t->GetUtf8(src, text, length + 1);
  C4D_String* copy = t->Create(text);
  if (text != small) HostFree(text);
  return copy;
}
}  // namespace

String::String(const Char* str) {
  const C4D_StringTable* t = Table();
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _string = t->Create(str);
}

String::~String() { Free(); }

String::String(const String& src) : _string(Duplicate(src._string)) {}

String& String::operator=(const String& src) {
  if (this != &src) {
    C4D_String* copy = Duplicate(src._string);
    Free();
    _string = copy;
  }
  return *this;
}

String::String(String&& src) noexcept : _string(src._string) { src._string = nullptr; }

String& String::operator=(String&& src) noexcept {
  if (this != &src) {
    Free();
    _string = src._string;
    src._string = nullptr;
  }
  return *this;
}

String String::AdoptHostHandle(C4D_String* owned) {
  String s;
  s._string = owned;
  return s;
}

C4D_String* String::ReleaseHostHandle() {
  C4D_String* s = _string;
  _string = nullptr;
  return s;
}

Int String::GetCStringLen() const {
  const C4D_StringTable* t = Table();
  if (_string == nullptr || !HOST_HAS(t, GetUtf8)) return 0;
  return static_cast<Int>(t->GetUtf8(_string, nullptr, 0));
}

Int String::GetCString(Char* buf, Int cap) const {
  const C4D_StringTable* t = Table();
  if (_string == nullptr || !HOST_HAS(t, GetUtf8) || cap < 0) {
    if (buf != nullptr && cap > 0) buf[0] = '\0';
    return 0;
  }
  return static_cast<Int>(t->GetUtf8(_string, buf, static_cast<size_t>(cap)));
}

void String::Free() {
  const C4D_StringTable* t = Table();
  if (_string != nullptr && HOST_HAS(t, Free)) t->Free(_string);
  _string = nullptr;
}

}  // namespace maxon
