// c4d_basebitmap.h - BaseBitmap: a host image (the command icon), made with
// Alloc and given back with Free (or held by AutoAlloc).
#pragma once

#include "c4d_abi.h"
#include "c4d_file.h"
#include "c4d_gedata.h"
#include "ge_prepass.h"
#include "maxon/apibase.h"

// Bitmap data entry: the ratio of the bitmap's pixels to interface pixels.
#define BASEBITMAP_DATA_GUIPIXELRATIO 100

namespace cinema {

// An opaque shell: a BaseBitmap* is the host's bitmap handle.
class BaseBitmap {
 public:
  BaseBitmap() = delete;
  ~BaseBitmap() = delete;
  BaseBitmap(const BaseBitmap&) = delete;
  BaseBitmap& operator=(const BaseBitmap&) = delete;

  // A new host bitmap, or NULL when the host cannot make one.
  static BaseBitmap* Alloc();
  // Gives the bitmap back to the host and clears the pointer; NULL is ignored.
  static void Free(BaseBitmap*& bm);

  // Reads an image file; IMAGERESULT::OK when it was loaded.
  IMAGERESULT Init(const Filename& name, Int32 frame = -1, Bool* ismovie = nullptr);
  // Sets a bitmap data entry (BASEBITMAP_DATA_GUIPIXELRATIO, ...).
  Bool SetData(Int32 id, const GeData& data);
};

}  // namespace cinema
