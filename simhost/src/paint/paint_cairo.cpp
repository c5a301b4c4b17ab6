// paint_cairo.cpp - the painter: cairo draws the laid-out window with a
// TrueType font that fontconfig finds (or the font package's own path).
// Hinting is off so that text extents, and so the pictures, do not depend
// on the machine's font settings.
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "paint/paint.h"
#include "platform/platform.h"

namespace simhost {

namespace {

const char* const kFamily = "DejaVu Sans";
const char* const kFontPackagePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const double kFontSize = 12.0;

// The host's dark interface.
struct Colour {
  double r, g, b;
};
constexpr Colour Grey(int v) { return {v / 255.0, v / 255.0, v / 255.0}; }
const Colour kWindow = Grey(51);
const Colour kOutline = Grey(22);
const Colour kTitleBar = Grey(36);
const Colour kTitleText = Grey(214);
const Colour kMenuBar = Grey(43);
const Colour kText = Grey(204);
const Colour kDisabledText = Grey(112);
const Colour kFrameLine = Grey(78);
const Colour kFrameTitle = Grey(176);
const Colour kField = Grey(30);
const Colour kDisabledField = Grey(44);
const Colour kFieldEdge = Grey(20);
const Colour kTick = Grey(232);
const Colour kDisabledTick = Grey(96);
const Colour kButton = Grey(80);
const Colour kButtonEdge = Grey(98);
const Colour kDisabledButton = Grey(60);

bool Readable(const std::string& path) {
  std::string start, why;
  return platform::ReadRegularFile(path, start, why, 1);  // a pipe would block
}

// The font file: SIMHOST_FONT when set, else what fontconfig answers for the
// family, else the font package's path.
bool FindFontFile(std::string& file, std::string& error) {
  if (const char* forced = std::getenv("SIMHOST_FONT"); forced != nullptr && *forced != '\0') {
    file = forced;
    if (Readable(file)) return true;
    error =
        "no font for pictures of windows: SIMHOST_FONT names " + file + ", which cannot be read";
    return false;
  }
  if (FcConfig* config = FcInitLoadConfigAndFonts()) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFamily));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match != nullptr) {
      FcChar8* found = nullptr;
      FcChar8* family = nullptr;
      // Only the family asked for: a substitute would change every extent.
      if (FcPatternGetString(match, FC_FILE, 0, &found) == FcResultMatch &&
          FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
          std::string(reinterpret_cast<char*>(family)) == kFamily &&
          Readable(reinterpret_cast<char*>(found)))
        file = reinterpret_cast<char*>(found);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    if (!file.empty()) return true;
  }
  if (Readable(kFontPackagePath)) {
    file = kFontPackagePath;
    return true;
  }
  error = std::string("no font for pictures of windows: fontconfig finds no \"") + kFamily +
          "\" and " + kFontPackagePath +
          " is missing (install the Debian package fonts-dejavu-core, or set SIMHOST_FONT to a "
          "TrueType file)";
  return false;
}

class Font : public TextMetrics {
 public:
  bool Open(std::string& error) {
    std::string file;
    if (!FindFontFile(file, error)) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, 0);
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    face_ = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, kFontSize, kFontSize);
    cairo_matrix_init_identity(&identity);
    options_ = cairo_font_options_create();
    cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
    scaled_ = cairo_scaled_font_create(face_, &size, &identity, options_);
    if (cairo_scaled_font_status(scaled_) != CAIRO_STATUS_SUCCESS) {
      error = "no font for pictures of windows: cairo cannot use " + file + " (" +
              cairo_status_to_string(cairo_scaled_font_status(scaled_)) + ")";
      return false;
    }
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(scaled_, &extents);
    ascent_ = extents.ascent;
    lineHeight_ = static_cast<int>(std::ceil(extents.ascent + extents.descent));
    return true;
  }

  int Width(const std::string& text) const override {
    cairo_text_extents_t e;
    cairo_scaled_font_text_extents(scaled_, text.c_str(), &e);
    return static_cast<int>(std::ceil(e.x_advance));
  }
  int LineHeight() const override { return lineHeight_; }

  void Use(cairo_t* cr) const {
    cairo_set_font_face(cr, face_);
    cairo_set_font_size(cr, kFontSize);
    cairo_set_font_options(cr, options_);
  }
  double Ascent() const { return ascent_; }

 private:
  cairo_font_face_t* face_ = nullptr;
  cairo_font_options_t* options_ = nullptr;
  cairo_scaled_font_t* scaled_ = nullptr;
  double ascent_ = 0;
  int lineHeight_ = 0;
};

