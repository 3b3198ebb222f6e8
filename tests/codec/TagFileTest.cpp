#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "TagFile.h"
#include "fw/Exceptions.h"
#include "fw/Handle.h"
#include "testsupport/FileHolder.h"
#include "testsupport/TempDir.h"
#include "testsupport/Unwritable.h"

namespace tageditor {
namespace {

using std::string;

// A record as other programs write it: fields padded with zero bytes.
string ZeroPaddedRecord(const string& title, const string& comment, int genre, int track = 0) {
  string r(kRecordSize, '\0');
  r.replace(0, 3, "TAG");
  r.replace(kTitleOffset, title.size(), title);
  r.replace(kArtistOffset, 6, "Artist");
  r.replace(kAlbumOffset, 5, "Album");
  r.replace(kYearOffset, 4, "1998");
  r.replace(kCommentOffset, comment.size(), comment);
  if (track != 0) r[kTrackOffset] = static_cast<char>(track);
  r[kGenreOffset] = static_cast<char>(genre);
  return r;
}

// Audio stand-in whose every byte differs from its neighbours, so a shifted write shows.
string Audio(std::size_t n) {
  string a(n, '\0');
  for (std::size_t i = 0; i < n; ++i) a[i] = static_cast<char>(i * 7 + 1);
  return a;
}

class TagFileTest : public testing::Test {
 protected:
  string Write(const string& name, const string& bytes) { return dir_.WriteFile(name, bytes); }
  static string Read(const string& path) {
    std::ifstream in(path, std::ios::binary);
    return string(std::istreambuf_iterator<char>(in), {});
  }

  testsupport::TempDir dir_;
};

TEST_F(TagFileTest, SaveChangesOnlyTheRecordAfterTheMarker) {
  const string path = Write("a.mp3", Audio(4000) + ZeroPaddedRecord("Old", "Was here", 200));
  const string before = Read(path);

  const auto loaded = LoadTag(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Title, "Old");
  EXPECT_EQ(loaded->Year, "1998");
  EXPECT_EQ(loaded->Comment, "Was here");
  EXPECT_EQ(loaded->Genre, -1);
  EXPECT_FALSE(loaded->HasTrack);

  SaveTag(path, TagFields{"New title", "A", "B", "2024", std::string(35, 'c'), 148});
  const string after = Read(path);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, before.size() - 125), before.substr(0, before.size() - 125));
  EXPECT_EQ(after.substr(after.size() - 125), "New title" + string(21, ' ') + "A" +
                                                  string(29, ' ') + "B" + string(29, ' ') + "2024" +
                                                  string(30, 'c') + "\x94");
  const auto reloaded = LoadTag(path);
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(reloaded->Title, "New title");
  EXPECT_EQ(reloaded->Genre, 148);
}

TEST_F(TagFileTest, SaveKeepsTheTrackNumberOfAV11Record) {
  const string path = Write("t.mp3", Audio(500) + ZeroPaddedRecord("T", "Comment", 17, 9));
  const auto loaded = LoadTag(path);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->HasTrack);
  EXPECT_EQ(loaded->Track, 9);
  EXPECT_EQ(loaded->CommentWidth(), 28);

  SaveTag(path, TagFields{"T", "A", "B", "Y", std::string(29, 'x'), 17});
  const string after = Read(path);
  EXPECT_EQ(after.substr(after.size() - 31), string(28, 'x') + string("\0\x09\x11", 3));
}

struct NoTagCase {
  const char* name;
  string bytes;
};

class NoTagTest : public TagFileTest, public testing::WithParamInterface<NoTagCase> {};

