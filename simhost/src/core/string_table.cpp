// string_table.cpp - host strings: UTF-8 in and out.
#include <algorithm>
#include <cstring>

#include "core/core.h"

namespace simhost {

namespace {

constexpr const char* kKind = "string";

bool ValidUtf8(const std::string& s) {
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t extra = 0;
    if (c < 0x80)
      extra = 0;
    else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
      extra = 1;
    else if ((c & 0xF0) == 0xE0)
      extra = 2;
    else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
      extra = 3;
    else
      return false;
    if (n - i - 1 < extra) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

C4D_String* Create(const char* utf8) {
  Host* host = Enter("String.Create");
  if (host == nullptr || !host->AllowCreate(kKind)) return nullptr;
  auto* s = new StringObj{utf8 == nullptr ? std::string() : std::string(utf8)};
  if (!ValidUtf8(s->utf8)) host->Misuse("String.Create", "the text is not valid UTF-8");
  host->ledger.Add(kKind, s);
  return reinterpret_cast<C4D_String*>(s);
}

void Free(C4D_String* s) {
  Host* host = Enter("String.Free");
  if (host == nullptr || s == nullptr) return;
  if (host->IsHostObject(kKind, s)) {
    host->Misuse("String.Free", "frees a string that the host owns");
    return;
  }
  if (!host->Check(kKind, s, "String.Free")) return;
  host->ledger.Remove(kKind, s);
  delete reinterpret_cast<StringObj*>(s);
}

size_t GetUtf8(const C4D_String* s, char* buf, size_t cap) {
  Host* host = Enter("String.GetUtf8");
  if (host == nullptr) return 0;
  if (cap > 0 && buf == nullptr) {
    host->Misuse("String.GetUtf8", "NULL buffer with a capacity of " + std::to_string(cap));
    return 0;
  }
  if (!host->Check(kKind, s, "String.GetUtf8")) {
    if (cap > 0) buf[0] = '\0';
    return 0;
  }
  const std::string& text = reinterpret_cast<const StringObj*>(s)->utf8;
  if (cap > 0) {
    size_t n = std::min(text.size(), cap - 1);
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
  }
  return text.size();
}

}  // namespace

bool IsValidUtf8(const std::string& s) { return ValidUtf8(s); }

const C4D_StringTable* StringTable() {
  static const C4D_StringTable table = {sizeof(C4D_StringTable), Create, Free, GetUtf8};
  return &table;
}

}  // namespace simhost
