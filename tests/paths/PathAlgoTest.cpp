#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "Utf8Text.h"
#include "filectrl/PathAlgo.h"
#include "fw/PathStrings.h"

namespace {

using filectrl::FilterEntry;
using Strings = std::vector<std::string>;

TEST(JoinPath, OneSeparatorBetween) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"C:\\", "WIN", "C:\\WIN"},
      {"C:\\A", "WIN", "C:\\A\\WIN"},
      {"\\\\SERVER\\SHARE\\", "*.*", "\\\\SERVER\\SHARE\\*.*"},
      {"C:\\" NOTE, "caf" E_ACUTE, "C:\\" NOTE "\\caf" E_ACUTE},
  };
  for (const auto& [dir, name, joined] : cases) EXPECT_EQ(filectrl::JoinPath(dir, name), joined);
}

TEST(DropFirstDirectory, ReplacesOneDirectoryPerCall) {
  const std::vector<Strings> chains = {
      {"\\WINDOWS\\SYSTEM\\", "\\...\\SYSTEM\\", "\\...\\", "\\", ""},
      {"...\\", ""},
      {"\\", ""},
      {"A\\B\\", "...\\B\\", "...\\", ""},
      {"A", ""},
      {"", ""},
      // A directory whose name starts with a dot is dropped alone, not together
      // with the next one.
      {"\\.ab\\X\\Y\\", "\\...\\X\\Y\\", "\\...\\Y\\"},
      {"\\" RU_MUSIC "\\caf" E_ACUTE "\\" NOTE "\\", "\\...\\caf" E_ACUTE "\\" NOTE "\\",
       "\\...\\" NOTE "\\", "\\...\\"},
      // Names that end in a dot or a blank are whole directories too.
      {"a.\\b \\" EL_MUSIC, "...\\b \\" EL_MUSIC, "...\\" EL_MUSIC, ""},
  };
  for (const auto& chain : chains) {
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
      std::string path = chain[i];
      filectrl::DropFirstDirectory(path);
      EXPECT_EQ(path, chain[i + 1]) << "from " << chain[i];
    }
  }
}

// Every text that ShortenPath measures, plus what it returns.
Strings ShortenStages(const std::string& fileName) {
  Strings seen;
  const auto record = [&seen](const std::string& s) {
    if (seen.size() > 1000) throw std::runtime_error("ShortenPath does not end");
    seen.push_back(s);
    return 1;
  };
  std::string result = filectrl::ShortenPath(fileName, record, 0);
  seen.push_back(std::move(result));
  return seen;
}

TEST(ShortenPath, DropsDirectoriesThenDriveUntilItFits) {
  const std::vector<Strings> cases = {
      {"C:\\WINDOWS\\SYSTEM\\COLOR", "C:\\...\\SYSTEM\\COLOR", "C:\\...\\COLOR", "...\\COLOR",
       "COLOR"},
      {"\\\\SERVER\\SHARE\\A\\B", "\\...\\SERVER\\SHARE\\A\\B", "\\...\\SHARE\\A\\B", "\\...\\A\\B",
       "\\...\\B", "...\\B", "B"},
      {"C:\\WINDOWS\\", "C:\\...\\", "...\\", ""},
      {"C:\\", "C:", ""},
      {"COLOR"},
      {"C:\\" RU_MUSIC "\\" JA_SONGS "\\" NOTE " x.mp3", "C:\\...\\" JA_SONGS "\\" NOTE " x.mp3",
       "C:\\...\\" NOTE " x.mp3", "...\\" NOTE " x.mp3", NOTE " x.mp3"},
      {"\\\\" JA_SONGS "\\caf" E_ACUTE "\\" E_ACUTE,
       "\\...\\" JA_SONGS "\\caf" E_ACUTE "\\" E_ACUTE, "\\...\\caf" E_ACUTE "\\" E_ACUTE,
       "\\...\\" E_ACUTE, "...\\" E_ACUTE, E_ACUTE},
  };
  for (const auto& stages : cases) {
    EXPECT_EQ(ShortenStages(stages.front()), stages);
    // Each stage is what comes back when exactly that stage fits.
    for (const auto& stage : stages) {
      const auto fitsOnly = [&stage](const std::string& s) { return s == stage ? 0 : 1; };
      EXPECT_EQ(filectrl::ShortenPath(stages.front(), fitsOnly, 0), stage);
    }
  }
}