TEST_P(NoTagTest, LoadsAsUntaggedAndRefusesToSave) {
  const string path = Write("n.mp3", GetParam().bytes);
  EXPECT_FALSE(LoadTag(path));
  try {
    SaveTag(path, TagFields{"T", "A", "B", "Y", "C", 1});
    ADD_FAILURE() << "saved into a file without a tag";
  } catch (const ENoTagError& e) {
    const string message = e.what();
    EXPECT_NE(message.find(path), string::npos) << message;
    EXPECT_NE(message.find("no ID3v1 tag"), string::npos) << message;
  }
  EXPECT_EQ(Read(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, NoTagTest,
                         testing::Values(NoTagCase{"Empty", ""},
                                         NoTagCase{"ShorterThanARecord", "TAG" + string(100, 'x')},
                                         NoTagCase{"NoMarker", Audio(1000)},
                                         NoTagCase{"ApeTag", Audio(300) + "APE" +
                                                                 ZeroPaddedRecord("EX", "", 0)}),
                         [](const auto& info) { return string(info.param.name); });

TEST_F(TagFileTest, SaveRefusesWhenTheTagWasStrippedAfterLoading) {
  const string audio = Audio(2000);
  const string path = Write("s.mp3", audio + ZeroPaddedRecord("T", "", 0));
  ASSERT_TRUE(LoadTag(path));
  Write("s.mp3", audio);
  EXPECT_THROW(SaveTag(path, TagFields{"T", "", "", "", "", 0}), ENoTagError);
  EXPECT_EQ(Read(path), audio);
}

TEST_F(TagFileTest, MissingFileRaisesTheOpenError) {
  const string path = dir_ / "missing.mp3";
  EXPECT_THROW(LoadTag(path), fw::EFOpenError);
  EXPECT_THROW(SaveTag(path, TagFields{}), fw::EFOpenError);
  EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "save created a file";
}

TEST_F(TagFileTest, ReadOnlyFileLoadsButDoesNotSave) {
  const string bytes = Audio(100) + ZeroPaddedRecord("Locked", "", 5);
  const string path = Write("r.mp3", bytes);
  testsupport::Unwritable locked({path});
  if (!locked.Holds()) GTEST_SKIP() << locked.Reason();
  const auto loaded = LoadTag(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Title, "Locked");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      SaveTag(path, TagFields{"X", "", "", "", "", 0});
      ADD_FAILURE() << "saved into a file that cannot be written";
    } catch (const fw::EFOpenError& e) {
      EXPECT_EQ(string(e.what()),
                "Cannot open file \"" + path + "\". " + testsupport::Unwritable::Refusal());
    }
  }
  EXPECT_EQ(Read(path), bytes);
}

TEST_F(TagFileTest, AnotherProgramsHandleBlocksSavingButNotSharedLoading) {
  const string bytes = Audio(300) + ZeroPaddedRecord("Busy", "", 1);
  const string path = Write("h.mp3", bytes);
  {
    testsupport::FileHolder holder(path, "exclusive");
    ASSERT_TRUE(holder.Open());
    EXPECT_THROW(SaveTag(path, TagFields{"X", "", "", "", "", 0}), fw::EFOpenError);
  }
  EXPECT_EQ(Read(path), bytes);
  {
    testsupport::FileHolder holder(path, "shared");
    ASSERT_TRUE(holder.Open());
    const auto loaded = LoadTag(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Title, "Busy");
    EXPECT_THROW(SaveTag(path, TagFields{"X", "", "", "", "", 0}), fw::EFOpenError);
  }
  EXPECT_EQ(Read(path), bytes);
  SaveTag(path, TagFields{"Free", "", "", "", "", 0});
  EXPECT_EQ(LoadTag(path)->Title, "Free");
}

TEST_F(TagFileTest, FileBeyondFourGigabytesLoadsAndSaves) {
  constexpr std::int64_t kSize = 5LL << 30;
  const string path = dir_ / "big.mp3";
  {
    fw::KernelHandle h(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(h);
    DWORD unused;
    // Where the file system has no sparse files the hole is simply allocated.
    ::DeviceIoControl(h.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = kSize - kRecordSize;
    ASSERT_TRUE(::SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN));
    const string record = ZeroPaddedRecord("Huge", "", 2, 3);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(h.get(), record.data(), kRecordSize, &written, nullptr));
  }
  const auto loaded = LoadTag(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Title, "Huge");
  SaveTag(path, TagFields{"Still huge", "", "", "", "", 4});
  const auto reloaded = LoadTag(path);
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(reloaded->Title, "Still huge");
  EXPECT_EQ(reloaded->Genre, 4);
  EXPECT_EQ(reloaded->Track, 3);
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ((std::int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow, kSize);
}

}  // namespace
}  // namespace tageditor
