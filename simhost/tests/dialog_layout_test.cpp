// The layout of small dialog descriptions, read by the resource reader and
// measured with fixed text extents (7 px a character): grid columns, scaling,
// alignment, indents and border sizes, and the descriptions that cannot be
// laid out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "dialog/dialog_layout.h"
#include "resource/resource_set.h"

namespace simhost {
namespace {

namespace fs = std::filesystem;
using namespace metrics;

// A window loaded from `DIALOG DLG_T { body }`, laid out at wantW x wantH.
class Layout {
 public:
  explicit Layout(const std::string& body, int wantW = 0, int wantH = 0) {
    const fs::path top =
        fs::temp_directory_path() / ("brevio-layout-" + std::to_string(std::random_device{}()));
    const fs::path root = top / "res";
    Write(root / "c4d_symbols.h",
          "enum {\n  DLG_T = 1,\n  IDC_A = 100,\n  IDC_B,\n  IDC_C,\n  IDC_D,\n  IDC_E,\n};\n");
    Write(root / "dialogs" / "t.res", "DIALOG DLG_T\n{\n  NAME \"Title\";\n" + body + "\n}\n");
    res::ResourceSet set;
    res::ResError error;
    EXPECT_EQ(res::LoadResourceSet(root.string(), set, error), res::LoadResult::Ok)
        << error.Format();
    res::DialogDescription desc;
    loaded = res::LoadDialogDescription(set, 1, desc, error);
    EXPECT_TRUE(loaded) << error.Format();
    fs::remove_all(top);
    ShowDescription(window, desc);
    ok = LayOutWindow(window, text, wantW, wantH, out, this->error);
  }

  // The rectangle of gadget `id`, or of the n-th gadget without an id.
  const Rect& Of(int32_t id) const {
    for (size_t i = 0; i < window.gadgets.size(); ++i)
      if (window.gadgets[i].id == id) return out.gadgets[i];
    static const Rect none;
    ADD_FAILURE() << "no gadget " << id;
    return none;
  }
  const Rect& Nth(size_t index) const { return out.gadgets.at(index); }

  FixedMetrics text{7, 14};
  Window window;
  WindowLayout out;
  bool loaded = false, ok = false;
  std::string error;

 private:
  static void Write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
};

TEST(WindowLayout, TwoColumnsLineUpTheirCellsAndKeepTheirSpacing) {
  Layout l(R"(
    GROUP { COLUMNS 2; SPACE 8, 4;
      STATICTEXT { NAME "Ab"; }
      COMBOBOX IDC_A { CHILDS { 1, "one"; } }
      STATICTEXT { NAME "Longest"; }
      COMBOBOX IDC_B { CHILDS { 1, "a much longer item"; } }
    })");
  ASSERT_TRUE(l.ok) << l.error;
  const Rect &t1 = l.Nth(0), &a = l.Of(100), &t2 = l.Nth(2), &b = l.Of(101);
  EXPECT_EQ(t1.x, t2.x);
  EXPECT_EQ(t1.x, l.out.content.x);
  EXPECT_EQ(t2.w, 7 * 7);
  // The combo column starts after the widest text and the column space.
  EXPECT_EQ(a.x, t1.x + 7 * 7 + 8);
  EXPECT_EQ(b.x, a.x);
  EXPECT_EQ(b.y, a.y + kRow + 4);
  EXPECT_EQ(t2.y, b.y);
  // Each combo is as wide as its own items need: neither scales.
  EXPECT_EQ(b.w, 3 * kComboPad + 18 * 7 + kComboArrow);
  EXPECT_EQ(a.w, kComboMinWidth);
  EXPECT_EQ(l.out.width, 2 * kWindowPad + 7 * 7 + 8 + b.w);
  EXPECT_EQ(l.out.height, kTitleBar + 2 * kWindowPad + 2 * kRow + 4);  // no menus, no menu bar
}

TEST(WindowLayout, ScaleHTakesTheRoomOthersAreAlignedIn) {
  Layout l(R"(
    GROUP { SCALE_H; COLUMNS 1;
      COMBOBOX IDC_A { SCALE_H; CHILDS { 1, "x"; } }
      COMBOBOX IDC_B { CHILDS { 1, "x"; } }
      BUTTON IDC_C { NAME "Go"; ALIGN_RIGHT; }
      BUTTON IDC_D { NAME "Mid"; CENTER_H; }
    })",
           400);
  ASSERT_TRUE(l.ok) << l.error;
  EXPECT_EQ(l.out.width, 400);
  const Rect& content = l.out.content;
  EXPECT_EQ(l.Of(100).x, content.x);
  EXPECT_EQ(l.Of(100).w, content.w);
  EXPECT_EQ(l.Of(101).w, kComboMinWidth);
  EXPECT_EQ(l.Of(102).Right(), content.Right());
  EXPECT_EQ(l.Of(103).x - content.x, content.Right() - l.Of(103).Right());

