// paint.h - pictures of dialog windows as the host shows them: the title
// bar, the menu bar and every gadget in its current state, drawn as PNG,
// PDF or EPS. Builds without the painter answer a clear error instead.
#pragma once

#include <memory>
#include <string>

#include "dialog/dialog.h"
#include "dialog/dialog_layout.h"

namespace simhost {

enum class PictureFormat { Png, Pdf, Eps };

// The format a file name asks for by its extension (.png, .pdf, .eps).
bool PictureFormatOf(const std::string& path, PictureFormat& format, std::string& error);

// Whether this simhost was built with the painter.
bool PainterBuilt();

// The text extents pictures are drawn with: the painter's font, or fixed
// ones in a build without the painter. NULL with `error` when the painter
// finds no font. Lives as long as the program.
const TextMetrics* PictureMetrics(std::string& error);

// Draws `window` (at least wantW x wantH) into `bytes`; `layout` answers
// where everything went. False with `error`: no painter, no font, or a
// description that cannot be laid out.
bool DrawWindow(const Window& window, int wantW, int wantH, PictureFormat format,
                std::string& bytes, WindowLayout& layout, std::string& error);

}  // namespace simhost
