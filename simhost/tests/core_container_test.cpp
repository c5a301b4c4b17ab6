// Containers as the plug-in uses them: typed reads with defaults, copies,
// and the handle checks of the ledger.
#include "core_fixture.h"

namespace simhost {
namespace {

using ContainerTest = CoreTest;

TEST_F(ContainerTest, TypedReadsAnswerTheDefaultForMissingIdsAndOtherTypes) {
  C4D_Container* c = bc_->Create(-1);
  ASSERT_NE(c, nullptr);
  bc_->SetInt32(c, 7000, 6031);
  bc_->SetBool(c, 7005, 5);  // any non-zero is stored as true
  bc_->SetFloat(c, 5008, 1920.5);

  EXPECT_EQ(bc_->GetInt32(c, 7000, -1), 6031);
  EXPECT_EQ(bc_->GetBool(c, 7005, 0), 1);
  EXPECT_DOUBLE_EQ(bc_->GetFloat(c, 5008, 0.0), 1920.5);

  EXPECT_EQ(bc_->GetInt32(c, 7001, 6010), 6010);  // missing
  EXPECT_EQ(bc_->GetBool(c, 7000, 1), 1);         // an int32 is not a bool
  EXPECT_EQ(bc_->GetInt32(c, 7005, 42), 42);      // a bool is not an int32
  EXPECT_DOUBLE_EQ(bc_->GetFloat(c, 7000, -2.5), -2.5);
  EXPECT_EQ(bc_->GetInt32(c, 5008, 7), 7);

  // A write replaces the entry whatever type it held.
  bc_->SetBool(c, 7000, 0);
  EXPECT_EQ(bc_->GetBool(c, 7000, 1), 0);
  EXPECT_EQ(bc_->GetInt32(c, 7000, 99), 99);
  bc_->Free(c);
  EXPECT_EQ(Misuses(), 0u);
  EXPECT_TRUE(host_.ledger.Live().empty());
}

TEST_F(ContainerTest, CopyToMakesAnEqualCopyWithTheSourceId) {
  C4D_Container* src = bc_->Create(0x62414354);
  C4D_Container* dst = bc_->Create(-1);
  bc_->SetInt32(src, 1, 10);
  bc_->SetFloat(src, 2, 0.25);
  bc_->SetBool(dst, 3, 1);  // not in the source: must disappear

  bc_->CopyTo(src, dst);
  EXPECT_EQ(*AsContainer(dst), *AsContainer(src));
  EXPECT_EQ(bc_->GetId(dst), 0x62414354);
  EXPECT_EQ(bc_->GetBool(dst, 3, 0), 0);

  // The copy is independent of its source.
  bc_->SetInt32(src, 1, 11);
  EXPECT_EQ(bc_->GetInt32(dst, 1, 0), 10);
  bc_->CopyTo(src, src);  // onto itself: unchanged
  EXPECT_EQ(bc_->GetInt32(src, 1, 0), 11);

  bc_->Free(src);
  bc_->Free(dst);
  EXPECT_EQ(Misuses(), 0u);
}

TEST_F(ContainerTest, HandlesTheHostNeverGaveOutAreMisuse) {
  C4D_Container* c = bc_->Create(-1);
  bc_->Free(c);
  EXPECT_FALSE(host_.failed);

  // Freed already: reads answer the default, writes and frees do nothing.
  EXPECT_EQ(bc_->GetInt32(c, 1, 5), 5);
  bc_->SetInt32(c, 1, 2);
  bc_->Free(c);
  EXPECT_EQ(Misuses(), 3u);
  EXPECT_TRUE(host_.failed);

  // Another kind's handle, and NULL where a container is needed.
  C4D_String* s = str_->Create("text");
  bc_->Free(reinterpret_cast<C4D_Container*>(s));
  EXPECT_EQ(str_->GetUtf8(s, nullptr, 0), 4u);  // still alive
  str_->Free(s);
  EXPECT_EQ(bc_->GetId(nullptr), -1);
  bc_->Free(nullptr);  // freeing NULL is harmless
  EXPECT_EQ(Misuses(), 5u);
  auto misuse = Events("misuse").back();
  EXPECT_EQ(misuse["call"], "Container.GetId");
}

TEST_F(ContainerTest, HostOwnedContainersAreLentNotGiven) {
  Container lent;
  host_.AddHostObject(kContainerKind, &lent);
  C4D_Container* h = ToHandle(&lent);
  bc_->SetInt32(h, 5002, 2);  // the plug-in may read and write what it borrows
  EXPECT_EQ(bc_->GetInt32(h, 5002, 0), 2);
  EXPECT_EQ(Misuses(), 0u);

  bc_->Free(h);  // but must not free it
  ASSERT_EQ(Misuses(), 1u);
  EXPECT_EQ(lent.entries.size(), 1u);

  host_.RemoveHostObject(kContainerKind, &lent);
  EXPECT_EQ(bc_->GetInt32(h, 5002, -1), -1);  // no longer lent
  EXPECT_EQ(Misuses(), 2u);
}

TEST_F(ContainerTest, InjectedFailureHitsExactlyTheCountedCreation) {
  host_.options.failAllocationKind = "container";
  host_.options.failAllocationAt = 1;
  C4D_String* s = str_->Create("not counted");  // another kind
  C4D_Container* first = bc_->Create(-1);
  C4D_Container* second = bc_->Create(-1);
  C4D_Container* third = bc_->Create(-1);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_NE(third, nullptr);
  auto failures = Events("fail-allocation");
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0]["kind"], "container");
  EXPECT_EQ(failures[0]["index"], 1);
  bc_->Free(first);
  bc_->Free(third);
  str_->Free(s);
  EXPECT_FALSE(host_.failed);
}

