// bitmap_table.cpp - bitmaps: the host judges an image file by its header.
#include <filesystem>
#include <fstream>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

constexpr const TypedKind<BitmapObj>& kKind = kBitmapKind;

C4D_Bitmap* Create() {
  Host* host = Enter("Bitmap.Create");
  if (host == nullptr || !host->AllowCreate(kKind)) return nullptr;
  auto* b = new BitmapObj;
  host->ledger.Add(kKind, b);
  return reinterpret_cast<C4D_Bitmap*>(b);
}

void Free(C4D_Bitmap* b) {
  Host* host = Enter("Bitmap.Free");
  if (host != nullptr && host->CheckFree(kKind, b, "Bitmap.Free")) host->ledger.Remove(kKind, b);
}

int32_t InitFromFile(C4D_Bitmap* b, const C4D_Filename* file) {
  auto [host, bitmap] = Enter("Bitmap.InitFromFile", kKind, b);
  if (bitmap == nullptr || !host->Check(kFilenameKind, file, "Bitmap.InitFromFile"))
    return C4D_IMAGERESULT_NOTEXISTING;
  const std::string path = PathOf(file);
  const int32_t result = JudgeImageFile(path);
  bitmap->path = path;
  bitmap->image = result == C4D_IMAGERESULT_OK;
  host->journal.Emit({{"event", "bitmap"}, {"path", path}, {"result", result}});
  return result;
}

void SetData(C4D_Bitmap* b, int32_t id, double value) {
  if (BitmapObj* bitmap = Enter("Bitmap.SetData", kKind, b).object) bitmap->data[id] = value;
}

}  // namespace

int32_t JudgeImageFile(const std::string& path) {
  // Only the header is read, and a named pipe or a device is not opened.
  std::string magic, why;
  if (path.empty() || !platform::ReadRegularFile(path, magic, why, 4))
    return C4D_IMAGERESULT_NOTEXISTING;
  if (magic.size() != 4) return C4D_IMAGERESULT_WRONGTYPE;
  if (magic == std::string("II*\0", 4) || magic == std::string("MM\0*", 4))
    return C4D_IMAGERESULT_OK;
  return C4D_IMAGERESULT_WRONGTYPE;
}

namespace {

const C4D_BitmapTable* Table() {
  static const C4D_BitmapTable table = {sizeof(C4D_BitmapTable), Create, Free, InitFromFile,
                                        SetData};
  return &table;
}

const Offer kOffer("bitmap", &C4D_ServiceRoot::bitmap, Table());

}  // namespace

}  // namespace simhost
