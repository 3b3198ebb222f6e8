#include "TagFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "fw/FileStream.h"

namespace tageditor {

namespace {

using Tail = std::array<std::uint8_t, kTailSize>;

// The file's last min(size, kTailSize) bytes, in one read.
std::span<const std::uint8_t> ReadTail(fw::TFileStream& stream, std::int64_t size, Tail& buffer) {
  const auto count = static_cast<std::int32_t>(std::min<std::int64_t>(size, kTailSize));
  stream.Seek(size - count, fw::SeekOrigin::Begin);
  stream.ReadBuffer(buffer.data(), count);
  return std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(count));
}

Record RecordOf(std::span<const std::uint8_t> tail) {
  Record record;
  const auto bytes = tail.last(kRecordSize);
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

}  // namespace

ENoTagError::ENoTagError(const std::string& fileName)
    : fw::EInvalidOperation("The file \"" + fileName +
                            "\" carries no ID3v1 tag; nothing was written.") {}

std::optional<Id3v1Tag> LoadTag(const std::string& fileName) {
  fw::TFileStream stream(fileName, fw::fmOpenRead | fw::fmShareDenyNone);
  Tail buffer;
  const auto tail = ReadTail(stream, stream.Size(), buffer);
  if (!CarriesTag(tail)) return std::nullopt;
  return DecodeTag(RecordOf(tail));
}

int SaveTag(const std::string& fileName, const TagFields& fields) {
  fw::TFileStream stream(fileName, fw::fmOpenReadWrite | fw::fmShareCompat);
  const std::int64_t size = stream.Size();
  Tail buffer;
  const auto tail = ReadTail(stream, size, buffer);
  if (!CarriesTag(tail)) throw ENoTagError(fileName);
  Record record = RecordOf(tail);
  EncodeTag(fields, record);
  constexpr int kWritten = kRecordSize - kFirstWritable;
  stream.Seek(size - kWritten, fw::SeekOrigin::Begin);
  stream.WriteBuffer(record.data() + kFirstWritable, kWritten);
  return HasTrackNumber(record) ? kTrackCommentWidth : kTextWidth;
}

}  // namespace tageditor
