// dialog_layout.cpp - placing a window's gadgets. Every element first
// answers its smallest size (texts measured, gadget metrics fixed); a group
// is a grid of its children, its columns as wide as their widest child and
// its rows as high as their highest. Room beyond that goes to the columns and
// rows that hold a child scaling that way; a child that does not scale is
// aligned inside its cell.
#include "dialog/dialog_layout.h"

#include <algorithm>
#include <cstdint>

namespace simhost {

using namespace metrics;

int FixedMetrics::Width(const std::string& text) const {
  int chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * advance_;
}

Rect CheckBoxSquare(const Rect& g) {
  return {g.x, g.y + (g.h - kCheckBox) / 2, kCheckBox, kCheckBox};
}

namespace {

using res::DescLayout;

bool HasFlag(const DescLayout& n, const char* flag) {
  return std::find(n.flags.begin(), n.flags.end(), flag) != n.flags.end();
}
bool ScalesH(const DescLayout& n) {
  return HasFlag(n, "SCALE_H") || HasFlag(n, "SCALE") || HasFlag(n, "FIT_H") || HasFlag(n, "FIT");
}
bool ScalesV(const DescLayout& n) {
  return HasFlag(n, "SCALE_V") || HasFlag(n, "SCALE") || HasFlag(n, "FIT_V") || HasFlag(n, "FIT");
}

// One element with its smallest size; a group also with its grid.
struct Box {
  const DescLayout* node = nullptr;
  int64_t w = 0, h = 0;
  // Groups only.
  int cols = 1, rows = 0;
  int64_t spaceX = kSpaceX, spaceY = kSpaceY;
  int64_t left = 0, top = 0, right = 0, bottom = 0;  // content insets, frame included
  bool framed = false;
  std::vector<int64_t> colW, rowH;
  std::vector<Box> kids;
};

class Layouter {
 public:
  Layouter(const Window& window, const TextMetrics& text, WindowLayout& out)
      : window_(window), text_(text), out_(out) {}

  std::string error;

  bool Measure(const DescLayout& n, int depth, Box& box) {
    box.node = &n;
    if (n.gadget >= 0) return MeasureGadget(n, box);
    if (depth > kMaxDepth)
      return Fail(n, "groups nest deeper than " + std::to_string(kMaxDepth) + " levels");
    const int64_t count = static_cast<int64_t>(n.children.size());
    int64_t cols = 1;
    if (!n.columns.empty()) {
      cols = n.columns[0];
      if (cols <= 0)
        return Fail(n, "COLUMNS " + std::to_string(cols) + ": a group needs at least one column");
    } else if (!n.rows.empty()) {
      const int64_t rows = n.rows[0];
      if (rows <= 0)
        return Fail(n, "ROWS " + std::to_string(rows) + ": a group needs at least one row");
      cols = (count + rows - 1) / rows;
    }
    box.cols = static_cast<int>(std::clamp<int64_t>(cols, 1, std::max<int64_t>(count, 1)));
    box.rows = static_cast<int>((count + box.cols - 1) / box.cols);
    if (n.space.size() == 2) {
      if (n.space[0] < 0 || n.space[1] < 0) return Fail(n, "SPACE takes no negative numbers");
      box.spaceX = n.space[0];
      box.spaceY = n.space[1];
    }
    if (n.borderSize.size() == 4) {
      for (int64_t v : n.borderSize)
        if (v < 0) return Fail(n, "BORDERSIZE takes no negative numbers");
      box.left = n.borderSize[0];
      box.top = n.borderSize[1];
      box.right = n.borderSize[2];
      box.bottom = n.borderSize[3];
    }
    box.framed = !n.borderStyle.empty() && n.borderStyle != "BORDER_NONE";
    int64_t titleW = 0;
    if (box.framed) {
      box.left += kFrame;
      box.right += kFrame;
      box.bottom += kFrame;
      box.top += kFrame + (n.caption.empty() ? 0 : text_.LineHeight());
      if (!n.caption.empty()) titleW = text_.Width(n.caption) + 2 * (kFrameTitlePad + kFrame);
    }

    box.colW.assign(static_cast<size_t>(box.cols), 0);
    box.rowH.assign(static_cast<size_t>(box.rows), 0);
    box.kids.resize(n.children.size());
    for (size_t i = 0; i < n.children.size(); ++i) {
      Box& kid = box.kids[i];
      if (!Measure(n.children[i], depth + 1, kid)) return false;
      int64_t& cw = box.colW[i % static_cast<size_t>(box.cols)];
      int64_t& rh = box.rowH[i / static_cast<size_t>(box.cols)];
      cw = std::max(cw, kid.w);
      rh = std::max(rh, kid.h);
    }
    int64_t innerW = 0, innerH = 0;
    for (int64_t w : box.colW) innerW += w;
    for (int64_t h : box.rowH) innerH += h;
    if (count > 0) {
      innerW += box.spaceX * (box.cols - 1);
      innerH += box.spaceY * (box.rows - 1);
    }
    box.w = std::max(innerW + box.left + box.right, titleW);
    box.h = innerH + box.top + box.bottom;
    ApplySize(n, box);
    return Fits(n, box, "the group");
  }

