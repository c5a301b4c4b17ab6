// c4d_file.cpp - Filename and file operations.
#include "c4d_file.h"

#include "c4d_module.h"
#include "c4d_tables.h"

namespace cinema {

namespace {
const C4D_FilenameTable* Table() { return HostTables().filename; }

C4D_Filename* FromText(const char* utf8) {
  const C4D_FilenameTable* t = Table();
  if (!HostCanFreeFilenames() || !HOST_HAS(t, Create) || !HOST_HAS(t, SetUtf8)) return nullptr;
  C4D_Filename* path = t->Create();
  if (path != nullptr) t->SetUtf8(path, utf8);
  return path;
}

// The text of a string, in a buffer of the caller's (NULL when it does not fit).
const char* TextOf(const maxon::String& s, char* buf, Int cap) {
  const Int length = s.GetCString(buf, cap);
  return length < cap ? buf : nullptr;
}
}  // namespace

C4D_Filename* FilenameHandleTraits::Duplicate(const C4D_Filename* src) {
  const C4D_FilenameTable* t = Table();
  if (src == nullptr || !HostCanFreeFilenames() || !HOST_HAS(t, Create) || !HOST_HAS(t, CopyFrom))
    return nullptr;
  C4D_Filename* copy = t->Create();
  if (copy != nullptr) t->CopyFrom(copy, src);
  return copy;
}

void FilenameHandleTraits::Free(C4D_Filename* f) {
  const C4D_FilenameTable* t = Table();
  if (HOST_HAS(t, Free)) t->Free(f);
}

Filename::Filename(const Char* string) : _path(FromText(string)) {}

Filename::Filename(const maxon::String& string) {
  char text[1024];
  if (const char* utf8 = TextOf(string, text, sizeof(text))) _path.Reset(FromText(utf8));
}

Filename Filename::AdoptHostHandle(C4D_Filename* owned) {
  Filename f;
  f._path.Reset(owned);
  return f;
}

Filename Filename::CopyOfHostHandle(const C4D_Filename* borrowed) {
  return AdoptHostHandle(FilenameHandleTraits::Duplicate(borrowed));
}

Bool Filename::IsPopulated() const {
  const C4D_FilenameTable* t = Table();
  if (_path.Get() == nullptr || !HOST_HAS(t, IsEmpty)) return false;
  return t->IsEmpty(_path.Get()) == 0;
}

const Filename operator+(const Filename& fname1, const Filename& fname2) {
  const C4D_FilenameTable* t = Table();
  // A component the host could not make fails the join: the result must not
  // silently be the folder itself.
  if (fname2._path.Get() == nullptr) return Filename();
  if (fname1._path.Get() == nullptr) return fname2;
  // The second path is one component: its text is joined on.
  String name = fname2.GetString();
  char text[1024];
  const char* utf8 = TextOf(name, text, sizeof(text));
  if (utf8 == nullptr || !HOST_HAS(t, Join) || !HostCanFreeFilenames()) return Filename();
  return Filename::AdoptHostHandle(t->Join(fname1._path.Get(), utf8));
}

const Filename Filename::GetDirectory() const {
  const C4D_FilenameTable* t = Table();
  if (_path.Get() == nullptr || !HOST_HAS(t, GetDirectory) || !HostCanFreeFilenames())
    return Filename();
  return AdoptHostHandle(t->GetDirectory(_path.Get()));
}

String Filename::GetString() const {
  const C4D_FilenameTable* t = Table();
  if (_path.Get() == nullptr || !HOST_HAS(t, GetString) || !HostCanFreeStrings()) return String("");
  return String(maxon::String::AdoptHostHandle(t->GetString(_path.Get())));
}

String Filename::GetFileString() const {
  const C4D_FilenameTable* t = Table();
  if (_path.Get() == nullptr || !HOST_HAS(t, GetFileString) || !HostCanFreeStrings())
    return String("");
  return String(maxon::String::AdoptHostHandle(t->GetFileString(_path.Get())));
}

Bool Filename::operator==(const Filename& other) const {
  const C4D_FilenameTable* t = Table();
  if (_path.Get() == nullptr || other._path.Get() == nullptr)
    return _path.Get() == other._path.Get();
  return HOST_HAS(t, Equal) && t->Equal(_path.Get(), other._path.Get()) != 0;
}

const Filename GeGetPluginPath() { return Filename::CopyOfHostHandle(GetModuleLocation()); }

Bool GeExecuteFile(const Filename& path) {
  const C4D_SystemTable* t = HostTables().system;
  if (path.GetHostHandle() == nullptr || !HOST_HAS(t, ExecuteFile)) return false;
  return t->ExecuteFile(path.GetHostHandle()) != 0;
}

}  // namespace cinema
