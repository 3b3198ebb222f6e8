// The tag codec on any record and any field texts. Input: the record's 128 bytes (missing ones
// zero), then the genre index and the five texts as the fuzzer's data provider takes them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "FuzzCheck.h"
#include "GenreTable.h"
#include "Id3v1Tag.h"

using namespace tageditor;

namespace {

bool IsBlank(char c) { return static_cast<std::uint8_t>(c) <= 32; }

// What a decode gives back for a text after EncodeText into a field of `width`: cut to the
// width, zero bytes saved as blanks, blanks and control codes trimmed at both ends.
std::string Saved(std::string text, std::size_t width) {
  text.resize(std::min(text.size(), width));
  std::replace(text.begin(), text.end(), '\0', ' ');
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

// A decoded text: no zero byte, nothing blank at either end, at most a field long.
void CheckDecodedText(const std::string& text, int width) {
  FUZZ_CHECK(text.size() <= static_cast<std::size_t>(width));
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())));
}

void CheckDecoded(const Id3v1Tag& tag, const Record& record) {
  for (const std::string* text : {&tag.Title, &tag.Artist, &tag.Album, &tag.Comment}) {
    CheckDecodedText(*text, text == &tag.Comment ? tag.CommentWidth() : kTextWidth);
  }
  CheckDecodedText(tag.Year, kYearWidth);
  FUZZ_CHECK(tag.Genre >= -1 && tag.Genre < kGenreCount);
  FUZZ_CHECK(tag.HasTrack == (record[kTrackOffset - 1] == 0 && record[kTrackOffset] != 0));
  FUZZ_CHECK(tag.Track == (tag.HasTrack ? record[kTrackOffset] : 0));
}

bool SameFields(const TagFields& a, const TagFields& b) {
  return a.Title == b.Title && a.Artist == b.Artist && a.Album == b.Album && a.Year == b.Year &&
         a.Comment == b.Comment && a.Genre == b.Genre;
}

// What a save must leave alone: the marker always, the zero and the track byte of a v1.1 record.
void CheckKept(const Record& before, const Record& after) {
  FUZZ_CHECK(std::equal(before.begin(), before.begin() + kFirstWritable, after.begin()));
  const bool v11 = HasTrackNumber(before);
  FUZZ_CHECK(HasTrackNumber(after) == v11);
  if (v11) {
    FUZZ_CHECK(after[kTrackOffset - 1] == 0 && after[kTrackOffset] == before[kTrackOffset]);
  }
  // Texts never carry a zero byte into the record.
  const auto textEnd = after.begin() + (v11 ? kTrackOffset - 1 : kGenreOffset);
  FUZZ_CHECK(std::find(after.begin() + kFirstWritable, textEnd, 0) == textEnd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The presence test on a file's tail of any length up to what the file code reads.
  const std::span<const std::uint8_t> tail(data, std::min<std::size_t>(size, kTailSize));
  if (CarriesTag(tail)) {
    Record last;
    std::copy(tail.end() - kRecordSize, tail.end(), last.begin());
    FUZZ_CHECK(HasMarker(last));
  }

  FuzzedDataProvider input(data, size);
  Record record{};
  const auto bytes = input.ConsumeBytes<std::uint8_t>(kRecordSize);
  std::copy(bytes.begin(), bytes.end(), record.begin());

  // Decode, save the decoded fields unchanged, decode again: the same tag, and a second save
  // changes no byte; the genre byte stays, whether the table names it or not.
  const Id3v1Tag tag = DecodeTag(record);
  CheckDecoded(tag, record);
  Record resaved = record;
  EncodeTag(tag, resaved);
  CheckKept(record, resaved);
  FUZZ_CHECK(resaved[kGenreOffset] == record[kGenreOffset]);
  const Id3v1Tag again = DecodeTag(resaved);
  FUZZ_CHECK(SameFields(again, tag) && again.HasTrack == tag.HasTrack && again.Track == tag.Track);
  Record twice = resaved;
  EncodeTag(again, twice);
  FUZZ_CHECK(twice == resaved);

  // Any texts and any genre index, as the editor hands them over unchecked.
  TagFields fields;
  fields.Genre = input.ConsumeIntegral<int>();
  for (std::string* text :
       {&fields.Title, &fields.Artist, &fields.Album, &fields.Year, &fields.Comment}) {
    *text = input.ConsumeRandomLengthString(2 * kTextWidth);
  }
  Record saved = record;
  EncodeTag(fields, saved);
  CheckKept(record, saved);
  // No genre picked: the byte as the record had it.
  const auto genreByte =
      fields.Genre < 0 ? record[kGenreOffset] : static_cast<std::uint8_t>(fields.Genre & 0xFF);
  FUZZ_CHECK(saved[kGenreOffset] == genreByte);
  const Id3v1Tag loaded = DecodeTag(saved);
  CheckDecoded(loaded, saved);
  FUZZ_CHECK(loaded.Title == Saved(fields.Title, kTextWidth));
  FUZZ_CHECK(loaded.Artist == Saved(fields.Artist, kTextWidth));
  FUZZ_CHECK(loaded.Album == Saved(fields.Album, kTextWidth));
  FUZZ_CHECK(loaded.Year == Saved(fields.Year, kYearWidth));
  FUZZ_CHECK(loaded.Comment == Saved(fields.Comment, loaded.CommentWidth()));
  FUZZ_CHECK(loaded.Genre == (genreByte < kGenreCount ? genreByte : -1));
  return 0;
}
