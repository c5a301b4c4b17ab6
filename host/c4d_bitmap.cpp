// c4d_bitmap.cpp - BaseBitmap.
#include "c4d_bitmap.h"

#include "c4d_tables.h"

BaseBitmap::BaseBitmap() {
  const C4D_BitmapTable* t = HostTables().bitmap;
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _bitmap = t->Create();
}

Int32 BaseBitmap::Init(const Filename& file) {
  const C4D_BitmapTable* t = HostTables().bitmap;
  if (_bitmap == nullptr || file.Get() == nullptr || !HOST_HAS(t, InitFromFile))
    return C4D_IMAGERESULT_NOTEXISTING;
  return t->InitFromFile(_bitmap, file.Get());
}

void BaseBitmap::SetData(Int32 id, Float value) {
  const C4D_BitmapTable* t = HostTables().bitmap;
  if (_bitmap != nullptr && HOST_HAS(t, SetData)) t->SetData(_bitmap, id, value);
}

void BaseBitmap::Free() {
  const C4D_BitmapTable* t = HostTables().bitmap;
  if (_bitmap != nullptr && HOST_HAS(t, Free)) t->Free(_bitmap);
  _bitmap = nullptr;
}
