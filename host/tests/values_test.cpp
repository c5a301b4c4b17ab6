// Checks of the value classes over host objects: containers, strings, paths,
// parameter identifiers, objects in the host's memory and held bitmaps.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "layer_fixture.h"
#include "sim_host.h"

namespace layertest {
namespace {

using namespace cinema;

TEST_F(HostLayer, ContainerReadsAnswerThePresetForMissingOrOtherTypes) {
  ASSERT_EQ(Init(), 1);
  BaseContainer bc(1027069);
  EXPECT_EQ(bc.GetId(), 1027069);
  EXPECT_EQ(BaseContainer().GetId(), NOTOK);
  bc.SetInt32(1, -5);
  bc.SetBool(2, true);
  bc.SetFloat(3, 0.25);
  EXPECT_EQ(bc.GetInt32(1), -5);
  EXPECT_TRUE(bc.GetBool(2));
  EXPECT_EQ(bc.GetFloat(3), 0.25);
  EXPECT_EQ(bc.GetInt32(4, 9), 9);
  EXPECT_TRUE(bc.GetBool(4, true));
  // A Bool is the host's 32-bit integer holding 0 or 1; a Float is a type
  // of its own.
  EXPECT_EQ(bc.GetInt32(2, 9), 1);
  EXPECT_TRUE(bc.GetBool(1));
  EXPECT_EQ(bc.GetFloat(1, 1.5), 1.5);
  EXPECT_EQ(bc.GetInt32(3, 9), 9);
  // A write replaces whatever the id held.
  bc.SetFloat(1, 2.0);
  EXPECT_EQ(bc.GetInt32(1, 9), 9);
  EXPECT_EQ(bc.GetFloat(1), 2.0);
}

TEST_F(HostLayer, ContainerCopiesAreIndependentAndFreedWithTheirOwner) {
  ASSERT_EQ(Init(), 1);
  {
    BaseContainer original(7);
    original.SetInt32(1, 10);
    BaseContainer copy(original);
    EXPECT_NE(copy.GetHostHandle(), original.GetHostHandle());
    EXPECT_EQ(copy.GetId(), 7);
    copy.SetInt32(1, 20);
    EXPECT_EQ(original.GetInt32(1), 10);

    // Assignment keeps the target's own host container and makes it an
    // equal copy: the source's id and exactly its entries.
    BaseContainer target(9);
    target.SetInt32(2, 5);
    const C4D_Container* handle = target.GetHostHandle();
    target = original;
    EXPECT_EQ(target.GetHostHandle(), handle);
    EXPECT_EQ(target.GetId(), 7);
    EXPECT_EQ(target.GetInt32(1), 10);
    EXPECT_EQ(target.GetInt32(2, -1), -1);
    original.SetInt32(1, 30);
    EXPECT_EQ(target.GetInt32(1), 10);
    const BaseContainer& same = target;
    target = same;
    EXPECT_EQ(target.GetInt32(1), 10);

    BaseContainer into(3);
    EXPECT_TRUE(original.CopyTo(&into, COPYFLAGS::NONE, nullptr));
    EXPECT_EQ(into.GetInt32(1), 30);
    EXPECT_EQ(into.GetId(), 7);
    EXPECT_TRUE(into.CopyTo(&into, COPYFLAGS::NONE, nullptr));
    EXPECT_EQ(into.GetInt32(1), 30);
    EXPECT_EQ(hostsim::Live("container"), 4);
  }
  EXPECT_EQ(hostsim::Live("container"), 0);
}

TEST_F(HostLayer, ContainerWithoutAHostContainerFailsQuietly) {
  ASSERT_EQ(Init(), 1);
  BaseContainer good(4);
  good.SetInt32(1, 1);
  hostsim::FailNextCreate("container");
  BaseContainer none(5);
  ASSERT_EQ(none.GetHostHandle(), nullptr);
  none.SetInt32(1, 8);
  EXPECT_EQ(none.GetInt32(1, 3), 3);
  EXPECT_EQ(none.GetId(), NOTOK);
  EXPECT_FALSE(none.CopyTo(&good, COPYFLAGS::NONE, nullptr));
  EXPECT_FALSE(good.CopyTo(&none, COPYFLAGS::NONE, nullptr));
  EXPECT_FALSE(good.CopyTo(nullptr, COPYFLAGS::NONE, nullptr));
  EXPECT_EQ(good.GetInt32(1), 1);

  // A copy of it is an empty container of its own; an assignment into it
  // makes the host container it lacked.
  BaseContainer copy(none);
  EXPECT_NE(copy.GetHostHandle(), nullptr);
  EXPECT_EQ(copy.GetInt32(1, 3), 3);
  none = good;
  ASSERT_NE(none.GetHostHandle(), nullptr);
  EXPECT_EQ(none.GetInt32(1), 1);
  EXPECT_EQ(none.GetId(), 4);
}

TEST_F(HostLayer, LentContainersAreUsedInPlaceAndNeverFreed) {
  ASSERT_EQ(Init(), 1);
  C4D_Node* node = hostsim::AddDocument().renderData;
  C4D_Container* settings = hostsim::SettingsOf(node);
  hostsim::SetHostInt(settings, RDATA_XRES, 1920);
  const BaseList2D* rd = BaseList2D::FromHostHandle(node);
  const BaseContainer& lent = rd->GetDataInstanceRef();
  EXPECT_EQ(lent.GetHostHandle(), settings);
  EXPECT_EQ(&rd->GetDataInstanceRef(), &lent);
  EXPECT_EQ(lent.GetInt32(RDATA_XRES), 1920);
  {
    BaseContainer copy = lent;
    copy.SetInt32(RDATA_XRES, 640);
    EXPECT_EQ(lent.GetInt32(RDATA_XRES), 1920);
  }
  hostsim::SetHostInt(settings, RDATA_XRES, 800);
  EXPECT_EQ(lent.GetInt32(RDATA_XRES), 800);

  // Stored preferences: written in place, and overwritten by assignment.
  C4D_Container* stored = hostsim::StorePrefs(1027069);
  BaseContainer* prefs = GetWorldPluginData(1027069);
  ASSERT_NE(prefs, nullptr);
  prefs->SetInt32(1, 2);
  EXPECT_EQ(hostsim::IntOf(stored, 1), 2);
  BaseContainer local(1027069);
  local.SetInt32(3, 4);
  *prefs = local;
  EXPECT_EQ(prefs->GetHostHandle(), stored);
  EXPECT_EQ(hostsim::IntOf(stored, 3), 4);
  EXPECT_EQ(hostsim::EntriesOf(stored), 1u);
  // The fixture's tear-down reports a freed lent container as a host misuse.
}

TEST_F(HostLayer, StringsCopyIntoHostStringsOfTheirOwn) {
  ASSERT_EQ(Init(), 1);
  const std::string longText(300, 'x');  // beyond the copy's buffer on the stack
  {
    maxon::String a("abc");
    maxon::String b(a);
    EXPECT_NE(b.GetHostHandle(), a.GetHostHandle());
    EXPECT_EQ(Text(b), "abc");
    maxon::String c(longText.c_str());
    b = c;
    EXPECT_EQ(Text(b), longText);
    EXPECT_EQ(b.GetCStringLen(), 300);
    EXPECT_EQ(hostsim::Live("memory"), 0);
    maxon::String moved(std::move(b));
    EXPECT_EQ(b.GetHostHandle(), nullptr);  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(Text(moved), longText);
    EXPECT_EQ(hostsim::Live("string"), 3);

    // Reading into a short buffer cuts the text but answers its length.
    char small[4];
    EXPECT_EQ(a.GetCString(small, sizeof(small)), 3);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(moved.GetCString(small, sizeof(small)), 300);
    EXPECT_STREQ(small, "xxx");
    EXPECT_EQ(maxon::String().GetCString(small, sizeof(small)), 0);
    EXPECT_STREQ(small, "");

    C4D_String* released = a.ReleaseHostHandle();
    EXPECT_EQ(a.GetHostHandle(), nullptr);
    EXPECT_EQ(hostsim::TextOf(released), "abc");
    tables.string.Free(released);
    EXPECT_EQ(Text(cinema::String("literal")), "literal");
    EXPECT_EQ(Text("text"_s), "text");
  }
  EXPECT_EQ(hostsim::Live("string"), 0);
}

TEST_F(HostLayer, PathsJoinAndCopyIndependently) {
  ASSERT_EQ(Init(), 1);
  const Filename folder = GeGetPluginPath();
  Filename copy = folder;
  EXPECT_NE(copy.GetHostHandle(), folder.GetHostHandle());
  const Filename joined = copy + "res";
  EXPECT_EQ(Text(joined), "/plugins/Brevio/res");
  EXPECT_EQ(Text(joined.GetFileString()), "res");
  EXPECT_TRUE(joined.GetDirectory() == folder);
  EXPECT_FALSE(joined == folder);
  copy = Filename("/elsewhere");
  EXPECT_EQ(Text(folder), "/plugins/Brevio");
  EXPECT_EQ(Text(Filename() + "res"), "res");
  // A component the host could not make fails the join.
  EXPECT_EQ(Text(folder + Filename()), "");
  EXPECT_EQ(Text(Filename()), "");
  EXPECT_TRUE(Filename() == Filename());
  EXPECT_FALSE(Filename() == folder);
  EXPECT_EQ(Text(Filename(maxon::String("/from/string"))), "/from/string");
}

TEST_F(HostLayer, DescIDsHoldTheirLevelsInHostIdentifiersOfTheirOwn) {
  ASSERT_EQ(Init(), 1);
  {
    const DescID id = CreateDescID(DescLevel(1000, DTYPE_BUTTON, 0), DescLevel(5));
    EXPECT_EQ(hostsim::LevelsOf(id.GetHostHandle()), (hostsim::Levels{{1000, 8, 0}, {5, 0, 0}}));
    DescID copy(id);
    EXPECT_NE(copy.GetHostHandle(), id.GetHostHandle());
    EXPECT_EQ(hostsim::LevelsOf(copy.GetHostHandle()), hostsim::LevelsOf(id.GetHostHandle()));
    copy.PushId(DescLevel(7));
    EXPECT_EQ(hostsim::LevelsOf(id.GetHostHandle()).size(), 2u);
    DescID assigned;
    assigned = id;
    EXPECT_EQ(hostsim::LevelsOf(assigned.GetHostHandle()), hostsim::LevelsOf(id.GetHostHandle()));
    EXPECT_EQ(hostsim::Live("descid"), 3);
  }
  EXPECT_EQ(hostsim::Live("descid"), 0);
}

struct Probe {
  explicit Probe(int v) : value(v) { ++constructed; }
  ~Probe() { ++destroyed; }
  int value;
  unsigned char untouched[24];  // left alone by the constructor
  static inline int constructed = 0;
  static inline int destroyed = 0;
};

TEST_F(HostLayer, NewObjClearZeroFillsHostMemoryAndDeleteObjGivesItBack) {
  ASSERT_EQ(Init(), 1);
  Probe::constructed = Probe::destroyed = 0;
  Probe* probe = NewObjClear(Probe, 5);
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe->value, 5);
  const unsigned char zero[sizeof(probe->untouched)] = {};
  EXPECT_EQ(std::memcmp(probe->untouched, zero, sizeof(zero)), 0);
  EXPECT_EQ(hostsim::Live("memory"), 1);
  DeleteObj(probe);
  EXPECT_EQ(probe, nullptr);
  EXPECT_EQ(Probe::destroyed, 1);
  EXPECT_EQ(hostsim::Live("memory"), 0);
  DeleteObj(probe);
  EXPECT_EQ(Probe::destroyed, 1);

