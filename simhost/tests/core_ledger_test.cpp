// Accounting of plug-in objects: the ledger itself, leaks found at the end of
// a host run, and misuse of the allocator.
#include "core_fixture.h"

namespace simhost {
namespace {

// Objects of a test kind that count their destruction.
std::vector<int*> g_destroyed;
constexpr ObjectKind kCounted{"counted",
                              [](void* p) { g_destroyed.push_back(static_cast<int*>(p)); }};
constexpr ObjectKind kOther{"other", [](void* p) { g_destroyed.push_back(static_cast<int*>(p)); }};

TEST(Ledger, TracksLiveObjectsPerKindAndReclaimsEveryKindItWasGiven) {
  g_destroyed.clear();
  int a = 0, b = 0, c = 0, d = 0;
  {
    Ledger ledger;
    ledger.Add(kCounted, &a);
    ledger.Add(kCounted, &b);
    ledger.Add(kOther, &c);
    EXPECT_TRUE(ledger.Has(kCounted, &a));
    EXPECT_FALSE(ledger.Has(kOther, &a));  // the kind is part of the identity
    EXPECT_FALSE(ledger.Remove(kOther, &a));
    EXPECT_TRUE(ledger.Remove(kCounted, &a));
    EXPECT_FALSE(ledger.Remove(kCounted, &a));  // twice
    EXPECT_EQ(ledger.Live(), (std::map<std::string, size_t>{{"counted", 1}, {"other", 1}}));
    // A freed object is retired, not destroyed, while the plug-in runs.
    EXPECT_TRUE(g_destroyed.empty());
    ledger.Add(kCounted, &d);
    ledger.Reclaim();
    EXPECT_EQ(g_destroyed, (std::vector<int*>{&a, &b, &c, &d}));  // oldest first
    EXPECT_TRUE(ledger.Live().empty());
    ledger.Add(kOther, &a);
  }
  EXPECT_EQ(g_destroyed.back(), &a);  // the ledger reclaims at its end too
}

using LeakTest = CoreTest;

TEST_F(LeakTest, ObjectsLeftAtTheEndOfARunAreLeaksPerKind) {
  host_.Start();
  C4D_Container* kept1 = bc_->Create(-1);
  C4D_Container* kept2 = bc_->Create(-1);
  C4D_String* freed = str_->Create("x");
  str_->Free(freed);
  void* block = mem_->Alloc(16);
  ASSERT_NE(block, nullptr);
  (void)kept1;
  (void)kept2;
  host_.Stop();

  EXPECT_TRUE(host_.failed);
  auto leaks = Events("leak");
  ASSERT_EQ(leaks.size(), 2u);
  EXPECT_EQ(leaks[0],
            (nlohmann::json{
                {"event", "leak"}, {"rule", "leak-at-quit"}, {"kind", "container"}, {"count", 2}}));
  EXPECT_EQ(leaks[1]["kind"], "memory");
  EXPECT_EQ(leaks[1]["count"], 1);
  // Reported once: the next run starts with an empty ledger.
  EXPECT_TRUE(host_.ledger.Live().empty());
  host_.Start();
  host_.Stop();
  EXPECT_EQ(Events("leak").size(), 2u);
}

TEST_F(LeakTest, AllocatorBlocksAreZeroFilledAndFreedOnlyOnce) {
  auto* block = static_cast<unsigned char*>(mem_->Alloc(64));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(block[i], 0) << i;
  void* zero = mem_->Alloc(0);
  EXPECT_NE(zero, nullptr);
  mem_->Free(zero);
  mem_->Free(block);
  EXPECT_FALSE(host_.failed);
  mem_->Free(block);  // a second free must not reach the system allocator
  int onStack = 0;
  mem_->Free(&onStack);
  mem_->Free(nullptr);
  EXPECT_EQ(Misuses(), 2u);
  EXPECT_TRUE(host_.failed);
}

TEST_F(LeakTest, CallsFromAnotherThreadAreMisuse) {
  C4D_Container* c = bc_->Create(-1);
  std::thread([&] { bc_->SetInt32(c, 1, 1); }).join();
  ASSERT_EQ(Misuses(), 1u);
  EXPECT_NE(Events("misuse")[0]["text"].get<std::string>().find("thread"), std::string::npos);
  bc_->Free(c);
}

}  // namespace
}  // namespace simhost
