#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "fw/LongString.h"

namespace {

using fw::LongString;

// The header as a caller on the other side of the boundary sees it.
int32_t CountAt(const char* p) {
  int32_t v;
  std::memcpy(&v, p - 8, sizeof v);
  return v;
}
int32_t LengthAt(const char* p) {
  int32_t v;
  std::memcpy(&v, p - 4, sizeof v);
  return v;
}

TEST(LongString, LayoutHasCountAndLengthBeforeTheCharacters) {
  const struct {
    std::string text;
  } cases[] = {{"a"}, {"MP3 ID Tag"}, {std::string("a\0b", 3)}, {std::string(1000, '\xE4')}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    char* p = fw::LStrCreate(c.text);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(CountAt(p), 1);
    EXPECT_EQ(LengthAt(p), static_cast<int32_t>(c.text.size()));
    EXPECT_EQ(std::memcmp(p, c.text.data(), c.text.size()), 0);
    EXPECT_EQ(p[c.text.size()], '\0');
    EXPECT_EQ(fw::LStrLength(p), static_cast<int32_t>(c.text.size()));
    // The length field, not the first zero byte, ends the text.
    EXPECT_EQ(fw::LStrToString(p), c.text);
    fw::LStrRelease(p);
  }
}

TEST(LongString, NullIsTheEmptyText) {
  EXPECT_EQ(fw::LStrCreate(""), nullptr);
  EXPECT_EQ(fw::LStrLength(nullptr), 0);
  EXPECT_EQ(fw::LStrRefCount(nullptr), 0);
  EXPECT_EQ(fw::LStrToString(nullptr), "");
  fw::LStrAddRef(nullptr);
  fw::LStrRelease(nullptr);
  LongString empty;
  EXPECT_EQ(empty.get(), nullptr);
  EXPECT_STREQ(empty.c_str(), "");
  EXPECT_EQ(empty.str(), "");
}

TEST(LongString, ReferencesAreCountedInTheHeader) {
  char* p = fw::LStrCreate("Titel");
  fw::LStrAddRef(p);
  fw::LStrAddRef(p);
  EXPECT_EQ(CountAt(p), 3);
  fw::LStrRelease(p);
  EXPECT_EQ(CountAt(p), 2);
  {
    // A holder that shares takes its own reference and gives it back.
    LongString shared = LongString::Share(p);
    EXPECT_EQ(CountAt(p), 3);
    LongString copy = shared;
    EXPECT_EQ(CountAt(p), 4);
    LongString moved = std::move(copy);
    EXPECT_EQ(CountAt(p), 4);
    copy = moved;
    EXPECT_EQ(CountAt(p), 5);
    EXPECT_EQ(moved.str(), "Titel");
  }
  EXPECT_EQ(CountAt(p), 2);
  fw::LStrRelease(p);
  EXPECT_EQ(CountAt(p), 1);
  // The last reference goes with an adopting holder.
  LongString last = LongString::Adopt(p);
  EXPECT_EQ(CountAt(p), 1);
}

TEST(LongString, HolderHandsItsReferenceOver) {
  LongString s("K\xFCnstler");
  EXPECT_EQ(s.length(), 8);
  EXPECT_EQ(fw::LStrRefCount(s.get()), 1);
  char* p = s.release();
  EXPECT_EQ(s.get(), nullptr);
  EXPECT_EQ(CountAt(p), 1);
  EXPECT_STREQ(p, "K\xFCnstler");
  fw::LStrRelease(p);
}

TEST(LongString, ConstantsAreNeverCountedNorFreed) {
  FW_LSTR_CONSTANT(caption, "MP3 ID Tag");
  const char* p = caption.get();
  EXPECT_EQ(CountAt(p), -1);
  EXPECT_EQ(LengthAt(p), 10);
  fw::LStrAddRef(p);
  for (int i = 0; i < 3; ++i) fw::LStrRelease(p);
  {
    LongString held = LongString::Share(p);
    EXPECT_EQ(held.str(), "MP3 ID Tag");
  }
  EXPECT_EQ(CountAt(p), -1);
  EXPECT_STREQ(p, "MP3 ID Tag");
}

}  // namespace
