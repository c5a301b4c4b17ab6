// c4d_basebitmap.cpp - BaseBitmap.
#include "c4d_basebitmap.h"

#include "c4d_tables.h"

namespace cinema {

namespace {
const C4D_BitmapTable* Table() { return HostTables().bitmap; }
C4D_Bitmap* Handle(BaseBitmap* bm) { return reinterpret_cast<C4D_Bitmap*>(bm); }
}  // namespace

BaseBitmap* BaseBitmap::Alloc() {
  const C4D_BitmapTable* t = Table();
  if (!HOST_HAS(t, Create) || !HOST_HAS(t, Free)) return nullptr;
  return reinterpret_cast<BaseBitmap*>(t->Create());
}

void BaseBitmap::Free(BaseBitmap*& bm) {
  const C4D_BitmapTable* t = Table();
  if (bm != nullptr && HOST_HAS(t, Free)) t->Free(Handle(bm));
  bm = nullptr;
}

IMAGERESULT BaseBitmap::Init(const Filename& name, Int32, Bool* ismovie) {
  if (ismovie != nullptr) *ismovie = false;
  const C4D_BitmapTable* t = Table();
  if (name.GetHostHandle() == nullptr || !HOST_HAS(t, InitFromFile))
    return IMAGERESULT::NOTEXISTING;
  switch (t->InitFromFile(Handle(this), name.GetHostHandle())) {
    case C4D_IMAGERESULT_OK:
      return IMAGERESULT::OK;
    case C4D_IMAGERESULT_NOTEXISTING:
      return IMAGERESULT::NOTEXISTING;
    case C4D_IMAGERESULT_WRONGTYPE:
      return IMAGERESULT::WRONGTYPE;
    default:
      return IMAGERESULT::MISC_ERROR;
  }
}

Bool BaseBitmap::SetData(Int32 id, const GeData& data) {
  const C4D_BitmapTable* t = Table();
  if (data.GetType() == GeData::Type::NONE || !HOST_HAS(t, SetData)) return false;
  t->SetData(Handle(this), id, data.GetFloat());
  return true;
}

}  // namespace cinema
