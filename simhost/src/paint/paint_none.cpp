// paint_none.cpp - the painter's place in a build without cairo (the
// Windows build): layouts use fixed text extents, and pictures are refused
// with a reason.
#include "paint/paint.h"

namespace simhost {

bool PainterBuilt() { return false; }

const TextMetrics* PictureMetrics(std::string&) {
  static const FixedMetrics fixed;
  return &fixed;
}

bool DrawWindow(const Window&, int, int, PictureFormat, std::string& bytes, WindowLayout& layout,
                std::string& error) {
  bytes.clear();
  layout = WindowLayout{};
  error =
      "this simhost was built without the painter (cairo was not found when it was built), so it "
      "draws no pictures";
  return false;
}

}  // namespace simhost
