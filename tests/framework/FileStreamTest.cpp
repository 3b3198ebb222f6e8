#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/FileStream.h"
#include "fw/Handle.h"
#include "testsupport/TempDir.h"

namespace {

using fw::TFileStream;
using testsupport::TempDir;

std::string Bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 1);
  return s;
}

TEST(FileStream, OpenErrorNamesTheFileAndTheSystemReason) {
  TempDir dir;
  std::string missing = dir / "missing.mp3";
  try {
    TFileStream s(missing, fw::fmOpenRead | fw::fmShareDenyNone);
    FAIL() << "opened a missing file";
  } catch (const fw::EFOpenError& e) {
    std::string prefix = "Cannot open file \"" + missing + "\". ";
    std::string text = e.what();
    ASSERT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_GT(text.size(), prefix.size()) << "no system reason";
    EXPECT_EQ(text.find('\n'), std::string::npos) << "line break left in the reason";
  }
}

TEST(FileStream, AccessOutsideTheThreeModesIsRefused) {
  TempDir dir;
  std::string file = dir.WriteFile("a.mp3", "x");
  EXPECT_THROW(TFileStream(file, 3), fw::EFOpenError);
  EXPECT_THROW(TFileStream(file, fw::fmOpenRead | 0x50), fw::EFOpenError);
}

TEST(FileStream, ReadsFromTheEndAndRaisesOnAShortRead) {
  TempDir dir;
  const std::string content = Bytes(300);
  TFileStream s(dir.WriteFile("a.mp3", content), fw::fmOpenRead | fw::fmShareDenyNone);
  EXPECT_EQ(s.Size(), 300);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.Seek(-128, fw::SeekOrigin::End), 172);
  std::string tag(128, '\0');
  s.ReadBuffer(tag.data(), 128);
  EXPECT_EQ(tag, content.substr(172));
  EXPECT_EQ(s.Position(), 300);

  // Read says how much came; ReadBuffer insists on all of it.
  char buf[20];
  EXPECT_EQ(s.Seek(290, fw::SeekOrigin::Begin), 290);
  EXPECT_EQ(s.Read(buf, 20), 10);
  EXPECT_EQ(s.Seek(-10, fw::SeekOrigin::Current), 290);
  EXPECT_THROW(s.ReadBuffer(buf, 20), fw::EReadError);
  EXPECT_EQ(s.Read(buf, 20), 0);
}

TEST(FileStream, PositionsBeyondFourGigabytes) {
  TempDir dir;
  TFileStream s(dir.WriteFile("a.mp3", "abc"), fw::fmOpenRead);
  const int64_t beyond = (int64_t{5} << 30) + 3;
  EXPECT_EQ(s.Seek(beyond, fw::SeekOrigin::Begin), beyond);
  EXPECT_EQ(s.Position(), beyond);
  EXPECT_EQ(s.Size(), 3);
  EXPECT_THROW(s.Seek(-1, fw::SeekOrigin::Begin), fw::EStreamError);
}

TEST(FileStream, WritesInPlaceAndRaisesWhenNotOpenForWriting) {
  TempDir dir;
  std::string file = dir.WriteFile("a.mp3", Bytes(10));
  {
    TFileStream s(file, fw::fmOpenReadWrite);
    s.Seek(-3, fw::SeekOrigin::End);
    s.WriteBuffer("XYZ", 3);
    EXPECT_EQ(s.Size(), 10);
  }
  EXPECT_EQ(dir.ReadFile("a.mp3"), Bytes(10).substr(0, 7) + "XYZ");

  TFileStream readOnly(file, fw::fmOpenRead | fw::fmShareDenyNone);
  EXPECT_EQ(readOnly.Write("Q", 1), 0);
  EXPECT_THROW(readOnly.WriteBuffer("Q", 1), fw::EWriteError);
}

// A second open of the same file while the first stream is still open.
struct ShareCase {
  const char* name;
  uint32_t first, second;
  bool secondOpens;
};

class FileStreamSharing : public ::testing::TestWithParam<ShareCase> {};

TEST_P(FileStreamSharing, SecondOpen) {
  const ShareCase& c = GetParam();
  TempDir dir;
  std::string file = dir.WriteFile("a.mp3", "abc");
  TFileStream first(file, c.first);
  if (c.secondOpens) {
    EXPECT_NO_THROW(TFileStream(file, c.second));
  } else {
    EXPECT_THROW(TFileStream(file, c.second), fw::EFOpenError);
  }
}

using namespace fw;
INSTANTIATE_TEST_SUITE_P(
    Modes, FileStreamSharing,
    ::testing::Values(
        // Saving (read-write, compatibility sharing) while anyone holds the file.
        ShareCase{"SaveWhileReaderOpen", fmOpenRead | fmShareDenyNone, fmOpenReadWrite, false},
        ShareCase{"ReadWhileSaving", fmOpenReadWrite, fmOpenRead | fmShareDenyNone, false},
        ShareCase{"DenyNoneBoth", fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone,
                  true},
        ShareCase{"ExclusiveBlocksReaders", fmOpenRead | fmShareExclusive,
                  fmOpenRead | fmShareDenyNone, false},
        ShareCase{"DenyWriteAllowsReaders", fmOpenRead | fmShareDenyWrite,
                  fmOpenRead | fmShareDenyNone, true},
        ShareCase{"DenyWriteBlocksWriters", fmOpenRead | fmShareDenyWrite,
                  fmOpenReadWrite | fmShareDenyNone, false},
        ShareCase{"DenyReadBlocksReaders", fmOpenWrite | fmShareDenyRead,
                  fmOpenRead | fmShareDenyNone, false},
        ShareCase{"DenyReadAllowsWriters", fmOpenWrite | fmShareDenyRead,
                  fmOpenWrite | fmShareDenyNone, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileStream, DenyNoneLetsOneHandleReadWhatAnotherWrote) {
  TempDir dir;
  std::string file = dir.WriteFile("a.mp3", "....");
  TFileStream reader(file, fw::fmOpenRead | fw::fmShareDenyNone);
  TFileStream writer(file, fw::fmOpenReadWrite | fw::fmShareDenyNone);
  writer.WriteBuffer("ID", 2);
  char got[4];
  reader.ReadBuffer(got, 4);
  EXPECT_EQ(std::string(got, 4), "ID..");
}

TEST(FileStream, AnotherProgramHoldingTheFileUnsharedBlocksEveryOpen) {
  TempDir dir;
  std::string file = dir.WriteFile("a.mp3", "abc");
  fw::KernelHandle other(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(other);
  EXPECT_THROW(TFileStream(file, fw::fmOpenRead | fw::fmShareDenyNone), fw::EFOpenError);
  other.reset();
  EXPECT_NO_THROW(TFileStream(file, fw::fmOpenRead | fw::fmShareDenyNone));
}

}  // namespace
