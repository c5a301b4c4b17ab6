// platform_win32.cpp - module loading through LoadLibraryW.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace simhost::platform {

namespace {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string result = "Windows error " + std::to_string(code);
  if (n > 0 && text != nullptr) {
    int len =
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), utf8.data(), len, nullptr, nullptr);
    while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r')) utf8.pop_back();
    result += ": " + utf8;
  }
  if (text != nullptr) LocalFree(text);
  return result;
}

}  // namespace

const char* ModuleExtension() { return ".xdl64"; }

Library* OpenLibrary(const std::string& path, std::string& error) {
  std::string image;
  if (!ReadRegularFile(path, image, error) || !CheckModuleImage(image, error)) return nullptr;
  // Search the module's own folder for its dependencies, as the host does.
  HMODULE module =
      LoadLibraryExW(Widen(path).c_str(), nullptr,
                     LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr) error = SystemMessage(GetLastError());
  return reinterpret_cast<Library*>(module);
}

void* FindSymbol(Library* library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

void CloseLibrary(Library* library) {
  if (library != nullptr) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

bool IsResident(const std::string& path) {
  return GetModuleHandleW(Widen(path).c_str()) != nullptr;
}

std::string ExecutableFolder() {
  std::wstring buffer(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0) return ".";
  buffer.resize(n);
  std::u8string folder = std::filesystem::path(buffer).parent_path().generic_u8string();
  return std::string(folder.begin(), folder.end());
}

bool WriteFileDurably(const std::string& path, const std::string& text, std::string& error) {
  if (!WritableTarget(path, error)) {
    error = path + ": " + error;
    return false;
  }
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(counter++) + "-" + std::to_string(GetTickCount64());
  auto fail = [&](const char* what, HANDLE file) {
    error = std::string(what) + " " + temp + ": " + SystemMessage(GetLastError());
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileW(Widen(temp).c_str());
    return false;
  };
  HANDLE file = CreateFileW(Widen(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail("cannot create", file);
  for (size_t done = 0; done < text.size();) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
    if (!WriteFile(file, text.data() + done, chunk, &n, nullptr) || n == 0)
      return fail("cannot write", file);
    done += n;
  }
  if (!FlushFileBuffers(file)) return fail("cannot flush", file);
  CloseHandle(file);
  if (!MoveFileExW(Widen(temp).c_str(), Widen(path).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail("cannot rename", INVALID_HANDLE_VALUE);
  return true;
}

bool MoveNoReplace(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool WritableTarget(const std::string& path, std::string& error) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return true;
    error = "cannot be written: " + SystemMessage(code);
    return false;
  }
  const char* what = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? "a symbolic link"
                     : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? "a folder"
                     : (attributes & FILE_ATTRIBUTE_DEVICE)      ? "a device"
                                                                 : nullptr;
  if (what == nullptr) return true;
  error = std::string(what) + ", not a regular file; it is left as it is";
  return false;
}

namespace {

// Reads `file` to its end (or `limit` bytes); a broken pipe is the end.
bool ReadAll(HANDLE file, std::string& out, size_t limit, std::string& error) {
  out.clear();
  char buffer[65536];
  while (out.size() < limit) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof buffer, limit - out.size()));
    if (!ReadFile(file, buffer, want, &n, nullptr)) {
      const DWORD code = GetLastError();
      if (code == ERROR_BROKEN_PIPE) break;
      error = SystemMessage(code);
      return false;
    }
    if (n == 0) break;
    out.append(buffer, n);
  }
  return true;
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::string& out, std::string& error, size_t limit) {
  // A folder cannot be opened as a file at all (access denied): say what it is.
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = "a folder, not a regular file";
    return false;
  }
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    error = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                ? "cannot be read"
                : "cannot be read: " + SystemMessage(code);
    return false;
  }
  // A pipe or a console is no file: only a disk file is read.
  bool ok = GetFileType(file) == FILE_TYPE_DISK;
  std::string why;
  if (!ok) {
    error = "a pipe or a device, not a regular file";
  } else if (!ReadAll(file, out, limit, why)) {
    error = "cannot be read: " + why;
    ok = false;
  }
  CloseHandle(file);
  return ok;
}

bool IsNullDevice(const std::string& path) { return _stricmp(path.c_str(), "NUL") == 0; }

bool ReadStandardInput(std::string& out, std::string& error) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (in == nullptr || in == INVALID_HANDLE_VALUE) {
    error = "standard input is closed";
    return false;
  }
  return ReadAll(in, out, static_cast<size_t>(-1), error);
}

std::FILE* OpenLogFile(const std::string& path, bool append, std::string& error) {
  std::FILE* file = _wfopen(Widen(path).c_str(), append ? L"a" : L"w");
  if (file == nullptr) error = "cannot write the event log " + path + ": " + std::strerror(errno);
  return file;
}

}  // namespace simhost::platform
