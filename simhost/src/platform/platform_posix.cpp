// platform_posix.cpp - module loading through dlopen.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/platform.h"

namespace simhost::platform {

namespace {

// What a file that is not a regular one is, for an error text.
const char* KindWords(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a file";
}

std::string NotRegular(mode_t mode) {
  return std::string(KindWords(mode)) + ", not a regular file";
}

std::string CannotRead() {
  return errno == ENOENT ? "cannot be read"
                         : std::string("cannot be read: ") + std::strerror(errno);
}

// Reads `fd` to its end (or `limit` bytes); false with errno set.
bool ReadAll(int fd, std::string& out, size_t limit) {
  out.clear();
  char buffer[65536];
  while (out.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - out.size());
    const ssize_t n = read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

const char* ModuleExtension() { return ".xso64"; }

Library* OpenLibrary(const std::string& path, std::string& error) {
  std::string image;
  if (!ReadRegularFile(path, image, error) || !CheckModuleImage(image, error)) return nullptr;
  image = std::string();
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
  if (!WritableTarget(path, error)) {
    error = path + ": " + error;
    return false;
  }
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

bool WritableTarget(const std::string& path, std::string& error) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return true;
    error = std::string("cannot be written: ") + std::strerror(errno);
    return false;
  }
  if (S_ISREG(st.st_mode)) return true;
  error = NotRegular(st.st_mode) + "; it is left as it is";
  return false;
}

bool ReadRegularFile(const std::string& path, std::string& out, std::string& error, size_t limit) {
  // The type first, without opening: opening a named pipe waits for a
  // writer, and opening a device may act on it.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    error = CannotRead();
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = NotRegular(st.st_mode);
    return false;
  }
  // Non-blocking and checked again, should the name change in between.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = CannotRead();
    return false;
  }
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) {
    error = NotRegular(st.st_mode);
  } else if (!ReadAll(fd, out, limit)) {
    error = CannotRead();
    ok = false;
  }
  close(fd);
  return ok;
}

bool IsNullDevice(const std::string& path) {
  struct stat st {
  }, null{};
  return stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && stat("/dev/null", &null) == 0 &&
         st.st_rdev == null.st_rdev;
}

bool ReadStandardInput(std::string& out, std::string& error) {
  // Every read checked: a closed input, a folder or one open only for
  // writing fails its first read, which a stream would take for an end.
  if (!ReadAll(0, out, static_cast<size_t>(-1))) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

std::FILE* OpenLogFile(const std::string& path, bool append, std::string& error) {
  // O_NONBLOCK: a named pipe with no reader is refused (ENXIO) at once.
  const int fd = open(
      path.c_str(),
      O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0644);
  if (fd < 0) {
    error = "cannot write the event log " + path + ": " +
            (errno == ENXIO ? "a named pipe that no process reads" : std::strerror(errno));
    return nullptr;
  }
  // Once open, writes to a pipe wait for its reader like any other.
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, append ? "a" : "w");
  if (file == nullptr) {
    error = "cannot write the event log " + path + ": " + std::strerror(errno);
    close(fd);
  }
  return file;
}

}  // namespace simhost::platform