  void Place(const Box& box, const Rect& r) {
    const DescLayout& n = *box.node;
    if (n.gadget >= 0) {
      out_.gadgets[static_cast<size_t>(n.gadget)] = r;
      return;
    }
    if (box.framed) {
      const int half = n.caption.empty() ? 0 : text_.LineHeight() / 2;
      out_.frames.push_back({{r.x, r.y + half, r.w, r.h - half}, n.caption});
    }
    const Rect content{r.x + static_cast<int>(box.left), r.y + static_cast<int>(box.top),
                       r.w - static_cast<int>(box.left + box.right),
                       r.h - static_cast<int>(box.top + box.bottom)};
    std::vector<int64_t> colW = box.colW, rowH = box.rowH;
    std::vector<bool> scaleCol(colW.size(), false), scaleRow(rowH.size(), false);
    for (size_t i = 0; i < box.kids.size(); ++i) {
      if (ScalesH(*box.kids[i].node)) scaleCol[i % colW.size()] = true;
      if (ScalesV(*box.kids[i].node)) scaleRow[i / colW.size()] = true;
    }
    Spread(colW, scaleCol, content.w - Sum(colW) - box.spaceX * (box.cols - 1));
    Spread(rowH, scaleRow, content.h - Sum(rowH) - box.spaceY * (box.rows - 1));

    for (size_t i = 0; i < box.kids.size(); ++i) {
      const Box& kid = box.kids[i];
      const size_t c = i % colW.size(), row = i / colW.size();
      int64_t cellX = content.x, cellY = content.y;
      for (size_t k = 0; k < c; ++k) cellX += colW[k] + box.spaceX;
      for (size_t k = 0; k < row; ++k) cellY += rowH[k] + box.spaceY;
      const int64_t cellW = colW[c], cellH = rowH[row];
      const DescLayout& kn = *kid.node;
      const int64_t w = ScalesH(kn) ? cellW : std::min(kid.w, cellW);
      const int64_t h = ScalesV(kn) ? cellH : std::min(kid.h, cellH);
      int64_t x = cellX, y = cellY + (cellH - h) / 2;
      if (HasFlag(kn, "ALIGN_RIGHT")) x = cellX + cellW - w;
      if (HasFlag(kn, "CENTER_H")) x = cellX + (cellW - w) / 2;
      if (HasFlag(kn, "ALIGN_TOP")) y = cellY;
      if (HasFlag(kn, "ALIGN_BOTTOM")) y = cellY + cellH - h;
      Place(kid,
            {static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h)});
    }
  }

 private:
  static int64_t Sum(const std::vector<int64_t>& v) {
    int64_t s = 0;
    for (int64_t x : v) s += x;
    return s;
  }

  // Hands `extra` pixels to the marked entries, evenly, the remainder to the first.
  static void Spread(std::vector<int64_t>& sizes, const std::vector<bool>& marked, int64_t extra) {
    const int64_t count = std::count(marked.begin(), marked.end(), true);
    if (extra <= 0 || count == 0) return;
    int64_t remainder = extra % count;
    for (size_t i = 0; i < sizes.size(); ++i) {
      if (!marked[i]) continue;
      sizes[i] += extra / count + remainder;
      remainder = 0;
    }
  }

