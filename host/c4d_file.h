// c4d_file.h - Filename (an owned host path) and the file operations the
// plug-in needs: its own folder, and opening a file with its application.
#pragma once

#include "c4d_abi.h"
#include "c4d_owned_handle.h"
#include "c4d_string.h"
#include "maxon/apibase.h"

namespace cinema {

// A copy of a path is a new host object; assigning one replaces it.
struct FilenameHandleTraits {
  static C4D_Filename* Duplicate(const C4D_Filename* src);
  static void Free(C4D_Filename* f);
  static constexpr bool kAssignInPlace = false;
  static void CopyInto(C4D_Filename*, const C4D_Filename*) {}
};

class Filename {
 public:
  // The empty path; it holds no host object.
  Filename() = default;
  // A path from UTF-8 text (stays empty when the host cannot make one).
  Filename(const Char* string);           // NOLINT(google-explicit-constructor)
  Filename(const maxon::String& string);  // NOLINT(google-explicit-constructor)
  Filename(const Filename& src) = default;
  Filename(Filename&& src) noexcept = default;
  ~Filename() = default;
  const Filename& operator=(const Filename& fname) {
    _path = fname._path;
    return *this;
  }
  Filename& operator=(Filename&& fname) noexcept = default;

  Bool IsPopulated() const;
  // The full path as text (empty for the empty path).
  String GetString() const;
  // The folder that holds this path.
  const Filename GetDirectory() const;
  // The last component as text.
  String GetFileString() const;
  Bool operator==(const Filename& other) const;

  // This path joined with one more component. The empty path joined with a
  // name gives the relative path of just that name.
  friend const Filename operator+(const Filename& fname1, const Filename& fname2);

  // The host object (NULL for the empty path), for the host layer's calls.
  const C4D_Filename* GetHostHandle() const { return _path.Get(); }
  // Takes ownership of a path the host handed over (may be NULL).
  static Filename AdoptHostHandle(C4D_Filename* owned);
  // A copy of a path the host lent (NULL gives the empty path).
  static Filename CopyOfHostHandle(const C4D_Filename* borrowed);

 private:
  OwnedHostHandle<C4D_Filename, FilenameHandleTraits> _path;
};

// The plug-in folder: the folder that holds the module file (a copy of the
// module location; the empty path when the host gave none).
const Filename GeGetPluginPath();

// Has the operating system open a file with its associated application.
Bool GeExecuteFile(const Filename& path);

}  // namespace cinema
