#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "GenreTable.h"
#include "Id3v1Tag.h"

namespace tageditor {
namespace {

using namespace std::string_view_literals;
using Bytes = std::vector<std::uint8_t>;

void Put(Record& r, int offset, std::string_view bytes) {
  std::copy(bytes.begin(), bytes.end(), r.begin() + offset);
}

// A record of zero bytes with the marker "TAG" and `bytes` at `offset`.
Record TagRecord(int offset = 0, std::string_view bytes = {}) {
  Record r{};
  Put(r, 0, "TAG");
  Put(r, offset, bytes);
  return r;
}

std::string Slice(const Record& r, int offset, int width) {
  return std::string(r.begin() + offset, r.begin() + offset + width);
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// --- presence ---

struct PresenceCase {
  const char* name;
  std::string_view lead;         // file bytes in front of the record
  std::string_view recordStart;  // first bytes of the record, the rest zero
  bool expected;
  std::size_t length = kRecordSize;  // record bytes present (less for files that are too short)
};

class PresenceTest : public testing::TestWithParam<PresenceCase> {};

TEST_P(PresenceTest, DecidesWhetherTheFileEndsInATag) {
  const auto& c = GetParam();
  Bytes tail(c.lead.begin(), c.lead.end());
  Bytes rec(c.length, 0);
  std::copy(c.recordStart.begin(), c.recordStart.end(), rec.begin());
  tail.insert(tail.end(), rec.begin(), rec.end());
  EXPECT_EQ(CarriesTag(tail), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PresenceTest,
    testing::Values(PresenceCase{"Upper", "xyz", "TAG", true},
                    PresenceCase{"Lower", "xyz", "tag", true},
                    PresenceCase{"Mixed", "xyz", "tAg", true},
                    PresenceCase{"OtherLetter", "xyz", "TAH", false},
                    PresenceCase{"ZeroInPlaceOfLetter", "xyz", "T\0G"sv, false},
                    PresenceCase{"ZeroForLastLetter", "xyz", "TA\0"sv, false},
                    // 0xD4 is 'T' with the top bit set.
                    PresenceCase{"HighByte", "xyz", "\xD4\x41G", false},
                    PresenceCase{"FileIsJustTheRecord", "", "TAG", true},
                    PresenceCase{"ShorterThanARecord", "", "TAG", false, kRecordSize - 1},
                    PresenceCase{"EmptyFile", "", "", false, 0},
                    PresenceCase{"ApeMarker", "APE", "TAGEX", false},
                    PresenceCase{"ApeLookalike", "APE", "TAGEY", true},
                    PresenceCase{"ApeCutByFileStart", "PE", "TAGEX", true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- text fields ---

struct DecodeCase {
  const char* name;
  std::string_view field;  // padded with zero bytes to 30
  std::string expected;
};

class DecodeTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, LeavesOutZerosAndTrimsBlanks) {
  const auto& c = GetParam();
  Record r = TagRecord(kTitleOffset, c.field);
  EXPECT_EQ(DecodeTag(r).Title, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTextTest,
    testing::Values(DecodeCase{"ZeroInsideDoesNotEnd", "AB\0CD"sv, "ABCD"},
                    DecodeCase{"BlanksAround", "          X                   ", "X"},
                    DecodeCase{"AllZero", "", ""},
                    DecodeCase{"AllBlank", "                              ", ""},
                    DecodeCase{"ControlsAtEnds", "\t\x01 A B\x1F\r\n", "A B"},
                    DecodeCase{"ZerosBetweenBlanks", " \0 X \0Y\0 \0"sv, "X Y"},
                    DecodeCase{"FullWidth", "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234",
                               "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"},
                    // Bytes >= 0x80 are letters of the ANSI code page, not blanks.
                    DecodeCase{"HighBytesAtEnds", "\xA0\xE4rger\xFC\xDF", "\xA0\xE4rger\xFC\xDF"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodeCase {
  const char* name;
  std::string text;
  int width;
  std::string expected;
};

class EncodeTextTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTextTest, CutsAndPadsWithBlanks) {
  const auto& c = GetParam();
  std::vector<std::uint8_t> field(c.width, 0xEE);
  EncodeText(c.text, field);
  EXPECT_EQ(std::string(field.begin(), field.end()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeTextTest,
    testing::Values(EncodeCase{"ShortYear", "99", 4, "99  "},
                    EncodeCase{"LongYear", "199912", 4, "1999"},
                    EncodeCase{"Empty", "", 30, Blanks(30)},
                    EncodeCase{"Exact", std::string(30, 'x'), 30, std::string(30, 'x')},
                    EncodeCase{"Long", std::string(30, 'x') + "YZ", 30, std::string(30, 'x')},
                    EncodeCase{"BlanksKeptAsTyped", " a ", 6, " a    "},
                    EncodeCase{"ZeroBecomesBlank", std::string("a\0b", 3), 4, "a b "}),
    [](const auto& info) { return std::string(info.param.name); });

// --- genre ---

TEST(GenreTest, BytesOutsideTheTableShowNoGenreAndStayUnlessOneIsPicked) {
  struct Case {
    std::uint8_t stored;
    int shown;
    int picked;  // what the editor hands back: the shown index, or the user's pick
    std::uint8_t saved;
  };
  for (const Case c : {Case{0, 0, 0, 0}, Case{148, 148, 148, 148}, Case{149, -1, -1, 149},
                       Case{150, -1, -1, 150}, Case{191, -1, -1, 191}, Case{255, -1, -1, 255},
                       Case{150, -1, 3, 3}, Case{17, 17, 148, 148}}) {
    Record r = TagRecord();
    r[kGenreOffset] = c.stored;
    Id3v1Tag tag = DecodeTag(r);
    EXPECT_EQ(tag.Genre, c.shown) << int(c.stored);
    tag.Genre = c.picked;
    EncodeTag(tag, r);
    EXPECT_EQ(r[kGenreOffset], c.saved) << int(c.stored) << " picked " << c.picked;
  }
}

TEST(GenreTest, TableHoldsTheEditorsNames) {
  EXPECT_EQ(GenreNames()[kGenreUnknown], "Unbekannt");
  EXPECT_EQ(GenreNames()[60], "Top ");
  EXPECT_EQ(GenreNames()[0], "Blues");
  EXPECT_EQ(GenreNames()[80], "Folk");
  EXPECT_EQ(GenreNames()[147], "Synthpop");
  auto names = std::vector<std::string_view>(GenreNames().begin(), GenreNames().end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "duplicate name";
}

// --- whole records ---

TEST(RecordTest, DecodesEveryFieldFromItsOffset) {
  Record r = TagRecord();
  Put(r, kTitleOffset, "Title");
  Put(r, kArtistOffset, "Artist");
  Put(r, kAlbumOffset, "Album");
  Put(r, kYearOffset, "2001");
  Put(r, kCommentOffset, "Comment");
  r[kGenreOffset] = 17;
  const Id3v1Tag tag = DecodeTag(r);
  EXPECT_EQ(tag.Title, "Title");
  EXPECT_EQ(tag.Artist, "Artist");
  EXPECT_EQ(tag.Album, "Album");
  EXPECT_EQ(tag.Year, "2001");
  EXPECT_EQ(tag.Comment, "Comment");
  EXPECT_EQ(tag.Genre, 17);
  EXPECT_FALSE(tag.HasTrack);
  EXPECT_EQ(tag.CommentWidth(), 30);
}

TEST(RecordTest, FullFieldsDoNotRunIntoTheNext) {
  Record r = TagRecord();
  Put(r, kTitleOffset,
      std::string(30, 't') + std::string(30, 'a') + std::string(30, 'l') + "yyyy" +
          std::string(30, 'c'));
  const Id3v1Tag tag = DecodeTag(r);
  EXPECT_EQ(tag.Title, std::string(30, 't'));
  EXPECT_EQ(tag.Artist, std::string(30, 'a'));
  EXPECT_EQ(tag.Album, std::string(30, 'l'));
  EXPECT_EQ(tag.Year, "yyyy");
  EXPECT_EQ(tag.Comment, std::string(30, 'c'));
}

TEST(RecordTest, EncodeWritesOffsets3To127AndLeavesTheMarker) {
  Record r;
  r.fill(0xEE);
  Put(r, 0, "tAg");
  EncodeTag(TagFields{"T", "Ar", "Al", "1999", "C", 3}, r);
  EXPECT_EQ(Slice(r, 0, 3), "tAg");
  EXPECT_EQ(Slice(r, kTitleOffset, 30), "T" + Blanks(29));
  EXPECT_EQ(Slice(r, kArtistOffset, 30), "Ar" + Blanks(28));
  EXPECT_EQ(Slice(r, kAlbumOffset, 30), "Al" + Blanks(28));
  EXPECT_EQ(Slice(r, kYearOffset, 4), "1999");
  EXPECT_EQ(Slice(r, kCommentOffset, 30), "C" + Blanks(29));
  EXPECT_EQ(r[kGenreOffset], 3);
}

TEST(RecordTest, ZeroPaddedFieldsAreSavedBackWithBlanks) {
  Record r = TagRecord(kTitleOffset, "Song");
  Put(r, kYearOffset, "99"sv);
  EncodeTag(DecodeTag(r), r);
  EXPECT_EQ(Slice(r, kTitleOffset, 30), "Song" + Blanks(26));
  EXPECT_EQ(Slice(r, kArtistOffset, 30), Blanks(30));
  EXPECT_EQ(Slice(r, kYearOffset, 4), "99  ");
  EXPECT_EQ(Slice(r, kCommentOffset, 30), Blanks(30));
  EXPECT_EQ(DecodeTag(r).Title, "Song");
}

// --- the v1.1 track number ---

struct TrackCase {
  const char* name;
  std::string_view comment;  // record offsets 97..126
  bool hasTrack;
  int track;
  std::string decoded;
};

class TrackFormTest : public testing::TestWithParam<TrackCase> {};

TEST_P(TrackFormTest, DecodesTheCommentAroundTheTrackByte) {
  const auto& c = GetParam();
  const Id3v1Tag tag = DecodeTag(TagRecord(kCommentOffset, c.comment));
  EXPECT_EQ(tag.HasTrack, c.hasTrack);
  EXPECT_EQ(tag.Track, c.track);
  EXPECT_EQ(tag.Comment, c.decoded);
  EXPECT_EQ(tag.CommentWidth(), c.hasTrack ? 28 : 30);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackFormTest,
    testing::Values(
        // 'A' (65) as a track number must not show up as a letter of the comment.
        TrackCase{"TrackLooksLikeALetter", "Nice tune\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0A"sv,
                  true, 65, "Nice tune"},
        TrackCase{"TrackAfterFullComment", "1234567890123456789012345678\0\x07"sv, true, 7,
                  "1234567890123456789012345678"},
        TrackCase{"TrackZeroIsPlainComment", "Plain", false, 0, "Plain"},
        // No zero in front of it: byte 126 belongs to a 30-character comment.
        TrackCase{"NoZeroInFront", "123456789012345678901234567890", false, 0,
                  "123456789012345678901234567890"},
        TrackCase{"BlankInFrontIsNoTrackForm", "abc                          \x05"sv, false, 0,
                  "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrackFormTest, SaveKeepsZeroAndTrackAndCutsTheCommentTo28) {
  Record r =
      TagRecord(kCommentOffset, "old\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x0C"sv);
  r[kGenreOffset] = 9;
  EncodeTag(TagFields{"t", "a", "l", "y", "123456789012345678901234567890", 9}, r);
  EXPECT_EQ(Slice(r, kCommentOffset, 28), "1234567890123456789012345678");
  EXPECT_EQ(r[125], 0);
  EXPECT_EQ(r[kTrackOffset], 12);
  const Id3v1Tag tag = DecodeTag(r);
  EXPECT_TRUE(tag.HasTrack);
  EXPECT_EQ(tag.Track, 12);
  EXPECT_EQ(tag.Comment, "1234567890123456789012345678");
}

TEST(TrackFormTest, PlainRecordGetsAThirtyCharacterComment) {
  Record r = TagRecord(kCommentOffset, "old");
  EncodeTag(TagFields{"", "", "", "", "short", -1}, r);
  EXPECT_EQ(Slice(r, kCommentOffset, 30), "short" + Blanks(25));
  EXPECT_FALSE(DecodeTag(r).HasTrack);
}

}  // namespace
}  // namespace tageditor
