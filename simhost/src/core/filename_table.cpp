// filename_table.cpp - file-system paths, kept as text with '/' separators.
#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

constexpr const TypedKind<FilenameObj>& kKind = kFilenameKind;

const FilenameObj* Readable(const C4D_Filename* f, const char* call) {
  return Enter(call, kKind, f).object;
}

// Paths the host lent (the module location) are read-only for the plug-in.
FilenameObj* Writable(C4D_Filename* f, const char* call) {
  Host* host = Enter(call);
  if (host == nullptr) return nullptr;
  if (host->IsHostObject(kKind, f)) {
    host->Misuse(Rule::LentObject, call,
                 "writes into a path that the host owns (it was only lent)");
    return nullptr;
  }
  if (!host->Check(kKind, f, call)) return nullptr;
  return kKind.From(f);
}

C4D_Filename* Make(Host& host, std::string path) {
  if (!host.AllowCreate(kKind)) return nullptr;
  auto* f = new FilenameObj{std::move(path)};
  host.ledger.Add(kKind, f);
  return reinterpret_cast<C4D_Filename*>(f);
}

C4D_String* MakeString(Host& host, std::string text) {
  if (!host.AllowCreate(kStringKind)) return nullptr;
  auto* s = new StringObj{std::move(text)};
  host.ledger.Add(kStringKind, s);
  return reinterpret_cast<C4D_String*>(s);
}

C4D_Filename* Create() {
  Host* host = Enter("Filename.Create");
  return host == nullptr ? nullptr : Make(*host, "");
}

void Free(C4D_Filename* f) {
  Host* host = Enter("Filename.Free");
  if (host != nullptr && host->CheckFree(kKind, f, "Filename.Free")) host->ledger.Remove(kKind, f);
}

void CopyFrom(C4D_Filename* dst, const C4D_Filename* src) {
  const FilenameObj* from = Readable(src, "Filename.CopyFrom (source)");
  FilenameObj* to = Writable(dst, "Filename.CopyFrom (destination)");
  if (from != nullptr && to != nullptr) to->path = from->path;
}

void SetUtf8(C4D_Filename* dst, const char* utf8) {
  if (FilenameObj* to = Writable(dst, "Filename.SetUtf8"))
    to->path = utf8 == nullptr ? std::string() : std::string(utf8);
}

C4D_Filename* Join(const C4D_Filename* dir, const char* name) {
  auto [host, base] = Enter("Filename.Join", kKind, dir);
  if (base == nullptr) return nullptr;
  if (name == nullptr) {
    host->Misuse(Rule::Argument, "Filename.Join", "NULL name");
    return nullptr;
  }
  return Make(*host, JoinPath(base->path, name));
}

C4D_Filename* GetDirectory(const C4D_Filename* f) {
  auto [host, path] = Enter("Filename.GetDirectory", kKind, f);
  if (path == nullptr) return nullptr;
  return Make(*host, DirectoryOf(path->path));
}

C4D_String* GetString(const C4D_Filename* f) {
  auto [host, path] = Enter("Filename.GetString", kKind, f);
  if (path == nullptr) return nullptr;
  return MakeString(*host, path->path);
}

C4D_String* GetFileString(const C4D_Filename* f) {
  auto [host, path] = Enter("Filename.GetFileString", kKind, f);
  if (path == nullptr) return nullptr;
  return MakeString(*host, LastComponent(path->path));
}

int32_t IsEmpty(const C4D_Filename* f) {
  const FilenameObj* path = Readable(f, "Filename.IsEmpty");
  return path == nullptr || path->path.empty() ? 1 : 0;
}

int32_t Equal(const C4D_Filename* a, const C4D_Filename* b) {
  const FilenameObj* x = Readable(a, "Filename.Equal");
  const FilenameObj* y = Readable(b, "Filename.Equal");
  return x != nullptr && y != nullptr && x->path == y->path ? 1 : 0;
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string DirectoryOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  size_t slash = p.rfind('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string LastComponent(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  size_t slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

namespace {

const C4D_FilenameTable* Table() {
  static const C4D_FilenameTable table = {sizeof(C4D_FilenameTable),
                                          Create,
                                          Free,
                                          CopyFrom,
                                          SetUtf8,
                                          Join,
                                          GetDirectory,
                                          GetString,
                                          GetFileString,
                                          IsEmpty,
                                          Equal};
  return &table;
}

const Offer kOffer("filename", &C4D_ServiceRoot::filename, Table());

}  // namespace

}  // namespace simhost
