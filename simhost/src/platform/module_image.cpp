// module_image.cpp - a module file's headers against its size, before the
// system loader maps it: a file cut short would be mapped past its end, and
// the first touch of a missing page kills the host (SIGBUS) instead of
// refusing the module. Portable: both formats are checked on every system.
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace simhost::platform {

namespace {

// Reads an unsigned field of `n` bytes at `at`; false past the end.
bool Field(const std::string& b, uint64_t at, int n, bool little, uint64_t& v) {
  if (at > b.size() || static_cast<uint64_t>(n) > b.size() - at) return false;
  v = 0;
  for (int i = 0; i < n; ++i) {
    const uint64_t byte = static_cast<unsigned char>(b[static_cast<size_t>(at) + i]);
    v |= byte << (8 * (little ? i : n - 1 - i));
  }
  return true;
}

// Whether [offset, offset + length) lies inside a file of `size` bytes.
bool Inside(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

std::string Short(const std::string& what, uint64_t end, uint64_t size) {
  return "the module file is cut short: " + what + " ends at byte " + std::to_string(end) +
         ", the file has " + std::to_string(size) + " bytes";
}

bool CheckElf(const std::string& b, std::string& error) {
  const uint64_t size = b.size();
  const bool wide = b[4] == 2;                                        // ELFCLASS64
  const bool little = b[5] == 1;                                      // ELFDATA2LSB
  if ((b[4] != 1 && !wide) || (b[5] != 1 && b[5] != 2)) return true;  // the loader refuses it
  uint64_t phoff = 0, phentsize = 0, phnum = 0;
  const bool header =
      wide ? Field(b, 0x20, 8, little, phoff) && Field(b, 0x36, 2, little, phentsize) &&
                 Field(b, 0x38, 2, little, phnum)
           : Field(b, 0x1C, 4, little, phoff) && Field(b, 0x2A, 2, little, phentsize) &&
                 Field(b, 0x2C, 2, little, phnum);
  if (!header) {
    error = Short("the ELF header", wide ? 64 : 52, size);
    return false;
  }
  const uint64_t minimum = wide ? 56 : 32;
  if (phnum == 0) return true;
  if (phentsize < minimum) {
    error = "the module file's program headers are " + std::to_string(phentsize) +
            " bytes long, not at least " + std::to_string(minimum);
    return false;
  }
  if (!Inside(phoff, phentsize * phnum, size)) {
    error = Short("the program header table", phoff + phentsize * phnum, size);
    return false;
  }
  for (uint64_t i = 0; i < phnum; ++i) {
    const uint64_t at = phoff + i * phentsize;
    uint64_t offset = 0, filesz = 0;
    if (wide) {
      Field(b, at + 0x08, 8, little, offset);
      Field(b, at + 0x20, 8, little, filesz);
    } else {
      Field(b, at + 0x04, 4, little, offset);
      Field(b, at + 0x10, 4, little, filesz);
    }
    if (!Inside(offset, filesz, size)) {
      error = Short("segment " + std::to_string(i) + " (of " + std::to_string(phnum) + ")",
                    offset + filesz, size);
      return false;
    }
  }
  // The sections too, though the loader maps none of them: the section
  // table lies at the end, so a file cut anywhere is known as such.
  uint64_t shoff = 0, shentsize = 0, shnum = 0;
  if (wide) {
    Field(b, 0x28, 8, little, shoff);
    Field(b, 0x3A, 2, little, shentsize);
    Field(b, 0x3C, 2, little, shnum);
  } else {
    Field(b, 0x20, 4, little, shoff);
    Field(b, 0x2E, 2, little, shentsize);
    Field(b, 0x30, 2, little, shnum);
  }
  if (shoff == 0 || shnum == 0) return true;
  if (shentsize < (wide ? 64u : 40u) || !Inside(shoff, shentsize * shnum, size)) {
    error = Short("the section header table", shoff + shentsize * shnum, size);
    return false;
  }
  for (uint64_t i = 0; i < shnum; ++i) {
    const uint64_t at = shoff + i * shentsize;
    uint64_t type = 0, offset = 0, length = 0;
    Field(b, at + 4, 4, little, type);
    if (wide) {
      Field(b, at + 0x18, 8, little, offset);
      Field(b, at + 0x20, 8, little, length);
    } else {
      Field(b, at + 0x10, 4, little, offset);
      Field(b, at + 0x14, 4, little, length);
    }
    constexpr uint64_t kNoBits = 8;  // SHT_NOBITS: takes no room in the file
    if (type != kNoBits && !Inside(offset, length, size)) {
      error = Short("section " + std::to_string(i) + " (of " + std::to_string(shnum) + ")",
                    offset + length, size);
      return false;
    }
  }
  return true;
}

bool CheckPe(const std::string& b, std::string& error) {
  const uint64_t size = b.size();
  uint64_t lfanew = 0, signature = 0, sections = 0, optional = 0;
  if (!Field(b, 0x3C, 4, true, lfanew)) {
    error = Short("the DOS header", 0x40, size);
    return false;
  }
  if (!Field(b, lfanew, 4, true, signature) || signature != 0x00004550) {
    if (Inside(lfanew, 4, size)) return true;  // no PE file: the loader refuses it
    error = Short("the PE signature", lfanew + 4, size);
    return false;
  }
  const uint64_t coff = lfanew + 4;
  if (!Field(b, coff + 2, 2, true, sections) || !Field(b, coff + 16, 2, true, optional)) {
    error = Short("the COFF header", coff + 20, size);
    return false;
  }
  const uint64_t table = coff + 20 + optional;
  if (!Inside(table, sections * 40, size)) {
    error = Short("the section table", table + sections * 40, size);
    return false;
  }
  for (uint64_t i = 0; i < sections; ++i) {
    uint64_t raw = 0, pointer = 0;
    Field(b, table + i * 40 + 16, 4, true, raw);
    Field(b, table + i * 40 + 20, 4, true, pointer);
    if (raw != 0 && !Inside(pointer, raw, size)) {
      error = Short("section " + std::to_string(i) + " (of " + std::to_string(sections) + ")",
                    pointer + raw, size);
      return false;
    }
  }
  // A build with symbols keeps a COFF symbol table and its string table after
  // the sections; they are the file's last bytes, so a cut there shows too.
  uint64_t symbols = 0, count = 0;
  Field(b, coff + 8, 4, true, symbols);
  Field(b, coff + 12, 4, true, count);
  if (symbols != 0) {
    const uint64_t strings = symbols + count * 18;
    uint64_t length = 0;
    if (!Field(b, strings, 4, true, length) || !Inside(strings, length, size)) {
      error = Short("the symbol table", strings + (length < 4 ? 4 : length), size);
      return false;
    }
  }
  return true;
}

}  // namespace

bool CheckModuleImage(const std::string& bytes, std::string& error) {
  if (bytes.size() >= 6 && bytes.compare(0, 4,
                                         "\x7f"
                                         "ELF") == 0)
    return CheckElf(bytes, error);
  if (bytes.size() >= 2 && bytes.compare(0, 2, "MZ") == 0) return CheckPe(bytes, error);
  return true;
}

}  // namespace simhost::platform