TEST(ShortenPath, MeasuresWithTheGivenWidth) {
  const auto bytes = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
  EXPECT_EQ(filectrl::ShortenPath("C:\\WINDOWS\\SYSTEM\\COLOR", bytes, 161),
            "C:\\WINDOWS\\SYSTEM\\COLOR");
  EXPECT_EQ(filectrl::ShortenPath("C:\\WINDOWS\\SYSTEM\\COLOR", bytes, 160),
            "C:\\...\\SYSTEM\\COLOR");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", bytes, 20), "C:");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", bytes, 13), "");
}

// Whatever the input, no stage splits a character or cuts the last part, and
// the last stage is that part alone.
TEST(ShortenPath, KeepsCharactersAndTheLastPartWholeOnOddInput) {
  const Strings inputs = {"\\\\",
                          "\\...\\",
                          "...\\...\\x",
                          "C:",
                          ":",
                          "a:b:c",
                          "\\.\\.\\x",
                          "C:\\\\\\\\x",
                          ".",
                          "\\.git\\x\\y\\n",
                          "....\\\\....\\",
                          "C:" NOTE "\\" E_ACUTE,
                          "\\\\" JA_SONGS "\\\\" RU_MUSIC "\\\\",
                          "..." NOTE "\\...\\" E_ACUTE,
                          "\\" E_ACUTE "\\" EL_MUSIC " ."};
  for (const auto& input : inputs) {
    const std::string name = fw::ExtractFileName(input);
    const Strings stages = ShortenStages(input);
    for (const auto& stage : stages) {
      EXPECT_TRUE(pathtest::IsUtf8(stage) && stage.ends_with(name)) << input << " -> " << stage;
    }
    EXPECT_EQ(stages.back(), name) << input;
  }
}

TEST(PathDepth, CountsSeparatorsOnly) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"C:\\", 1},
      {"C:\\WINDOWS", 1},
      {"C:\\WINDOWS\\SYSTEM", 2},
      {"\\\\SERVER\\SHARE\\DIR", 4},
      {"", 0},
      {std::string("A\\B\0\\C", 6), 1},
  };
  for (const auto& [path, depth] : cases) EXPECT_EQ(filectrl::PathDepth(path), depth) << path;
}

struct LevelCase {
  std::string directory;
  Strings above;
  std::optional<std::string> current;
};

const LevelCase kLevelCases[] = {
    {"C:\\WINDOWS\\SYSTEM", {"C:\\", "WINDOWS"}, "SYSTEM"},
    {"C:\\", {}, "C:\\"},
    {"\\\\SERVER\\SHARE\\DIR", {"\\\\SERVER\\SHARE\\"}, "DIR"},
    {"\\\\SERVER\\SHARE\\A\\B", {"\\\\SERVER\\SHARE\\", "A"}, "B"},
    {"\\\\SERVER\\SHARE\\", {"\\\\SERVER\\SHARE\\"}, std::nullopt},
    {"\\\\SERVER\\SHARE", {"\\\\SERVER\\SHARE\\"}, std::nullopt},
    {"C:\\" RU_MUSIC "\\" NOTE, {"C:\\", RU_MUSIC}, NOTE},
    {"\\\\" JA_SONGS "\\" EL_MUSIC "\\caf" E_ACUTE "\\" NOTE,
     {"\\\\" JA_SONGS "\\" EL_MUSIC "\\", "caf" E_ACUTE},
     NOTE},
    {"C:\\a.\\b \\c;%&'[d", {"C:\\", "a.", "b "}, "c;%&'[d"},
};

TEST(SplitDirectoryLevels, RootThenNamesThenCurrent) {
  for (const auto& c : kLevelCases) {
    const auto levels = filectrl::SplitDirectoryLevels(c.directory);
    EXPECT_EQ(levels.above, c.above) << c.directory;
    EXPECT_EQ(levels.current, c.current) << c.directory;
  }
  EXPECT_TRUE(filectrl::SplitDirectoryLevels("").above.empty());
}

// The directory list takes its item texts from the split and the paths it opens
// from PathOfLevel; both must name the same directories.
TEST(PathOfLevel, AgreesWithTheSplitLevels) {
  for (const auto& c : kLevelCases) {
    Strings items = c.above;
    if (c.current) items.push_back(*c.current);
    std::string expected = items.front();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0) expected = filectrl::JoinPath(expected, items[i]);
      EXPECT_EQ(filectrl::PathOfLevel(c.directory, i), expected) << c.directory << " " << i;
    }
  }
}