  bool MeasureGadget(const DescLayout& n, Box& box) {
    if (static_cast<size_t>(n.gadget) >= window_.gadgets.size())
      return Fail(n, "the element has no gadget in the window");
    const Gadget& g = window_.gadgets[static_cast<size_t>(n.gadget)];
    int64_t w = 0, h = kRow;
    switch (g.kind) {
      case Gadget::Kind::Text:
        w = text_.Width(g.caption);
        break;
      case Gadget::Kind::Check:
        w = kCheckBox + kCheckGap + text_.Width(g.caption);
        break;
      case Gadget::Kind::Combo: {
        int64_t widest = 0;
        for (const auto& item : g.items)
          widest = std::max<int64_t>(widest, text_.Width(item.second));
        w = std::max<int64_t>(kComboMinWidth, kComboPad * 3 + widest + kComboArrow);
        break;
      }
      case Gadget::Kind::Button:
        w = std::max<int64_t>(kButtonMinWidth, text_.Width(g.caption) + 2 * kButtonPad);
        h = kButtonHeight;
        break;
      case Gadget::Kind::Separator:
        w = 2 * kMinGadget;
        h = kSeparatorHeight;
        break;
    }
    box.w = std::max<int64_t>(w, kMinGadget);
    box.h = h;
    ApplySize(n, box);
    std::string name = n.element;
    if (!g.symbol.empty()) {
      name += " " + g.symbol;
    } else if (g.id >= 0) {
      name += " " + std::to_string(g.id);
    }
    return Fits(n, box, name);
  }

  // SIZE w, h: a smallest size of the element's own (0 or less: none).
  static void ApplySize(const DescLayout& n, Box& box) {
    if (n.size.size() != 2) return;
    if (n.size[0] > 0) box.w = std::max(box.w, n.size[0]);
    if (n.size[1] > 0) box.h = std::max(box.h, n.size[1]);
  }

  bool Fits(const DescLayout& n, const Box& box, const std::string& what) {
    if (box.w > kMaxWindow)
      return Fail(n, what + " is " + std::to_string(box.w) + " px wide, wider than any window (" +
                         std::to_string(kMaxWindow) + " px)");
    if (box.h > kMaxWindow)
      return Fail(n, what + " is " + std::to_string(box.h) + " px high, higher than any window (" +
                         std::to_string(kMaxWindow) + " px)");
    return true;
  }

  bool Fail(const DescLayout& n, const std::string& text) {
    error = "line " + std::to_string(n.line) + ": " + text;
    return false;
  }

  const Window& window_;
  const TextMetrics& text_;
  WindowLayout& out_;
};

}  // namespace

bool LayOutWindow(const Window& window, const TextMetrics& text, int wantW, int wantH,
                  WindowLayout& out, std::string& error) {
  out = WindowLayout{};
  out.gadgets.assign(window.gadgets.size(), Rect{});
  const std::string what =
      window.description != 0
          ? "dialog description " + window.descriptionName + " (" + window.descriptionFile + ")"
          : "window \"" + window.title + "\"";
  Layouter layouter(window, text, out);
  Box root;
  if (!layouter.Measure(window.layout, 1, root)) {
    error = what + " cannot be laid out: " + layouter.error;
    out = WindowLayout{};
    return false;
  }

  const int menuH = window.menu.menus.empty() ? 0 : kMenuBar;
  int64_t menusW = 0;
  for (const MenuEntry& m : window.menu.menus) {
    const int w = text.Width(m.text) + 2 * kMenuTitlePad;
    out.menus.push_back({{kWindowPad + static_cast<int>(menusW), kTitleBar, w, menuH}, m.text});
    menusW += w;
  }
  int64_t width = std::max<int64_t>({root.w + 2 * kWindowPad, menusW + 2 * kWindowPad,
                                     text.Width(window.title) + 4 * kWindowPad});
  int64_t height = kTitleBar + menuH + root.h + 2 * kWindowPad;
  if (wantW > 0 && wantW <= kMaxWindow) width = std::max<int64_t>(width, wantW);
  if (wantH > 0 && wantH <= kMaxWindow) height = std::max<int64_t>(height, wantH);
  if (width > kMaxWindow || height > kMaxWindow) {
    error = what + " cannot be laid out: the window would be " + std::to_string(width) + " x " +
            std::to_string(height) + " px, larger than any window (" + std::to_string(kMaxWindow) +
            " px)";
    out = WindowLayout{};
    return false;
  }
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.titleBar = {0, 0, out.width, kTitleBar};
  out.menuBar = {0, kTitleBar, out.width, menuH};
  const int top = kTitleBar + menuH;
  out.content = {kWindowPad, top + kWindowPad, out.width - 2 * kWindowPad,
                 out.height - top - 2 * kWindowPad};
  layouter.Place(root, out.content);
  return true;
}

}  // namespace simhost
