// c4d_file.cpp - Filename and file operations.
#include "c4d_file.h"

#include "c4d_module.h"
#include "c4d_tables.h"

namespace {

const C4D_FilenameTable* Table() { return HostTables().filename; }

C4D_Filename* Duplicate(const C4D_Filename* src) {
  const C4D_FilenameTable* t = Table();
  if (src == nullptr || !HostCanFreeFilenames() || !HOST_HAS(t, Create) || !HOST_HAS(t, CopyFrom))
    return nullptr;
  C4D_Filename* copy = t->Create();
  if (copy != nullptr) t->CopyFrom(copy, src);
  return copy;
}

}  // namespace

Filename::Filename(const char* utf8) {
  const C4D_FilenameTable* t = Table();
  if (!HostCanFreeFilenames() || !HOST_HAS(t, Create) || !HOST_HAS(t, SetUtf8)) return;
  _path = t->Create();
  if (_path != nullptr) t->SetUtf8(_path, utf8);
}

Filename::~Filename() { Free(); }

Filename::Filename(const Filename& other) : _path(Duplicate(other._path)) {}

Filename& Filename::operator=(const Filename& other) {
  if (this != &other) {
    C4D_Filename* copy = Duplicate(other._path);
    Free();
    _path = copy;
  }
  return *this;
}

Filename::Filename(Filename&& other) noexcept : _path(other._path) { other._path = nullptr; }

Filename& Filename::operator=(Filename&& other) noexcept {
  if (this != &other) {
    Free();
    _path = other._path;
    other._path = nullptr;
  }
  return *this;
}

Filename Filename::Adopt(C4D_Filename* owned) {
  Filename f;
  f._path = owned;
  return f;
}

Filename Filename::CopyOf(const C4D_Filename* borrowed) { return Adopt(Duplicate(borrowed)); }

Bool Filename::IsPopulated() const {
  const C4D_FilenameTable* t = Table();
  if (_path == nullptr || !HOST_HAS(t, IsEmpty)) return false;
  return t->IsEmpty(_path) == 0;
}

Filename Filename::operator+(const char* name) const {
  if (_path == nullptr) return Filename(name);
  const C4D_FilenameTable* t = Table();
  return HOST_HAS(t, Join) && HostCanFreeFilenames() ? Adopt(t->Join(_path, name)) : Filename();
}

Filename Filename::GetDirectory() const {
  const C4D_FilenameTable* t = Table();
  if (_path == nullptr || !HOST_HAS(t, GetDirectory) || !HostCanFreeFilenames()) return Filename();
  return Adopt(t->GetDirectory(_path));
}

String Filename::GetString() const {
  const C4D_FilenameTable* t = Table();
  if (_path == nullptr || !HOST_HAS(t, GetString) || !HostCanFreeStrings()) return String("");
  return String::Adopt(t->GetString(_path));
}

String Filename::GetFileString() const {
  const C4D_FilenameTable* t = Table();
  if (_path == nullptr || !HOST_HAS(t, GetFileString) || !HostCanFreeStrings()) return String("");
  return String::Adopt(t->GetFileString(_path));
}

Bool Filename::IsEqual(const Filename& other) const {
  const C4D_FilenameTable* t = Table();
  if (_path == nullptr || other._path == nullptr) return _path == other._path;
  return HOST_HAS(t, Equal) && t->Equal(_path, other._path) != 0;
}

void Filename::Free() {
  const C4D_FilenameTable* t = Table();
  if (_path != nullptr && HOST_HAS(t, Free)) t->Free(_path);
  _path = nullptr;
}

Filename GeGetPluginPath() { return Filename::CopyOf(GetModuleLocation()); }

Bool GeExecuteFile(const Filename& path) {
  const C4D_SystemTable* t = HostTables().system;
  if (path.Get() == nullptr || !HOST_HAS(t, ExecuteFile)) return false;
  return t->ExecuteFile(path.Get()) != 0;
}
