#pragma once
// The ID3v1 record, the last 128 bytes of an MP3 file, as bytes in memory. No file access here:
// TagFile does the I/O, this does the byte work, so it builds and tests natively as well.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tageditor {

inline constexpr int kRecordSize = 128;
// An APE tag's "APETAGEX" whose "TAG" lands on the record starts this many bytes in front of it.
inline constexpr int kApeLead = 3;
// What the file code reads in one go: the record and the bytes the APE test needs before it.
inline constexpr int kTailSize = kApeLead + kRecordSize;

// Record layout. Saving changes offsets kFirstWritable..127 only, never the marker.
inline constexpr int kFirstWritable = 3;
inline constexpr int kTitleOffset = 3;
inline constexpr int kArtistOffset = 33;
inline constexpr int kAlbumOffset = 63;
inline constexpr int kYearOffset = 93;
inline constexpr int kCommentOffset = 97;
inline constexpr int kTrackOffset = 126;  // v1.1 form only; offset 125 is then zero
inline constexpr int kGenreOffset = 127;
inline constexpr int kTextWidth = 30;  // title, artist, album, plain comment
inline constexpr int kYearWidth = 4;
inline constexpr int kTrackCommentWidth = 28;  // comment in front of the zero and the track byte

using Record = std::array<std::uint8_t, kRecordSize>;

// What the editor shows and saves. Texts are ANSI bytes, one per character.
struct TagFields {
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  int Genre = -1;  // 0..148, or -1: none picked, and a save keeps the record's byte
};

// A decoded record. HasTrack tells the editor that the comment has room for 28 characters only;
// a save keeps the track byte on its own (the record on disk decides at that moment).
struct Id3v1Tag : TagFields {
  // The marker as read ("TAG" in any letter case), which the editor keeps in its hidden field.
  std::string Marker;
  bool HasTrack = false;
  std::uint8_t Track = 0;
  // The genre byte as stored, also when Genre is -1: other programs name more numbers.
  std::uint8_t GenreByte = 0xFF;

  int CommentWidth() const { return HasTrack ? kTrackCommentWidth : kTextWidth; }
};

// "TAG" in any letter case; a zero byte among the three never counts.
bool HasMarker(const Record& record);
// The v1.1 form: offset 125 zero, offset 126 (the track number) non-zero.
bool HasTrackNumber(const Record& record);
// Whether a file whose last bytes are `tail` (min(size, kTailSize) of them) ends in an ID3v1 tag:
// at least a record long, marker present, and the marker not the middle of "APETAGEX".
bool CarriesTag(std::span<const std::uint8_t> tail);

// A field of at most kTextWidth bytes: zero bytes are left out wherever they stand, then codes
// <= 32 are trimmed at both ends.
std::string DecodeText(std::span<const std::uint8_t> field);
// Cut at the field's width, padded with blanks; a zero byte is never written.
void EncodeText(std::string_view text, std::span<std::uint8_t> field);
// 0..148 as it is, anything else -1.
int DecodeGenre(std::uint8_t value);
// The low byte of an index of the table.
std::uint8_t EncodeGenre(int index);

// Decodes every field; whether the record is a tag at all is CarriesTag's question.
Id3v1Tag DecodeTag(const Record& record);
// Writes the fields into offsets 3..127 of a record read from disk. A v1.1 record keeps its zero
// and track byte and takes 28 comment characters. Genre -1 leaves offset 127 as it is.
void EncodeTag(const TagFields& fields, Record& record);

}  // namespace tageditor