TEST_F(ContainerTest, StringsAndPathsCopyOutSafely) {
  C4D_String* s = str_->Create("Brevio");
  char buf[4];
  EXPECT_EQ(str_->GetUtf8(s, buf, sizeof buf), 6u);  // full length, cut copy
  EXPECT_STREQ(buf, "Bre");
  EXPECT_EQ(str_->GetUtf8(s, nullptr, 8), 0u);  // NULL buffer with a capacity
  EXPECT_EQ(Misuses(), 1u);
  str_->Free(s);

  C4D_Filename* dir = fn_->Create();
  fn_->SetUtf8(dir, "/plugins/Brevio/");
  C4D_Filename* pdf = fn_->Join(dir, "Brevio.pdf");
  EXPECT_EQ(PathOf(pdf), "/plugins/Brevio/Brevio.pdf");
  C4D_Filename* up = fn_->GetDirectory(pdf);
  EXPECT_EQ(PathOf(up), "/plugins/Brevio");
  C4D_String* leaf = fn_->GetFileString(pdf);
  EXPECT_EQ(TextOf(leaf), "Brevio.pdf");
  EXPECT_EQ(fn_->Equal(dir, up), 0);  // trailing '/' differs as text
  EXPECT_EQ(JoinPath("", "res"), "res");
  EXPECT_EQ(DirectoryOf("res"), "");
  EXPECT_EQ(DirectoryOf("/x"), "/");

  // A path the host lends is read-only.
  FilenameObj location{"/plugins/Brevio"};
  host_.AddHostObject(kFilenameKind, &location);
  auto* lent = reinterpret_cast<C4D_Filename*>(&location);
  fn_->CopyFrom(lent, up);
  fn_->SetUtf8(lent, "/elsewhere");
  fn_->Free(lent);
  EXPECT_EQ(location.path, "/plugins/Brevio");
  EXPECT_EQ(Misuses(), 4u);
  host_.RemoveHostObject(kFilenameKind, &location);

  for (C4D_Filename* f : {dir, pdf, up}) fn_->Free(f);
  str_->Free(leaf);
  EXPECT_TRUE(host_.ledger.Live().empty());
}

}  // namespace
}  // namespace simhost
