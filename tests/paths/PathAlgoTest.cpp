#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "LeadBytes.h"
#include "filectrl/PathAlgo.h"

namespace {

using filectrl::FilterEntry;
using pathtest::kSingle;
using pathtest::kSjis;
using Strings = std::vector<std::string>;

TEST(JoinPath, OneSeparatorBetween) {
  struct Case {
    std::string dir, name;
    fw::LeadByteFn lead;
    std::string expected;
  };
  const Case cases[] = {
      {"C:\\", "WIN", kSingle, "C:\\WIN"},
      {"C:\\A", "WIN", kSingle, "C:\\A\\WIN"},
      {"\\\\SERVER\\SHARE\\", "*.*", kSingle, "\\\\SERVER\\SHARE\\*.*"},
      // The directory ends in a character, not in a separator.
      {"C:\\" SJIS_SO, "x", kSjis, "C:\\" SJIS_SO "\\x"},
      {"C:\\" SJIS_SO, "x", kSingle, "C:\\" SJIS_SO "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(filectrl::JoinPath(c.dir, c.name, c.lead), c.expected);
}

TEST(DropFirstDirectory, ReplacesOneDirectoryPerCall) {
  const std::vector<std::pair<fw::LeadByteFn, Strings>> chains = {
      {kSingle, {"\\WINDOWS\\SYSTEM\\", "\\...\\SYSTEM\\", "\\...\\", "\\", ""}},
      {kSingle, {"...\\", ""}},
      {kSingle, {"\\", ""}},
      {kSingle, {"A\\B\\", "...\\B\\", "...\\", ""}},
      {kSingle, {"A", ""}},
      {kSingle, {"", ""}},
      // A directory whose name starts with a dot is dropped alone, not together
      // with the next one.
      {kSingle, {"\\.ab\\X\\Y\\", "\\...\\X\\Y\\", "\\...\\Y\\"}},
      {kSjis, {"\\" SJIS_SO "\\A\\", "\\...\\A\\", "\\...\\"}},
      {kSingle, {"\\" SJIS_SO "\\A\\", "\\...\\\\A\\"}},
  };
  for (const auto& [lead, chain] : chains) {
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
      std::string path = chain[i];
      filectrl::DropFirstDirectory(path, lead);
      EXPECT_EQ(path, chain[i + 1]) << "from " << chain[i];
    }
  }
}

// Every text that ShortenPath measures, plus what it returns.
Strings ShortenStages(const std::string& fileName, fw::LeadByteFn lead) {
  Strings seen;
  const auto record = [&seen](const std::string& s) {
    if (seen.size() > 1000) throw std::runtime_error("ShortenPath does not end");
    seen.push_back(s);
    return 1;
  };
  std::string result = filectrl::ShortenPath(fileName, record, 0, lead);
  seen.push_back(std::move(result));
  return seen;
}

TEST(ShortenPath, DropsDirectoriesThenDriveUntilItFits) {
  const std::vector<std::pair<fw::LeadByteFn, Strings>> cases = {
      {kSingle,
       {"C:\\WINDOWS\\SYSTEM\\COLOR", "C:\\...\\SYSTEM\\COLOR", "C:\\...\\COLOR", "...\\COLOR",
        "COLOR"}},
      {kSingle,
       {"\\\\SERVER\\SHARE\\A\\B", "\\...\\SERVER\\SHARE\\A\\B", "\\...\\SHARE\\A\\B",
        "\\...\\A\\B", "\\...\\B", "...\\B", "B"}},
      {kSingle, {"C:\\WINDOWS\\", "C:\\...\\", "...\\", ""}},
      {kSingle, {"C:\\", "C:", ""}},
      {kSingle, {"COLOR"}},
      {kSjis, {"C:\\" SJIS_SO "\\" SJIS_SO, "C:\\...\\" SJIS_SO, "...\\" SJIS_SO, SJIS_SO}},
  };
  for (const auto& [lead, stages] : cases) {
    EXPECT_EQ(ShortenStages(stages.front(), lead), stages);
    // Each stage is what comes back when exactly that stage fits.
    for (const auto& stage : stages) {
      const auto fitsOnly = [&stage](const std::string& s) { return s == stage ? 0 : 1; };
      EXPECT_EQ(filectrl::ShortenPath(stages.front(), fitsOnly, 0, lead), stage);
    }
  }
}

TEST(ShortenPath, MeasuresWithTheGivenWidth) {
  const auto bytes = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
  EXPECT_EQ(filectrl::ShortenPath("C:\\WINDOWS\\SYSTEM\\COLOR", bytes, 161, kSingle),
            "C:\\WINDOWS\\SYSTEM\\COLOR");
  EXPECT_EQ(filectrl::ShortenPath("C:\\WINDOWS\\SYSTEM\\COLOR", bytes, 160, kSingle),
            "C:\\...\\SYSTEM\\COLOR");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", bytes, 20, kSingle), "C:");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", bytes, 13, kSingle), "");
}

TEST(ShortenPath, EndsWithTheBareNameOnOddInput) {
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
                          "C:\\\x83",
                          "\\\\\x83\\\x83\\\x83\\",
                          "C:" SJIS_SO "\\" SJIS_SO "\\"};
  for (const auto lead : {kSingle, kSjis}) {
    for (const auto& input : inputs) {
      EXPECT_EQ(ShortenStages(input, lead).back(), fw::ExtractFileName(input, lead)) << input;
    }
  }
}

