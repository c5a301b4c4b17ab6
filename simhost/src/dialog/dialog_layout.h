// dialog_layout.h - where the host places a window's parts: the title bar,
// the menu bar, group frames and one rectangle per gadget, from the window's
// description, its gadgets' current texts and the extents of the font.
#pragma once

#include <string>
#include <vector>

#include "dialog/dialog.h"

namespace simhost {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool Empty() const { return w <= 0 || h <= 0; }
  bool Inside(const Rect& outer) const {
    return x >= outer.x && y >= outer.y && Right() <= outer.Right() && Bottom() <= outer.Bottom();
  }
  bool Overlaps(const Rect& o) const {
    return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
  }
};

// Text extents in pixels of the font a window is drawn with.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual int Width(const std::string& text) const = 0;
  virtual int LineHeight() const = 0;
};

// A fixed advance per character (UTF-8 continuation bytes take none): for
// tests, and for builds without a font.
class FixedMetrics : public TextMetrics {
 public:
  explicit FixedMetrics(int advance = 7, int lineHeight = 14)
      : advance_(advance), lineHeight_(lineHeight) {}
  int Width(const std::string& text) const override;
  int LineHeight() const override { return lineHeight_; }

 private:
  int advance_, lineHeight_;
};

// The gadget metrics of the host's dark interface, in pixels.
namespace metrics {
constexpr int kTitleBar = 26;
constexpr int kMenuBar = 22;
constexpr int kMenuTitlePad = 9;  // each side of a menu title
constexpr int kWindowPad = 6;     // around the description's content
constexpr int kRow = 20;          // height of texts, check boxes, combo boxes
constexpr int kCheckBox = 14;     // the square of a check box
constexpr int kCheckGap = 6;      // between the square and the caption
constexpr int kComboPad = 6;      // left of the text, and right of the arrow
constexpr int kComboArrow = 14;
constexpr int kComboMinWidth = 70;
constexpr int kButtonHeight = 24;
constexpr int kButtonPad = 14;
constexpr int kButtonMinWidth = 76;
constexpr int kSeparatorHeight = 8;
constexpr int kMinGadget = 8;  // no gadget is narrower, so none is empty
constexpr int kFrame = 5;      // inset of a bordered group's frame, each side
constexpr int kFrameTitlePad = 6;
constexpr int kSpaceX = 4;  // between a group's columns and rows unless SPACE says
constexpr int kSpaceY = 3;
constexpr int kMaxWindow = 4096;  // no window is wider or taller
constexpr int kMaxDepth = 64;     // groups nest no deeper
}  // namespace metrics

struct FrameBox {
  Rect rect;          // the frame line
  std::string title;  // drawn into its top edge ("" when none)
};

struct MenuTitle {
  Rect rect;
  std::string text;
};

struct WindowLayout {
  int width = 0, height = 0;
  Rect titleBar, menuBar, content;
  std::vector<MenuTitle> menus;
  std::vector<Rect> gadgets;     // by index of Window::gadgets
  std::vector<FrameBox> frames;  // bordered groups, outer first
  Rect Bounds() const { return {0, 0, width, height}; }
};

// Where the square of a check box sits inside its gadget rectangle.
Rect CheckBoxSquare(const Rect& gadget);

// Lays out `window` at least as large as wantW x wantH (0: its natural size).
// False with `error` naming the description and the reason when it cannot be
// laid out (zero columns or rows, a gadget wider or taller than any window,
// groups nested too deep, negative spacing).
bool LayOutWindow(const Window& window, const TextMetrics& text, int wantW, int wantH,
                  WindowLayout& out, std::string& error);

}  // namespace simhost
