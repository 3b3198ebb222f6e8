#include "Id3v1Tag.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "GenreTable.h"
#include "fw/PathStrings.h"

namespace tageditor {

namespace {

constexpr std::uint8_t kBlank = 32;
constexpr char kApeMarker[] = "APETAGEX";
constexpr int kApeMarkerLength = 8;

std::span<const std::uint8_t> Field(const Record& record, int offset, int width) {
  return std::span<const std::uint8_t>(record).subspan(offset, width);
}

std::span<std::uint8_t> Field(Record& record, int offset, int width) {
  return std::span<std::uint8_t>(record).subspan(offset, width);
}

}  // namespace

bool HasMarker(const Record& record) {
  auto upper = [&record](int i) { return fw::AsciiUpper(static_cast<char>(record[i])); };
  return upper(0) == 'T' && upper(1) == 'A' && upper(2) == 'G';
}

bool HasTrackNumber(const Record& record) {
  return record[kTrackOffset - 1] == 0 && record[kTrackOffset] != 0;
}

bool CarriesTag(std::span<const std::uint8_t> tail) {
  if (tail.size() < static_cast<std::size_t>(kRecordSize)) return false;
  const auto recordBytes = tail.last(kRecordSize);
  Record record;
  std::copy(recordBytes.begin(), recordBytes.end(), record.begin());
  if (!HasMarker(record)) return false;
  if (tail.size() >= static_cast<std::size_t>(kTailSize)) {
    const auto lead = tail.subspan(tail.size() - kTailSize, kApeMarkerLength);
    if (std::memcmp(lead.data(), kApeMarker, kApeMarkerLength) == 0) return false;
  }
  return true;
}

std::string DecodeText(std::span<const std::uint8_t> field) {
  // Gathered on the stack first, so the text is allocated once, at its final length.
  std::array<char, kTextWidth> kept;
  std::size_t n = 0;
  for (std::uint8_t b : field.first(std::min<std::size_t>(field.size(), kept.size()))) {
    if (b != 0) kept[n++] = static_cast<char>(b);
  }
  // Bytes are compared unsigned: an ANSI letter such as 0xE4 is no blank.
  auto isBlank = [](char c) { return static_cast<std::uint8_t>(c) <= kBlank; };
  const auto first = std::find_if_not(kept.begin(), kept.begin() + n, isBlank);
  const auto last = std::find_if_not(std::make_reverse_iterator(kept.begin() + n),
                                     std::make_reverse_iterator(first), isBlank)
                        .base();
  return std::string(first, last);
}

void EncodeText(std::string_view text, std::span<std::uint8_t> field) {
  for (std::size_t i = 0; i < field.size(); ++i) {
    const std::uint8_t c = i < text.size() ? static_cast<std::uint8_t>(text[i]) : kBlank;
    // A zero would end the text for other readers and could turn a plain comment into the
    // track-number form.
    field[i] = c == 0 ? kBlank : c;
  }
}

int DecodeGenre(std::uint8_t value) { return value < kGenreCount ? value : -1; }

std::uint8_t EncodeGenre(int index) { return static_cast<std::uint8_t>(index & 0xFF); }

Id3v1Tag DecodeTag(const Record& record) {
  Id3v1Tag tag;
  for (int i = 0; i < 3; ++i) {
    if (record[i] != 0) tag.Marker += static_cast<char>(record[i]);
  }
  tag.HasTrack = HasTrackNumber(record);
  tag.Track = tag.HasTrack ? record[kTrackOffset] : 0;
  tag.Title = DecodeText(Field(record, kTitleOffset, kTextWidth));
  tag.Artist = DecodeText(Field(record, kArtistOffset, kTextWidth));
  tag.Album = DecodeText(Field(record, kAlbumOffset, kTextWidth));
  tag.Year = DecodeText(Field(record, kYearOffset, kYearWidth));
  tag.Comment = DecodeText(Field(record, kCommentOffset, tag.CommentWidth()));
  tag.GenreByte = record[kGenreOffset];
  tag.Genre = DecodeGenre(tag.GenreByte);
  return tag;
}

void EncodeTag(const TagFields& fields, Record& record) {
  const bool keepTrack = HasTrackNumber(record);
  EncodeText(fields.Title, Field(record, kTitleOffset, kTextWidth));
  EncodeText(fields.Artist, Field(record, kArtistOffset, kTextWidth));
  EncodeText(fields.Album, Field(record, kAlbumOffset, kTextWidth));
  EncodeText(fields.Year, Field(record, kYearOffset, kYearWidth));
  // Offsets 125 (zero) and 126 (track) stay as they are in the v1.1 form.
  EncodeText(fields.Comment,
             Field(record, kCommentOffset, keepTrack ? kTrackCommentWidth : kTextWidth));
  // Other programs use numbers past this table (149..191) and 255 for none; the list shows none
  // of them, so with nothing picked the byte stays and a title edit does not lose the genre.
  if (fields.Genre >= 0) record[kGenreOffset] = EncodeGenre(fields.Genre);
}

}  // namespace tageditor
