#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "fw/Exceptions.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/TempDir.h"

namespace {

using testsupport::CurrentDirGuard;
using testsupport::TempDir;

bool SamePath(const std::string& a, const std::string& b) {
  return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

TEST(CurrentDir, ChDirMovesAndGetCurrentDirReportsIt) {
  CurrentDirGuard guard;
  TempDir dir;
  std::string sub = dir.MakeDir("Sub Dir");
  fw::ChDir(sub);
  EXPECT_TRUE(SamePath(fw::GetCurrentDir(), sub)) << fw::GetCurrentDir();
  // Relative moves are taken from the current directory.
  fw::ChDir("..");
  EXPECT_TRUE(SamePath(fw::GetCurrentDir(), dir.Path())) << fw::GetCurrentDir();
  EXPECT_TRUE(fw::SetCurrentDir("Sub Dir"));
  EXPECT_TRUE(SamePath(fw::GetCurrentDir(), sub));
}

TEST(CurrentDir, RootOfADriveKeepsItsBackslash) {
  CurrentDirGuard guard;
  fw::ChDir("C:\\");
  EXPECT_EQ(fw::GetCurrentDir(), "C:\\");
}

TEST(CurrentDir, FailedChangeRaisesWithTheCodeAndLeavesTheDirectory) {
  CurrentDirGuard guard;
  TempDir dir;
  std::string file = dir.WriteFile("song.mp3", "x");
  fw::ChDir(dir.Path());
  const struct {
    std::string path;
    int code;
  } cases[] = {
      {dir / "missing", ERROR_FILE_NOT_FOUND},
      {dir / "missing\\deeper", ERROR_PATH_NOT_FOUND},
      {file, ERROR_DIRECTORY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      fw::ChDir(c.path);
      ADD_FAILURE() << "no exception";
    } catch (const fw::EInOutError& e) {
      EXPECT_EQ(e.ErrorCode, c.code);
      EXPECT_NE(std::string(e.what()).find("\"" + c.path + "\""), std::string::npos) << e.what();
    }
    EXPECT_TRUE(SamePath(fw::GetCurrentDir(), dir.Path()));
    EXPECT_FALSE(fw::SetCurrentDir(c.path));
    EXPECT_TRUE(SamePath(fw::GetCurrentDir(), dir.Path()));
  }
}

TEST(Existence, FilesAndDirectoriesAreToldApart) {
  CurrentDirGuard guard;
  TempDir dir;
  dir.WriteFile("song.mp3", "x");
  dir.MakeDir("folder.mp3");
  fw::ChDir(dir.Path());
  const struct {
    std::string path;
    bool file, directory;
  } cases[] = {
      {dir / "song.mp3", true, false},
      {"song.mp3", true, false},  // relative to the current directory
      {"SONG.MP3", true, false},
      {dir / "folder.mp3", false, true},
      {"folder.mp3", false, true},
      {dir.Path(), false, true},
      {"C:\\", false, true},
      {dir / "missing.mp3", false, false},
      {"*.mp3", false, false},
      {"song.mp?", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(fw::FileExists(c.path), c.file);
    EXPECT_EQ(fw::DirectoryExists(c.path), c.directory);
  }
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Comparison, FileNamesIgnoreCaseExactComparisonDoesNot) {
  const struct {
    const char* a;
    const char* b;
    int text, exact;
  } cases[] = {
      {"C:\\MUSIC\\Song.mp3", "c:\\music\\SONG.MP3", 0, 1},
      {"\xC3\x84rger.mp3", "\xC3\xA4rger.mp3", 0, 1},  // Ärger, ärger
      {"abc", "abd", -1, -1},
      {"abc", "ab", 1, 1},
      {"", "", 0, 0},
      // The locale's order, not the bytes': Ä sorts with A, before B.
      {"\xC3\x84pfel", "Birne", -1, -1},
      // A letter composed and the same letter with a combining mark: equal
      // to the locale, two different names to the bytes.
      {"Caf\xC3\xA9", "Cafe\xCC\x81", 0, 0},
      {std::string("a\0b", 3).c_str(), "a", 0, 0},  // c_str stops at the zero
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(Sign(fw::AnsiCompareFileName(c.a, c.b)), c.text);
    EXPECT_EQ(Sign(fw::AnsiCompareText(c.a, c.b)), c.text);
    EXPECT_EQ(Sign(fw::AnsiCompareFileName(c.b, c.a)), -c.text);
    if (c.exact == 0) {
      EXPECT_EQ(fw::AnsiCompareStr(c.a, c.b), 0);
    } else {
      EXPECT_NE(fw::AnsiCompareStr(c.a, c.b), 0);
    }
  }
  // Embedded zero bytes take part.
  EXPECT_NE(fw::AnsiCompareStr(std::string("a\0b", 3), std::string("a\0c", 3)), 0);
}

TEST(CaseMapping, CoversTheCodePagesLettersAndLeavesTheRest) {
  EXPECT_EQ(fw::AnsiLowerCase("C:\\\xC3\x84RGER \xC3\x96L \xC3\x9C.MP3"),
            "c:\\\xC3\xA4rger \xC3\xB6l \xC3\xBC.mp3");
  // Letters of any script, those beyond 16 bits too.
  EXPECT_EQ(fw::AnsiUpperCase("c:\\\xD0\xBF\xD1\x80\xD0\xB8 \xF0\x9F\x8E\xB5"),
            "C:\\\xD0\x9F\xD0\xA0\xD0\x98 \xF0\x9F\x8E\xB5");
  EXPECT_EQ(fw::AnsiLowerCase(std::string("A\0B", 3)), std::string("a\0b", 3));
  EXPECT_EQ(fw::AnsiUpperCase(""), "");
}

// The entries a search for *.mp3 returns with the given attribute mask.
std::set<std::string> Search(uint32_t mask) {
  std::set<std::string> names;
  for (fw::TFileSearch s("*.mp3", mask); s.Found(); s.Next()) names.insert(s.Current().Name);
  return names;
}

class DirectorySearch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("plain.mp3", "12345");
    dir_.WriteFile("hidden.mp3", "");
    dir_.WriteFile("system.mp3", "");
    dir_.WriteFile("readonly.mp3", "");
    dir_.WriteFile("archive.mp3", "");
    dir_.WriteFile("other.txt", "");
    dir_.MakeDir("folder.mp3");
    dir_.MakeDir("hiddenfolder.mp3");
    Mark("hidden.mp3", FILE_ATTRIBUTE_HIDDEN);
    Mark("system.mp3", FILE_ATTRIBUTE_SYSTEM);
    Mark("readonly.mp3", FILE_ATTRIBUTE_READONLY);
    Mark("archive.mp3", FILE_ATTRIBUTE_ARCHIVE);
    Mark("hiddenfolder.mp3", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    fw::ChDir(dir_.Path());
  }

  void Mark(const char* name, DWORD attributes) {
    dir_.SetAttributes(name, attributes);
    // Some file systems cannot keep DOS attributes; then the test means nothing.
    DWORD got = ::GetFileAttributesA((dir_ / name).c_str());
    if ((got & attributes) != attributes) GTEST_SKIP() << "file system drops attributes";
  }

  CurrentDirGuard guard_;
  TempDir dir_;
};

TEST_F(DirectorySearch, SpecialAttributesOutsideTheMaskExcludeAnEntry) {
  const std::set<std::string> always = {"plain.mp3", "readonly.mp3", "archive.mp3"};
  auto with = [&](std::set<std::string> extra) {
    extra.insert(always.begin(), always.end());
    return extra;
  };
  const struct {
    uint32_t mask;
    std::set<std::string> expected;
  } cases[] = {
      {0, always},
      {fw::faReadOnly | fw::faArchive, always},
      {fw::faHidden, with({"hidden.mp3"})},
      {fw::faSysFile, with({"system.mp3"})},
      {fw::faDirectory, with({"folder.mp3"})},
      {fw::faDirectory | fw::faHidden, with({"folder.mp3", "hidden.mp3", "hiddenfolder.mp3"})},
      {fw::faAnyFile, with({"hidden.mp3", "system.mp3", "folder.mp3", "hiddenfolder.mp3"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    EXPECT_EQ(Search(c.mask), c.expected);
  }
}

TEST_F(DirectorySearch, EntryCarriesNameSizeAndAttributes) {
  fw::TFileSearch s("PLAIN.MP3", 0);
  ASSERT_TRUE(s.Found());
  EXPECT_EQ(s.Current().Name, "plain.mp3");
  EXPECT_EQ(s.Current().Size, 5);
  EXPECT_EQ(s.Current().Attr & fw::faDirectory, 0u);
  EXPECT_FALSE(s.Next());
  EXPECT_FALSE(s.Found());

  fw::TFileSearch folder(dir_ / "folder.mp3", fw::faDirectory);
  ASSERT_TRUE(folder.Found());
  EXPECT_NE(folder.Current().Attr & fw::faDirectory, 0u);
}

TEST_F(DirectorySearch, NothingFoundWhenOnlyExcludedEntriesMatch) {
  EXPECT_FALSE(fw::TFileSearch("hidden*.mp3", 0).Found());
  EXPECT_FALSE(fw::TFileSearch("*.wav", fw::faAnyFile).Found());
  EXPECT_FALSE(fw::TFileSearch(dir_ / "missing\\*.mp3", fw::faAnyFile).Found());
}

}  // namespace
