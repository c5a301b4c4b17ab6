// c4d_string.cpp - maxon::String.
#include "maxon/string.h"

#include "c4d_tables.h"
#include "maxon/newobj.h"

namespace maxon {

namespace {
const C4D_StringTable* Table() { return HostTables().string; }

}  // namespace

C4D_String* StringHandleTraits::Duplicate(const C4D_String* src) {
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

void StringHandleTraits::Free(C4D_String* s) {
  const C4D_StringTable* t = Table();
  if (HOST_HAS(t, Free)) t->Free(s);
}

String::String(const Char* str) {
  const C4D_StringTable* t = Table();
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _string.Reset(t->Create(str));
}

String String::AdoptHostHandle(C4D_String* owned) {
  String s;
  s._string.Reset(owned);
  return s;
}

C4D_String* String::ReleaseHostHandle() { return _string.Release(); }

Int String::GetCStringLen() const {
  const C4D_StringTable* t = Table();
  if (_string.Get() == nullptr || !HOST_HAS(t, GetUtf8)) return 0;
  return static_cast<Int>(t->GetUtf8(_string.Get(), nullptr, 0));
}

Int String::GetCString(Char* buf, Int cap) const {
  const C4D_StringTable* t = Table();
  if (_string.Get() == nullptr || !HOST_HAS(t, GetUtf8) || cap < 0) {
    if (buf != nullptr && cap > 0) buf[0] = '\0';
    return 0;
  }
  return static_cast<Int>(t->GetUtf8(_string.Get(), buf, static_cast<size_t>(cap)));
}

}  // namespace maxon
