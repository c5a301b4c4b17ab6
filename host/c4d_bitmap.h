// c4d_bitmap.h - BaseBitmap: an owned host image (the command icon).
#pragma once

#include "c4d_abi.h"
#include "c4d_file.h"
#include "c4d_types.h"

class BaseBitmap {
 public:
  // Makes a host bitmap (none when the host cannot make one).
  BaseBitmap();
  ~BaseBitmap() { Free(); }
  BaseBitmap(const BaseBitmap&) = delete;
  BaseBitmap& operator=(const BaseBitmap&) = delete;

  // Reads an image file; answers the host's result (IMAGERESULT_OK: loaded).
  Int32 Init(const Filename& file);
  // Sets a bitmap data entry (BASEBITMAP_DATA_GUIPIXELRATIO, ...).
  void SetData(Int32 id, Float value);
  // Gives the bitmap back to the host now.
  void Free();

  Bool IsValid() const { return _bitmap != nullptr; }
  const C4D_Bitmap* Get() const { return _bitmap; }

 private:
  C4D_Bitmap* _bitmap = nullptr;
};