// The font, opened on first use and kept for the program's life.
const Font* TheFont(std::string& error) {
  static Font font;
  static std::string failure;
  static const bool opened = font.Open(failure);
  if (!opened) error = failure;
  return opened ? &font : nullptr;
}

class Painter {
 public:
  Painter(cairo_t* cr, const Font& font) : cr_(cr), font_(font) { font.Use(cr); }

  void Window(const simhost::Window& w, const WindowLayout& l) {
    Fill(l.Bounds(), kWindow);
    Fill(l.titleBar, kTitleBar);
    Text(w.title, l.titleBar.x + 3 * metrics::kWindowPad, l.titleBar, kTitleText);
    if (!l.menuBar.Empty()) {
      Fill(l.menuBar, kMenuBar);
      for (const MenuTitle& m : l.menus)
        Text(m.text, m.rect.x + metrics::kMenuTitlePad, m.rect, kText);
    }
    for (const FrameBox& f : l.frames) Frame(f);
    for (size_t i = 0; i < w.gadgets.size() && i < l.gadgets.size(); ++i)
      Gadget(w.gadgets[i], l.gadgets[i]);
    Edge(l.Bounds(), kOutline);
  }

 private:
  void SetColour(const Colour& c) { cairo_set_source_rgb(cr_, c.r, c.g, c.b); }

  void Fill(const Rect& r, const Colour& c) {
    SetColour(c);
    cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
    cairo_fill(cr_);
  }

  // A one-pixel line just inside `r`.
  void Edge(const Rect& r, const Colour& c) {
    SetColour(c);
    cairo_set_line_width(cr_, 1.0);
    cairo_rectangle(cr_, r.x + 0.5, r.y + 0.5, r.w - 1.0, r.h - 1.0);
    cairo_stroke(cr_);
  }

  // Text from `x`, centred vertically in `r` and clipped to it.
  void Text(const std::string& text, int x, const Rect& r, const Colour& c) {
    if (text.empty()) return;
    cairo_save(cr_);
    cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
    cairo_clip(cr_);
    SetColour(c);
    const double baseline = r.y + (r.h - font_.LineHeight()) / 2 + std::round(font_.Ascent());
    cairo_move_to(cr_, x, baseline);
    cairo_show_text(cr_, text.c_str());
    cairo_restore(cr_);
  }

  void Frame(const FrameBox& f) {
    Edge(f.rect, kFrameLine);
    if (f.title.empty()) return;
    const int x = f.rect.x + metrics::kFrame + metrics::kFrameTitlePad;
    const int h = font_.LineHeight();
    const Rect behind{x - 3, f.rect.y - h / 2, font_.Width(f.title) + 6, h};
    Fill(behind, kWindow);
    Text(f.title, x, behind, kFrameTitle);
  }

  void Gadget(const simhost::Gadget& g, const Rect& r) {
    const Colour& text = g.enabled ? kText : kDisabledText;
    switch (g.kind) {
      case Gadget::Kind::Text:
        Text(g.caption, r.x, r, text);
        break;
      case Gadget::Kind::Check: {
        const Rect box = CheckBoxSquare(r);
        Fill(box, g.enabled ? kField : kDisabledField);
        Edge(box, kFieldEdge);
        SetColour(g.enabled ? kTick : kDisabledTick);
        cairo_set_line_width(cr_, 2.0);
        if (g.tristate) {
          cairo_move_to(cr_, box.x + 3, box.y + box.h / 2.0);
          cairo_line_to(cr_, box.Right() - 3, box.y + box.h / 2.0);
          cairo_stroke(cr_);
        } else if (g.value != 0) {
          cairo_move_to(cr_, box.x + 3, box.y + 7);
          cairo_line_to(cr_, box.x + 6, box.y + 10.5);
          cairo_line_to(cr_, box.x + 11, box.y + 3.5);
          cairo_stroke(cr_);
        }
        Text(g.caption, box.Right() + metrics::kCheckGap, r, text);
        break;
      }
      case Gadget::Kind::Combo: {
        Fill(r, g.enabled ? kField : kDisabledField);
        Edge(r, kFieldEdge);
        for (const auto& [id, item] : g.items)
          if (id == g.value && !g.tristate)
            Text(item, r.x + metrics::kComboPad,
                 {r.x, r.y, r.w - metrics::kComboArrow - metrics::kComboPad, r.h}, text);
        // The arrow that opens the list.
        const double ax = r.Right() - metrics::kComboPad - metrics::kComboArrow / 2.0;
        const double ay = r.y + r.h / 2.0;
        SetColour(text);
        cairo_move_to(cr_, ax - 4, ay - 2);
        cairo_line_to(cr_, ax + 4, ay - 2);
        cairo_line_to(cr_, ax, ay + 3);
        cairo_close_path(cr_);
        cairo_fill(cr_);
        break;
      }
      case Gadget::Kind::Button: {
        Fill(r, g.enabled ? kButton : kDisabledButton);
        Edge(r, g.enabled ? kButtonEdge : kDisabledButton);
        const int x = r.x + (r.w - font_.Width(g.caption)) / 2;
        Text(g.caption, x, r, text);
        break;
      }
      case Gadget::Kind::Separator:
        Fill({r.x, r.y + r.h / 2, r.w, 1}, kFrameLine);
        break;
    }
  }