TEST(PathDepth, CountsSeparatorsOnly) {
  const std::vector<std::tuple<std::string, fw::LeadByteFn, int>> cases = {
      {"C:\\", kSingle, 1},
      {"C:\\WINDOWS", kSingle, 1},
      {"C:\\WINDOWS\\SYSTEM", kSingle, 2},
      {"\\\\SERVER\\SHARE\\DIR", kSingle, 4},
      {"", kSingle, 0},
      {"C:\\" SJIS_SO "\\X", kSjis, 2},
      {"C:\\" SJIS_SO "\\X", kSingle, 3},
      {std::string("A\\B\0\\C", 6), kSingle, 1},
  };
  for (const auto& [path, lead, depth] : cases) EXPECT_EQ(filectrl::PathDepth(path, lead), depth);
}

struct LevelCase {
  std::string directory;
  fw::LeadByteFn lead;
  Strings above;
  std::optional<std::string> current;
};

const LevelCase kLevelCases[] = {
    {"C:\\WINDOWS\\SYSTEM", kSingle, {"C:\\", "WINDOWS"}, "SYSTEM"},
    {"C:\\", kSingle, {}, "C:\\"},
    {"\\\\SERVER\\SHARE\\DIR", kSingle, {"\\\\SERVER\\SHARE\\"}, "DIR"},
    {"\\\\SERVER\\SHARE\\A\\B", kSingle, {"\\\\SERVER\\SHARE\\", "A"}, "B"},
    {"\\\\SERVER\\SHARE\\", kSingle, {"\\\\SERVER\\SHARE\\"}, std::nullopt},
    {"\\\\SERVER\\SHARE", kSingle, {"\\\\SERVER\\SHARE\\"}, std::nullopt},
    {"C:\\" SJIS_SO "\\X", kSjis, {"C:\\", SJIS_SO}, "X"},
    {"C:\\" SJIS_SO, kSjis, {"C:\\"}, SJIS_SO},
    {"\\\\SV\\" SJIS_SO "\\" SJIS_SO, kSjis, {"\\\\SV\\" SJIS_SO "\\"}, SJIS_SO},
};

TEST(SplitDirectoryLevels, RootThenNamesThenCurrent) {
  for (const auto& c : kLevelCases) {
    const auto levels = filectrl::SplitDirectoryLevels(c.directory, c.lead);
    EXPECT_EQ(levels.above, c.above) << c.directory;
    EXPECT_EQ(levels.current, c.current) << c.directory;
  }
  EXPECT_TRUE(filectrl::SplitDirectoryLevels("", kSingle).above.empty());
}

// The directory list takes its item texts from the split and the paths it opens
// from PathOfLevel; both must name the same directories.
TEST(PathOfLevel, AgreesWithTheSplitLevels) {
  for (const auto& c : kLevelCases) {
    Strings items = c.above;
    if (c.current) items.push_back(*c.current);
    std::string expected = items.front();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0) expected = filectrl::JoinPath(expected, items[i], c.lead);
      EXPECT_EQ(filectrl::PathOfLevel(c.directory, i, c.lead), expected) << c.directory << " " << i;
    }
  }
}

TEST(PathOfLevel, Examples) {
  const std::string dir = "C:\\WINDOWS\\SYSTEM\\COLOR";
  EXPECT_EQ(filectrl::PathOfLevel(dir, 0, kSingle), "C:\\");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 1, kSingle), "C:\\WINDOWS");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 2, kSingle), "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(filectrl::PathOfLevel(dir, 3, kSingle), dir);
  EXPECT_EQ(filectrl::PathOfLevel(dir, 99, kSingle), dir);
  EXPECT_EQ(filectrl::PathOfLevel("\\\\SERVER\\SHARE\\A\\B", 1, kSingle), "\\\\SERVER\\SHARE\\A");
  EXPECT_EQ(filectrl::PathOfLevel("C:\\" SJIS_SO "\\X\\Y", 1, kSjis), "C:\\" SJIS_SO);
  EXPECT_EQ(filectrl::PathOfLevel("C:\\" SJIS_SO "\\X\\Y", 1, kSingle), "C:\\\x83");
}

TEST(ParseFilter, PairsDescriptionsWithMasks) {
  using Entries = std::vector<FilterEntry>;
  const std::vector<std::tuple<std::string, fw::LeadByteFn, Entries>> cases = {
      {"MP3 Files|*.mp3", kSingle, {{"MP3 Files", "*.mp3"}}},
      {"A|*.a|B|*.b", kSingle, {{"A", "*.a"}, {"B", "*.b"}}},
      {"A|*.a|B|*.b|C", kSingle, {{"A", "*.a"}, {"B", "*.b"}}},
      {"A|*.a|B", kSingle, {{"A", "*.a"}}},
      {"A", kSingle, {}},
      {"", kSingle, {}},
      {"A|", kSingle, {{"A", ""}}},
      {"A|*.a|B|", kSingle, {{"A", "*.a"}, {"B", ""}}},
      {" A | *.a;*.b ", kSingle, {{" A ", " *.a;*.b "}}},
      {"||", kSingle, {{"", ""}}},
      {"|||", kSingle, {{"", ""}, {"", ""}}},
      {"x" SJIS_MINUS "y|*.a", kSjis, {{"x" SJIS_MINUS "y", "*.a"}}},
      {"x" SJIS_MINUS "y|*.a", kSingle, {{"x\x81", "y"}}},
  };
  for (const auto& [filter, lead, entries] : cases) {
    EXPECT_EQ(filectrl::ParseFilter(filter, lead), entries) << filter;
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
  for (const char* name : {"setup.EXE", "run.Bat", "x.com", "x.pif", "a.txt.exe", ".exe"}) {
    EXPECT_TRUE(filectrl::IsExecutableName(name, kSingle)) << name;
  }
  for (const char* name : {"notes", "exe", "a.exe.txt", "a.exes", "a.ex", "song.mp3", ""}) {
    EXPECT_FALSE(filectrl::IsExecutableName(name, kSingle)) << name;
  }
}

}  // namespace