  // Without SCALE_H on the group itself, the group keeps its own width.
  Layout fixed(R"(GROUP { COLUMNS 1; COMBOBOX IDC_A { SCALE_H; CHILDS { 1, "x"; } } })", 400);
  ASSERT_TRUE(fixed.ok) << fixed.error;
  EXPECT_EQ(fixed.Of(100).w, kComboMinWidth);
}

TEST(WindowLayout, IndentedGroupsAndBorderSizesMoveTheirContent) {
  Layout l(R"(
    CHECKBOX IDC_A { NAME "Master"; }
    GROUP { BORDERSIZE 16, 0, 0, 0; CHECKBOX IDC_B { NAME "Dependent"; } }
    GROUP { BORDERSIZE 10, 20, 30, 40; BUTTON IDC_C { NAME "B"; } }
  )");
  ASSERT_TRUE(l.ok) << l.error;
  const Rect &master = l.Of(100), &dependent = l.Of(101), &button = l.Of(102);
  EXPECT_EQ(dependent.x, master.x + 16);
  EXPECT_EQ(dependent.y, master.Bottom() + kSpaceY);
  // The button sits 10 in and 20 down from its group's cell, and the group
  // is as large as the button and its borders.
  EXPECT_EQ(button.x, l.out.content.x + 10);
  EXPECT_EQ(button.y, dependent.Bottom() + kSpaceY + 20);
  EXPECT_EQ(l.out.width, 2 * kWindowPad + std::max(16 + dependent.w, 10 + kButtonMinWidth + 30));
  EXPECT_EQ(l.out.content.Bottom(), button.Bottom() + 40);
}

TEST(WindowLayout, BorderedGroupsDrawAFrameWithTheirTitleOutsideTheirGadgets) {
  Layout l(R"(
    GROUP { NAME "A rather long group title"; BORDERSTYLE BORDER_GROUP_IN; CHECKBOX IDC_A { NAME "x"; } }
    GROUP { BORDERSTYLE BORDER_NONE; CHECKBOX IDC_B { NAME "y"; } }
  )");
  ASSERT_TRUE(l.ok) << l.error;
  ASSERT_EQ(l.out.frames.size(), 1u);
  const FrameBox& frame = l.out.frames[0];
  EXPECT_EQ(frame.title, "A rather long group title");
  EXPECT_TRUE(l.Of(100).Inside(frame.rect));
  EXPECT_GE(l.Of(100).y, frame.rect.y + 14 / 2 + kFrame);  // below the title
  EXPECT_GE(frame.rect.w, 25 * 7);                         // the title fits
  EXPECT_FALSE(l.Of(101).Overlaps(frame.rect));
}

TEST(WindowLayout, RowsFillColumnsAndMenusGetABar) {
  Layout l(R"(
    GROUP { ROWS 2;
      CHECKBOX IDC_A { NAME "a"; } CHECKBOX IDC_B { NAME "b"; }
      CHECKBOX IDC_C { NAME "c"; } CHECKBOX IDC_D { NAME "d"; }
    })");
  ASSERT_TRUE(l.ok) << l.error;
  EXPECT_EQ(l.Of(100).y, l.Of(101).y);
  EXPECT_GT(l.Of(101).x, l.Of(100).Right());
  EXPECT_EQ(l.Of(102).x, l.Of(100).x);
  EXPECT_GT(l.Of(102).y, l.Of(100).Bottom());

  MenuEntry file;
  file.type = MenuEntry::Type::Sub;
  file.text = "File";
  l.window.menu.menus = {file, file};
  l.window.menu.menus[1].text = "Help";
  WindowLayout withMenus;
  std::string error;
  ASSERT_TRUE(LayOutWindow(l.window, l.text, 0, 0, withMenus, error)) << error;
  EXPECT_EQ(withMenus.menuBar.h, kMenuBar);
  ASSERT_EQ(withMenus.menus.size(), 2u);
  EXPECT_EQ(withMenus.menus[1].rect.x, withMenus.menus[0].rect.Right());
  EXPECT_EQ(withMenus.gadgets[0].y, l.Of(100).y + kMenuBar);
}

TEST(WindowLayout, DescriptionsThatCannotBeLaidOutSayWhichAndWhy) {
  struct Case {
    std::string body;
    std::string reason;
  };
  std::string deep;
  for (int i = 0; i < kMaxDepth; ++i) deep += "GROUP { ";
  deep += "CHECKBOX IDC_A { NAME \"x\"; }";
  for (int i = 0; i < kMaxDepth; ++i) deep += " }";
  const Case cases[] = {
      {"GROUP {\n COLUMNS 0; CHECKBOX IDC_A { NAME \"x\"; } }",
       "line 4: COLUMNS 0: a group needs at least one column"},
      {"GROUP {\n ROWS 0; }", "line 4: ROWS 0: a group needs at least one row"},
      {"COMBOBOX IDC_A\n{ SIZE 5000, 0; }",
       "line 4: COMBOBOX IDC_A is 5000 px wide, wider than any window (4096 px)"},
      {"STATICTEXT { NAME \"" + std::string(700, 'w') + "\"; }",
       "line 4: STATICTEXT is 4900 px wide, wider than any window (4096 px)"},
      {"GROUP { SPACE 0, -1; }", "line 4: SPACE takes no negative numbers"},
      {deep, "groups nest deeper than 64 levels"},
  };
  for (const Case& c : cases) {
    Layout l(c.body);
    ASSERT_TRUE(l.loaded);
    EXPECT_FALSE(l.ok) << c.body.substr(0, 80);
    EXPECT_NE(l.error.find("dialog description DLG_T (res/dialogs/t.res) cannot be laid out: "),
              std::string::npos)
        << l.error;
    EXPECT_NE(l.error.find(c.reason), std::string::npos) << l.error;
    EXPECT_TRUE(l.out.gadgets.empty());
  }
  // One level fewer is fine.
  std::string fine;
  for (int i = 0; i < kMaxDepth - 1; ++i) fine += "GROUP { ";
  fine += "CHECKBOX IDC_A { NAME \"x\"; }";
  for (int i = 0; i < kMaxDepth - 1; ++i) fine += " }";
  Layout l(fine);
  EXPECT_TRUE(l.ok) << l.error;

  // Spacing alone can make a group too wide.
  Layout many("GROUP { COLUMNS 60; SPACE 100, 0; STATICTEXT {} STATICTEXT {} }");
  EXPECT_TRUE(many.ok) << many.error;  // two children: two columns, whatever COLUMNS says
  Layout spaced("GROUP { COLUMNS 2; SPACE 5000, 0; STATICTEXT {} STATICTEXT {} }");
  EXPECT_FALSE(spaced.ok);
  EXPECT_NE(spaced.error.find("wider than any window"), std::string::npos) << spaced.error;
}

}  // namespace
}  // namespace simhost