TEST(PathOfLevel, Examples) {
  const std::string dir = "C:\\WINDOWS\\SYSTEM\\COLOR";
  EXPECT_EQ(filectrl::PathOfLevel(dir, 0), "C:\\");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 1), "C:\\WINDOWS");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 2), "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 3), dir);
  EXPECT_EQ(filectrl::PathOfLevel(dir, 99), dir);
  EXPECT_EQ(filectrl::PathOfLevel("\\\\SERVER\\SHARE\\A\\B", 1), "\\\\SERVER\\SHARE\\A");
}

TEST(ParseFilter, PairsDescriptionsWithMasks) {
  using Entries = std::vector<FilterEntry>;
  const std::vector<std::pair<std::string, Entries>> cases = {
      {"MP3 Files|*.mp3", {{"MP3 Files", "*.mp3"}}},
      {"A|*.a|B|*.b", {{"A", "*.a"}, {"B", "*.b"}}},
      {"A|*.a|B|*.b|C", {{"A", "*.a"}, {"B", "*.b"}}},
      {"A|*.a|B", {{"A", "*.a"}}},
      {"A", {}},
      {"", {}},
      {"A|", {{"A", ""}}},
      {"A|*.a|B|", {{"A", "*.a"}, {"B", ""}}},
      {" A | *.a;*.b ", {{" A ", " *.a;*.b "}}},
      {"||", {{"", ""}}},
      {"|||", {{"", ""}, {"", ""}}},
      {JA_SONGS " (*.mp3)|*.mp3|" RU_MUSIC " & " EL_MUSIC "|*.*",
       {{JA_SONGS " (*.mp3)", "*.mp3"}, {RU_MUSIC " & " EL_MUSIC, "*.*"}}},
      {"caf" E_ACUTE "|*." E_ACUTE "|" NOTE "|*.mp3",
       {{"caf" E_ACUTE, "*." E_ACUTE}, {NOTE, "*.mp3"}}},
  };
  for (const auto& [filter, entries] : cases) {
    EXPECT_EQ(filectrl::ParseFilter(filter), entries) << filter;
  }
}

TEST(SelectedMask, FallsBackToTheLastEntryThenToAllFiles) {
  const std::vector<FilterEntry> entries = {{"A", "*.a"}, {"B", "*.b;*.c"}};
  const std::vector<std::tuple<int, std::string, int>> cases = {
      {0, "*.a", 0}, {1, "*.b;*.c", 1}, {-1, "*.b;*.c", 1}, {5, "*.b;*.c", 1}};
  for (auto [index, mask, after] : cases) {
    EXPECT_EQ(filectrl::SelectedMask(entries, index), mask);
    EXPECT_EQ(index, after);
  }
  int none = -1;
  EXPECT_EQ(filectrl::SelectedMask({}, none), "*.*");
  EXPECT_EQ(none, -1);
}

TEST(SplitMask, KeepsBlanksAndEmptyPieces) {
  const std::vector<std::pair<std::string, Strings>> cases = {
      {"*.mp3", {"*.mp3"}},
      {"*.mp3;", {"*.mp3", ""}},
      {"*.mp3;*.MP3", {"*.mp3", "*.MP3"}},
      {"*.a; *.b", {"*.a", " *.b"}},
      {"", {""}},
      {";;", {"", "", ""}},
  };
  for (const auto& [mask, pieces] : cases) EXPECT_EQ(filectrl::SplitMask(mask), pieces) << mask;
}

TEST(IsExecutableName, ByLowerCasedLastExtension) {
  for (const char* name : {"setup.EXE", "run.Bat", "x.com", "x.pif", "a.txt.exe", ".exe",
                           RU_MUSIC ".EXE", NOTE ".bat"}) {
    EXPECT_TRUE(filectrl::IsExecutableName(name)) << name;
  }
  for (const char* name : {"notes", "exe", "a.exe.txt", "a.exes", "a.ex", "song.mp3", "",
                           "a.ex" E_ACUTE, "a.exe.", "a.exe ", "a.exe" NOTE}) {
    EXPECT_FALSE(filectrl::IsExecutableName(name)) << name;
  }
}

}  // namespace
