// string_table.cpp - host strings: UTF-8 in and out.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

constexpr const TypedKind<StringObj>& kKind = kStringKind;

// Well-formed UTF-8 only: no overlong forms, no surrogates (U+D800 to
// U+DFFF), nothing above U+10FFFF.
bool ValidUtf8(const std::string& s) {
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t extra = 0;
    uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      code = c & 0x07;
    } else {
      return false;
    }
    if (n - i - 1 < extra) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

C4D_String* Create(const char* utf8) {
  Host* host = Enter("String.Create");
  if (host == nullptr || !host->AllowCreate(kKind)) return nullptr;
  auto* s = new StringObj{utf8 == nullptr ? std::string() : std::string(utf8)};
  if (!ValidUtf8(s->utf8)) host->Misuse(Rule::Utf8, "String.Create", "the text is not valid UTF-8");
  host->ledger.Add(kKind, s);
  return reinterpret_cast<C4D_String*>(s);
}

void Free(C4D_String* s) {
  Host* host = Enter("String.Free");
  if (host != nullptr && host->CheckFree(kKind, s, "String.Free")) host->ledger.Remove(kKind, s);
}

size_t GetUtf8(const C4D_String* s, char* buf, size_t cap) {
  Host* host = Enter("String.GetUtf8");
  if (host == nullptr) return 0;
  if (cap > 0 && buf == nullptr) {
    host->Misuse(Rule::Argument, "String.GetUtf8",
                 "NULL buffer with a capacity of " + std::to_string(cap));
    return 0;
  }
  if (!host->Check(kKind, s, "String.GetUtf8")) {
    if (cap > 0) buf[0] = '\0';
    return 0;
  }
  const std::string& text = kKind.From(s)->utf8;
  if (cap > 0) {
    size_t n = std::min(text.size(), cap - 1);
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
  }
  return text.size();
}

}  // namespace

bool IsValidUtf8(const std::string& s) { return ValidUtf8(s); }

namespace {

const C4D_StringTable* Table() {
  static const C4D_StringTable table = {sizeof(C4D_StringTable), Create, Free, GetUtf8};
  return &table;
}

const Offer kOffer("string", &C4D_ServiceRoot::string, Table());

}  // namespace

}  // namespace simhost