  cairo_t* cr_;
  const Font& font_;
};

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Cairo notes page numbers as comments inside page dictionaries, which some
// readers of PDF (groff's among them) refuse. Blanks every comment that does
// not start its line, outside streams; byte offsets stay as they are.
void BlankInlineComments(std::string& pdf) {
  size_t i = 0;
  bool lineStart = true;
  while (i < pdf.size()) {
    if (pdf.compare(i, 6, "stream") == 0 && (i + 6 < pdf.size()) &&
        (pdf[i + 6] == '\n' || pdf[i + 6] == '\r')) {
      const size_t end = pdf.find("endstream", i + 6);
      if (end == std::string::npos) return;
      i = end + 9;
      lineStart = false;
      continue;
    }
    const char c = pdf[i];
    if (c == '%' && !lineStart) {
      while (i < pdf.size() && pdf[i] != '\n' && pdf[i] != '\r') pdf[i++] = ' ';
      continue;
    }
    if (c == '\n' || c == '\r') {
      lineStart = true;
    } else if (c != ' ' && c != '\t') {
      lineStart = false;
    }
    ++i;
  }
}

bool Check(cairo_status_t status, std::string& error) {
  if (status == CAIRO_STATUS_SUCCESS) return true;
  error = std::string("cairo cannot draw the window: ") + cairo_status_to_string(status);
  return false;
}

}  // namespace

bool PainterBuilt() { return true; }

const TextMetrics* PictureMetrics(std::string& error) { return TheFont(error); }

bool DrawWindow(const Window& window, int wantW, int wantH, PictureFormat format,
                std::string& bytes, WindowLayout& layout, std::string& error) {
  bytes.clear();
  const Font* font = TheFont(error);
  if (font == nullptr) return false;
  if (!LayOutWindow(window, *font, wantW, wantH, layout, error)) return false;

  cairo_surface_t* surface = nullptr;
  switch (format) {
    case PictureFormat::Png:
      surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height);
      break;
    case PictureFormat::Pdf:
      surface = cairo_pdf_surface_create_for_stream(Append, &bytes, layout.width, layout.height);
      // Plain cross-reference tables, which every reader of PDF takes.
      cairo_pdf_surface_restrict_to_version(surface, CAIRO_PDF_VERSION_1_4);
      cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "simhost");
      cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                     "2026-01-01T00:00:00Z");
      break;
    case PictureFormat::Eps:
      surface = cairo_ps_surface_create_for_stream(Append, &bytes, layout.width, layout.height);
      cairo_ps_surface_set_eps(surface, 1);
      break;
  }
  cairo_t* cr = cairo_create(surface);
  {
    Painter painter(cr, *font);
    painter.Window(window, layout);
  }
  bool ok = Check(cairo_status(cr), error);
  cairo_destroy(cr);
  if (ok && format == PictureFormat::Png)
    ok = Check(cairo_surface_write_to_png_stream(surface, Append, &bytes), error);
  cairo_surface_finish(surface);
  ok = ok && Check(cairo_surface_status(surface), error);
  cairo_surface_destroy(surface);
  if (ok && format == PictureFormat::Pdf) BlankInlineComments(bytes);
  if (!ok) bytes.clear();
  return ok;
}

}  // namespace simhost