  // Out of memory: no object, and no constructor ran.
  hostsim::FailNextCreate("memory");
  EXPECT_EQ(NewObjClear(Probe, 6), nullptr);
  EXPECT_EQ(Probe::constructed, 1);
}

TEST_F(HostLayer, AutoAllocGivesTheBitmapBackUnlessReleased) {
  ASSERT_EQ(Init(), 1);
  // The host judges an image by its file: a TIFF header, or anything else.
  const std::string tif = hostsim::ScratchFile("icon.tif", std::string("II*\0\0\0\0\0", 8));
  const std::string txt = hostsim::ScratchFile("icon.txt", "not an image");
  {
    AutoAlloc<BaseBitmap> icon;
    ASSERT_NE(icon.GetPointer(), nullptr);
    EXPECT_EQ(hostsim::Live("bitmap"), 1);
    EXPECT_EQ(icon->Init(Filename(tif.c_str())), IMAGERESULT::OK);
    EXPECT_EQ(icon->Init(Filename(txt.c_str())), IMAGERESULT::WRONGTYPE);
    Bool movie = true;
    EXPECT_EQ(icon->Init(Filename(), -1, &movie), IMAGERESULT::NOTEXISTING);
    EXPECT_FALSE(movie);
    const auto* handle = reinterpret_cast<const C4D_Bitmap*>(icon.GetPointer());
    EXPECT_TRUE(icon->SetData(BASEBITMAP_DATA_GUIPIXELRATIO, GeData(2.0)));
    EXPECT_EQ(hostsim::BitmapData(handle, 100), 2.0);
    EXPECT_TRUE(icon->SetData(BASEBITMAP_DATA_GUIPIXELRATIO, GeData(Int32{1})));
    EXPECT_EQ(hostsim::BitmapData(handle, 100), 1.0);
    EXPECT_FALSE(icon->SetData(BASEBITMAP_DATA_GUIPIXELRATIO, GeData()));
    EXPECT_EQ(hostsim::BitmapData(handle, 100), 1.0);
  }
  EXPECT_EQ(hostsim::Live("bitmap"), 0);

  BaseBitmap* kept = nullptr;
  {
    AutoAlloc<BaseBitmap> icon;
    kept = icon.Release();
  }
  EXPECT_EQ(hostsim::Live("bitmap"), 1);
  BaseBitmap::Free(kept);
  EXPECT_EQ(kept, nullptr);
  EXPECT_EQ(hostsim::Live("bitmap"), 0);

  // Freed early, then not again when it goes.
  {
    AutoAlloc<BaseBitmap> icon;
    icon.Free();
    EXPECT_EQ(icon.GetPointer(), nullptr);
    EXPECT_EQ(hostsim::Live("bitmap"), 0);
  }
}

}  // namespace
}  // namespace layertest
