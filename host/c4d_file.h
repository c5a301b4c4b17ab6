// c4d_file.h - Filename (an owned host path) and the file operations the
// plug-in needs: its own folder, and opening a file with its application.
#pragma once

#include "c4d_abi.h"
#include "c4d_string.h"
#include "c4d_types.h"

class Filename {
 public:
  // The empty path; it holds no host object.
  Filename() = default;
  // A path from UTF-8 text (stays empty when the host cannot make one).
  explicit Filename(const char* utf8);
  ~Filename();
  // Copies make a host object of their own.
  Filename(const Filename& other);
  Filename& operator=(const Filename& other);
  Filename(Filename&& other) noexcept;
  Filename& operator=(Filename&& other) noexcept;

  // Takes ownership of a path the host handed over (may be NULL).
  static Filename Adopt(C4D_Filename* owned);
  // A copy of a path the host lent (NULL gives the empty path).
  static Filename CopyOf(const C4D_Filename* borrowed);

  Bool IsPopulated() const;
  // This path joined with one more component. The empty path joined with a
  // name gives the relative path of just that name.
  Filename operator+(const char* name) const;
  Filename GetDirectory() const;
  // The full path as text (empty for the empty path).
  String GetString() const;
  // The last component as text.
  String GetFileString() const;
  Bool IsEqual(const Filename& other) const;

  // The host object, NULL for the empty path.
  const C4D_Filename* Get() const { return _path; }

 private:
  void Free();
  C4D_Filename* _path = nullptr;
};

// The plug-in folder: the folder that holds the module file (a copy of the
// module location; the empty path when the host gave none).
Filename GeGetPluginPath();

// Has the operating system open a file with its associated application.
Bool GeExecuteFile(const Filename& path);
