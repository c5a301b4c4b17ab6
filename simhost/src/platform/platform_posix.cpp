// platform_posix.cpp - module loading through dlopen.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <random>

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

bool WriteFileDurably(const std::string& path, const std::string& text, std::string& error) {
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp-" + std::to_string(getpid()) + "-" +
                           std::to_string(counter++) + "-" + std::to_string(std::random_device{}());
  auto fail = [&](const char* what, int fd) {
    error = std::string(what) + " " + temp + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    return false;
  };
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return fail("cannot create", -1);
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail("cannot write", fd);
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) return fail("cannot flush", fd);
  if (close(fd) != 0) return fail("cannot close", -1);
  if (rename(temp.c_str(), path.c_str()) != 0) return fail("cannot rename", -1);
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    // The rename is durable once the folder is; a folder that cannot be
    // opened still holds the complete new file.
    const bool synced = fsync(dir) == 0 || errno == EINVAL;
    close(dir);
    if (!synced) {
      error = "cannot flush the folder " + folder + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

bool MoveNoReplace(const std::string& from, const std::string& to) {
  // link() refuses an existing target, unlike rename().
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

bool StandardInputOpen() { return fcntl(0, F_GETFD) != -1 || errno != EBADF; }

}  // namespace simhost::platform
