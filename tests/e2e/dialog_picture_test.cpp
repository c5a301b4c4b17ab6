// The Brevio window as the host lays it out and draws it: every gadget in
// its own place, dependents indented under their masters, pictures that show
// the gadgets' states and repeat exactly, and the faults of `snapshot`.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dialog/dialog_layout.h"
#include "dialog_helpers.h"
#include "paint/paint.h"

#ifdef SIMHOST_HAS_PAINTER
#include <cairo.h>
#endif
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace brevio_test {
namespace {

using simhost::Rect;

Rect RectOf(const json& r) { return {r[0], r[1], r[2], r[3]}; }

struct Laid {
  json event;
  std::map<int, Rect> byId;  // addressable gadgets
  std::vector<Rect> all;
};

Laid LayoutEvent(const Session& s, int n = 0) {
  Laid l;
  auto events = s.Events("layout");
  if (static_cast<size_t>(n) >= events.size()) {
    ADD_FAILURE() << "no layout event " << n << "\n" << s.result.transcript;
    return l;
  }
  l.event = events[static_cast<size_t>(n)];
  for (const auto& g : l.event["gadgets"]) {
    l.all.push_back(RectOf(g["rect"]));
    if (g["id"].get<int>() >= 0) l.byId[g["id"]] = RectOf(g["rect"]);
  }
  return l;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(DialogPicture, EveryGadgetOfTheBrevioWindowHasItsOwnPlace) {
  TempDir dir;
  Session s = RunHost(HostOptions(dir), Script({kOpen, "show layout"}));
  EXPECT_CLEAN(s);
  Laid l = LayoutEvent(s);
  ASSERT_EQ(l.all.size(), 37u);
  const Rect window{0, 0, l.event["width"], l.event["height"]};
  const Rect content = RectOf(l.event["content"]);
  for (size_t i = 0; i < l.all.size(); ++i) {
    const Rect& r = l.all[i];
    EXPECT_FALSE(r.Empty()) << "gadget " << i;
    EXPECT_TRUE(r.Inside(content)) << "gadget " << i;
    for (size_t k = i + 1; k < l.all.size(); ++k)
      EXPECT_FALSE(r.Overlaps(l.all[k])) << "gadgets " << i << " and " << k;
  }
  EXPECT_TRUE(content.Inside(window));
  for (int id : kCombos) EXPECT_TRUE(l.byId.count(id)) << id;
  for (int id : kChecks) EXPECT_TRUE(l.byId.count(id)) << id;

  // Each dependent sits right of its master, below it.
  const std::vector<std::pair<int, int>> dependents = {
      {10012, 10013}, {10014, 10016}, {10015, 10017}, {10023, 10024},
      {10023, 10025}, {10023, 10026}, {10023, 10027}, {10023, 10028},
      {10023, 10029}, {10023, 10030}, {10023, 10031}};
  for (const auto& [master, dependent] : dependents) {
    EXPECT_GT(l.byId[dependent].x, l.byId[master].x) << dependent << " under " << master;
    EXPECT_GE(l.byId[dependent].y, l.byId[master].Bottom()) << dependent << " under " << master;
  }
  // The combo boxes line up in their groups, right of their labels; the
  // buttons end at the right.
  EXPECT_EQ(l.byId[10008].x, l.byId[10009].x);
  EXPECT_EQ(l.byId[10002].x, l.byId[10004].x);
  EXPECT_GT(l.byId[10008].x, l.all[0].Right());
  EXPECT_LT(l.byId[10032].Right(), l.byId[10033].x);
  EXPECT_EQ(l.byId[10033].Right(), content.Right() - 8);  // the buttons' BORDERSIZE
  EXPECT_EQ(l.event["menus"].size(), 2u);
  EXPECT_EQ(l.event["frames"].size(), 4u);
}

TEST(DialogPicture, SnapshotsAreRefusedWithTheirLine) {
  TempDir dir;
  const std::string png = dir / "w.png";
  Session none = RunHost(HostOptions(dir), Script({"snapshot " + png}));
  EXPECT_EQ(none.result.exitCode, 2);
  EXPECT_EQ(none.Last("error")["line"], 1);
  EXPECT_NE(none.Last("error")["text"].get<std::string>().find("no dialog window is open"),
            std::string::npos);

  Session unwritable =
      RunHost(HostOptions(dir), Script({kOpen, "snapshot " + (dir / "missing/folder/w.png")}));
  EXPECT_EQ(unwritable.result.exitCode, 2);
  EXPECT_EQ(unwritable.Last("error")["line"], 2);
  const std::string text = unwritable.Last("error")["text"];
  if (simhost::PainterBuilt()) {
    EXPECT_NE(text.find("cannot write " + (dir / "missing/folder/w.png")), std::string::npos)
        << text;
  } else {
    EXPECT_NE(text.find("built without the painter"), std::string::npos) << text;
  }

  Session extension = RunHost(HostOptions(dir), Script({kOpen, "snapshot " + (dir / "w.gif")}));
  EXPECT_EQ(extension.result.exitCode, 2);
  EXPECT_NE(extension.Last("error")["text"].get<std::string>().find(".png, .pdf or .eps"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(png));
}

#ifndef _WIN32
// A picture is written beside its name and renamed over it: whatever stood
// there and is not a regular file is refused and left as it was, and no
// half-written file is left behind.
TEST(DialogPicture, AFailedSnapshotLeavesWhatStoodThere) {
  if (!simhost::PainterBuilt()) GTEST_SKIP() << "built without the painter";
  TempDir dir;
  const std::string old = dir / "old.png";
  std::ofstream(old, std::ios::binary) << "an artist's picture";
  fs::create_symlink(old, dir / "link.png");
  fs::create_symlink("/dev/full", dir / "full.png");
  ASSERT_EQ(mkfifo((dir / "pipe.png").c_str(), 0644), 0);
  fs::create_directories(dir / "folder.png");
  for (const char* name : {"link.png", "full.png", "pipe.png", "folder.png"}) {
    Session s = RunHost(HostOptions(dir), Script({kOpen, "snapshot " + (dir / name)}));
    EXPECT_EQ(s.result.exitCode, 2) << name;
    const std::string text = s.Last("error").value("text", "");
    EXPECT_NE(text.find((dir / name) + ": "), std::string::npos) << text;
    EXPECT_NE(text.find("not a regular file"), std::string::npos) << text;
  }
  EXPECT_EQ(ReadBytes(old), "an artist's picture");
  EXPECT_TRUE(fs::is_symlink(dir / "link.png"));
  EXPECT_TRUE(fs::is_symlink(dir / "full.png"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.png"));
  EXPECT_TRUE(fs::is_directory(dir / "folder.png"));

  // A regular picture is replaced whole.
  Session s = RunHost(HostOptions(dir), Script({kOpen, "snapshot " + old}));
  EXPECT_EQ(s.result.exitCode, 0) << s.result.transcript;
  EXPECT_EQ(ReadBytes(old).substr(1, 3), "PNG");
  size_t entries = 0;
  for (const auto& e : fs::directory_iterator(dir.Path()))
    entries += e.path().filename().string().find(".tmp-") == std::string::npos ? 0 : 1;
  EXPECT_EQ(entries, 0u);
}
#endif

TEST(DialogPicture, ADescriptionThatCannotBeLaidOutGivesNoPicture) {
  TempDir dir;
  const std::string plugins = CopyPlugins(dir);
  const std::string res = plugins + "/Brevio/res/dialogs/brevio.res";
  std::string text = ReadBytes(res);
  const size_t at = text.find("COLUMNS 2");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 9, "COLUMNS 0");
  std::ofstream(res, std::ios::binary) << text;
  simhost::Options o = HostOptions(dir);
  o.pluginDirs = {plugins};
  const std::string png = dir / "w.png";
  Session s = RunHost(o, Script({kOpen, "snapshot " + png}));
  EXPECT_EQ(s.result.exitCode, 2);
  EXPECT_EQ(s.Last("error")["line"], 2);
  const std::string error = s.Last("error")["text"];
  if (simhost::PainterBuilt()) {
    EXPECT_NE(error.find("dialog description DLG_BREVIO (res/dialogs/brevio.res) cannot be laid "
                         "out: line "),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("COLUMNS 0: a group needs at least one column"), std::string::npos)
        << error;
  }
  EXPECT_FALSE(fs::exists(png));
}

#ifdef SIMHOST_HAS_PAINTER

// A drawn picture, read back.
class Picture {
 public:
  explicit Picture(const std::string& path)
      : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
  ~Picture() { cairo_surface_destroy(surface_); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  int Width() const { return cairo_image_surface_get_width(surface_); }
  int Height() const { return cairo_image_surface_get_height(surface_); }
  uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFFu;
  }
  // The brightest grey level (green channel) inside `r`.
  int Brightest(const Rect& r) const {
    int best = 0;
    for (int y = r.y; y < r.Bottom(); ++y)
      for (int x = r.x; x < r.Right(); ++x) best = std::max<int>(best, (At(x, y) >> 8) & 0xFF);
    return best;
  }
  int Differing(const Picture& other, const Rect& r) const {
    int n = 0;
    for (int y = r.y; y < r.Bottom(); ++y)
      for (int x = r.x; x < r.Right(); ++x) n += At(x, y) != other.At(x, y);
    return n;
  }

 private:
  cairo_surface_t* surface_;
};

TEST(DialogPicture, PicturesShowTicksAndGreyedGadgetsAndRepeatExactly) {
  TempDir dir;
  Session s = RunHost(
      HostOptions(dir),
      Script({kOpen, "show layout", "snapshot " + (dir / "a.png"), "snapshot " + (dir / "b.png"),
              "untick 10027", "snapshot " + (dir / "c.png"), "snapshot " + (dir / "d.pdf")}));
  ASSERT_EQ(s.result.exitCode, 0) << s.result.transcript;
  Laid l = LayoutEvent(s);
  auto shots = s.Events("snapshot");
  ASSERT_EQ(shots.size(), 4u);
  EXPECT_EQ(shots[0]["file"], dir / "a.png");
  EXPECT_EQ(shots[0]["window"], "Brevio");
  EXPECT_EQ(shots[0]["width"], l.event["width"]);
  EXPECT_EQ(shots[0]["height"], l.event["height"]);

  const std::string a = ReadBytes(dir / "a.png");
  EXPECT_EQ(a.substr(1, 3), "PNG");
  EXPECT_EQ(a, ReadBytes(dir / "b.png"));
  EXPECT_EQ(ReadBytes(dir / "d.pdf").substr(0, 5), "%PDF-");

  Picture ticked(dir / "a.png"), unticked(dir / "c.png");
  ASSERT_TRUE(ticked.Ok() && unticked.Ok());
  EXPECT_EQ(ticked.Width(), l.event["width"].get<int>());
  EXPECT_EQ(ticked.Height(), l.event["height"].get<int>());
  // Global illumination (10027) ticked, then unticked: its box changes, and
  // nothing outside it does.
  const Rect box = simhost::CheckBoxSquare(l.byId[10027]);
  EXPECT_GT(ticked.Differing(unticked, box), 10);
  EXPECT_EQ(ticked.Differing(unticked, l.byId[10026]), 0);
  EXPECT_GT(ticked.Brightest(box), unticked.Brightest(box) + 100);

  // 10013 is greyed out at the factory settings, 10005 is not; both are
  // unticked boxes with a caption.
  const Rect enabled = l.byId[10005], disabled = l.byId[10013];
  EXPECT_GT(ticked.Brightest(enabled), ticked.Brightest(disabled) + 40);
  const Rect enabledBox = simhost::CheckBoxSquare(enabled);
  const Rect disabledBox = simhost::CheckBoxSquare(disabled);
  EXPECT_NE(ticked.At(enabledBox.x + 7, enabledBox.y + 7),
            ticked.At(disabledBox.x + 7, disabledBox.y + 7));
}

TEST(DialogPicture, SnapshotOnOpenWritesOnePicturePerOpenedWindow) {
  TempDir dir;
  simhost::Options o = HostOptions(dir);
  o.snapshotDir = dir / "shots";
  Session s = RunHost(o, Script({kOpen, "close", kOpen}));
  EXPECT_CLEAN(s);
  auto shots = s.Events("snapshot");
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[0]["file"], dir / "shots/001-Brevio.png");
  EXPECT_EQ(shots[1]["file"], dir / "shots/002-Brevio.png");
  EXPECT_EQ(ReadBytes(dir / "shots/001-Brevio.png"), ReadBytes(dir / "shots/002-Brevio.png"));

  // A folder that cannot be made fails the run, and says why.
  std::ofstream(dir / "file") << "x";
  o.snapshotDir = dir / "file/shots";
  Session bad = RunHost(o, Script({kOpen}));
  EXPECT_EQ(bad.result.exitCode, 1);
  EXPECT_TRUE(bad.Last("snapshot").contains("error")) << bad.result.transcript;
}

TEST(DialogPicture, WithoutTheFontThePainterSaysWhatToInstall) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: the font is opened once
  EXPECT_EXIT(
      {
        setenv("SIMHOST_FONT", "/nonexistent/font.ttf", 1);
        std::string error;
        const bool found = simhost::PictureMetrics(error) != nullptr;
        std::fputs(error.c_str(), stderr);
        std::exit(found ? 0 : 3);
      },
      ::testing::ExitedWithCode(3), "SIMHOST_FONT names /nonexistent/font.ttf");
}

#endif

}  // namespace
}  // namespace brevio_test
