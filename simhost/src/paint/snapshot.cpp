// snapshot.cpp - pictures and layouts of the host's windows for the script.
#include "paint/snapshot.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/text.h"
#include "dialog/dialog_area.h"
#include "paint/paint.h"
#include "platform/platform.h"

namespace simhost {

bool PictureFormatOf(const std::string& path, PictureFormat& format, std::string& error) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".png") {
    format = PictureFormat::Png;
  } else if (ext == ".pdf") {
    format = PictureFormat::Pdf;
  } else if (ext == ".eps") {
    format = PictureFormat::Eps;
  } else {
    error = "a picture's file name ends in .png, .pdf or .eps, not \"" + path + "\"";
    return false;
  }
  return true;
}

namespace {

nlohmann::json RectJson(const Rect& r) { return {r.x, r.y, r.w, r.h}; }

// Replaces the picture at `path` as a whole: written beside it under a name
// of its own, then renamed over it. A failed write leaves whatever stood
// there; a link, a pipe, a device or a folder there is refused, never
// written through.
bool WriteBytes(const std::string& path, const std::string& bytes, std::string& error) {
  std::string why;
  if (!platform::WritableTarget(path, why)) {
    error = "cannot write " + path + ": " + why;
    return false;
  }
  if (platform::WriteFileDurably(path, bytes, why)) return true;
  error = "cannot write " + path + ": " + why;
  return false;
}

// Draws the window of `d` into `path` and logs the snapshot event.
bool Snapshot(Host& host, const DialogObj* d, const std::string& path, std::string& error) {
  PictureFormat format = PictureFormat::Png;
  if (!PictureFormatOf(path, format, error)) return false;
  std::string bytes;
  WindowLayout layout;
  if (!DrawWindow(d->window, d->w, d->h, format, bytes, layout, error)) return false;
  if (!WriteBytes(path, bytes, error)) return false;
  host.journal.Say("simhost: picture of window " + Quoted(d->window.title) + " written to " + path +
                   " (" + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                   " px)");
  host.journal.Emit({{"event", "snapshot"},
                     {"file", path},
                     {"window", d->window.title},
                     {"width", layout.width},
                     {"height", layout.height}});
  return true;
}

DialogObj* FrontWindow(Host& host, const char* what, std::string& error) {
  DialogArea* area = Dialogs(host);
  DialogObj* d = area ? area->Front() : nullptr;
  if (d == nullptr) error = std::string("no dialog window is open (") + what + " the front window)";
  return d;
}

bool SnapshotAction(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (args.size() != 1) {
    error = "usage: snapshot FILE.png";
    return false;
  }
  DialogObj* d = FrontWindow(host, "a snapshot pictures", error);
  return d != nullptr && Snapshot(host, d, args[0], error);
}

bool ShowLayout(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!args.empty()) {
    error = "usage: show layout";
    return false;
  }
  DialogObj* d = FrontWindow(host, "the layout is that of", error);
  if (d == nullptr) return false;
  const TextMetrics* text = PictureMetrics(error);
  WindowLayout l;
  if (text == nullptr || !LayOutWindow(d->window, *text, d->w, d->h, l, error)) return false;
  host.journal.Say("layout of window " + Quoted(d->window.title) + ": " + std::to_string(l.width) +
                   " x " + std::to_string(l.height) + " px" +
                   (PainterBuilt() ? "" : " (fixed text extents: built without the painter)"));
  nlohmann::json gadgets = nlohmann::json::array(), menus = nlohmann::json::array(),
                 frames = nlohmann::json::array();
  for (size_t i = 0; i < d->window.gadgets.size(); ++i) {
    const Gadget& g = d->window.gadgets[i];
    const Rect& r = l.gadgets[i];
    host.journal.Say("  " + std::to_string(g.id) + " " + KindName(g.kind) + " " +
                     Quoted(g.caption) + " at " + std::to_string(r.x) + "," + std::to_string(r.y) +
                     " " + std::to_string(r.w) + "x" + std::to_string(r.h));
    gadgets.push_back({{"index", i},
                       {"id", g.id},
                       {"kind", KindName(g.kind)},
                       {"caption", g.caption},
                       {"rect", RectJson(r)}});
  }
  for (const MenuTitle& m : l.menus)
    menus.push_back({{"title", m.text}, {"rect", RectJson(m.rect)}});
  for (const FrameBox& f : l.frames)
    frames.push_back({{"title", f.title}, {"rect", RectJson(f.rect)}});
  host.journal.Emit({{"event", "layout"},
                     {"window", d->window.title},
                     {"width", l.width},
                     {"height", l.height},
                     {"metrics", PainterBuilt() ? "font" : "fixed"},
                     {"content", RectJson(l.content)},
                     {"gadgets", gadgets},
                     {"menus", menus},
                     {"frames", frames}});
  return true;
}

// "Picture Viewer" -> "Picture-Viewer": a title as a file name.
std::string FileWord(const std::string& title) {
  std::string out;
  for (unsigned char c : title) {
    if (std::isalnum(c)) {
      out += static_cast<char>(c);
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out.empty() ? "window" : out;
}

}  // namespace

void AddSnapshotActions(ActionRegistry& actions) {
  actions.Add("snapshot", "snapshot FILE.png  - picture the front window (.png, .pdf or .eps)",
              SnapshotAction);
  actions.Add("show layout", "show layout  - print and log where the front window's gadgets sit",
              ShowLayout);
}

void SnapshotOnOpen(Host& host, const DialogObj* d, int sequence) {
  const std::string& dir = host.options.snapshotDir;
  if (dir.empty()) return;
  char number[16];
  std::snprintf(number, sizeof number, "%03d", sequence);
  const std::string path = (std::filesystem::path(dir) /
                            (std::string(number) + "-" + FileWord(d->window.title) + ".png"))
                               .generic_string();
  std::string error;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot create the folder " + dir + ": " + ec.message();
  } else if (Snapshot(host, d, path, error)) {
    return;
  }
  host.journal.Say("simhost: error: no picture of window " + Quoted(d->window.title) + ": " +
                   error);
  host.journal.Emit(
      {{"event", "snapshot"}, {"file", path}, {"window", d->window.title}, {"error", error}});
  host.failed = true;
}

}  // namespace simhost
