// platform_posix.cpp - module loading through dlopen.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "platform/platform.h"

namespace simhost::platform {

const char* ModuleExtension() { return ".xso64"; }

Library* OpenLibrary(const std::string& path, std::string& error) {
  dlerror();
  // RTLD_LOCAL: a module must reach the host through its tables, never by
  // resolving symbols of the host or of another module.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* text = dlerror();
    error = text != nullptr ? text : "dlopen failed";
  }
  return static_cast<Library*>(handle);
}

void* FindSymbol(Library* library, const char* name) {
  if (library == nullptr) return nullptr;
  return dlsym(static_cast<void*>(library), name);
}

void CloseLibrary(Library* library) {
  if (library != nullptr) dlclose(static_cast<void*>(library));
}

bool IsResident(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);  // RTLD_NOLOAD still took a reference
  return true;
}

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::filesystem::current_path().generic_string();
  buffer[n] = '\0';
  return std::filesystem::path(buffer).parent_path().generic_string();
}

}  // namespace simhost::platform
