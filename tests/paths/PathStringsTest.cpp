#include <gtest/gtest.h>

#include <string>

#include "LeadBytes.h"
#include "fw/PathStrings.h"

namespace {

using pathtest::kSingle;
using pathtest::kSjis;

struct Case {
  std::string input;
  fw::LeadByteFn lead;
  std::string expected;
};

TEST(ExtractFileDrive, DrivesSharesAndRelativePaths) {
  const Case cases[] = {
      {"C:\\x", kSingle, "C:"},
      {"C:", kSingle, "C:"},
      {"c:song.mp3", kSingle, "c:"},
      {"\\\\SERVER\\SHARE\\DIR", kSingle, "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\SHARE\\", kSingle, "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\SHARE", kSingle, "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\", kSingle, "\\\\SERVER"},
      {"\\\\SERVER", kSingle, "\\\\SERVER"},
      {"\\\\", kSingle, "\\\\"},
      {"\\\\\\", kSingle, "\\\\"},
      {"\\WINDOWS", kSingle, ""},
      {"WINDOWS", kSingle, ""},
      {"C", kSingle, ""},
      {"", kSingle, ""},
      // A share whose name ends in a character with a backslash as second byte.
      {"\\\\SV\\" SJIS_SO "\\DIR", kSjis, "\\\\SV\\" SJIS_SO},
      {"\\\\SV\\" SJIS_SO "\\DIR", kSingle, "\\\\SV\\\x83"},
      {"\\\\SV\\" SJIS_SO, kSjis, "\\\\SV\\" SJIS_SO},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fw::ExtractFileDrive(c.input, c.lead), c.expected) << c.input;
}

TEST(ExtractFileParts, PathNameAndExtension) {
  struct PartsCase {
    std::string input;
    fw::LeadByteFn lead;
    std::string path, name, ext;
  };
  const PartsCase cases[] = {
      {"C:\\WINDOWS\\SYSTEM.INI", kSingle, "C:\\WINDOWS\\", "SYSTEM.INI", ".INI"},
      {"C:\\WINDOWS\\", kSingle, "C:\\WINDOWS\\", "", ""},
      {"C:\\", kSingle, "C:\\", "", ""},
      {"C:song.mp3", kSingle, "C:", "song.mp3", ".mp3"},
      {"song", kSingle, "", "song", ""},
      {"a.b.mp3", kSingle, "", "a.b.mp3", ".mp3"},
      {".hidden", kSingle, "", ".hidden", ".hidden"},
      {"C:\\DIR.X\\song", kSingle, "C:\\DIR.X\\", "song", ""},
      {"\\\\SERVER\\SHARE", kSingle, "\\\\SERVER\\", "SHARE", ""},
      {"", kSingle, "", "", ""},
      {"C:\\" SJIS_SO, kSjis, "C:\\", SJIS_SO, ""},
      {"C:\\" SJIS_SO, kSingle, "C:\\\x83\\", "", ""},
      {"C:\\" SJIS_SO "\\a" SJIS_SO ".mp3", kSjis, "C:\\" SJIS_SO "\\", "a" SJIS_SO ".mp3", ".mp3"},
      {"C:\\" SJIS_SO "x.mp3", kSingle, "C:\\\x83\\", "x.mp3", ".mp3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::ExtractFilePath(c.input, c.lead), c.path) << c.input;
    EXPECT_EQ(fw::ExtractFileName(c.input, c.lead), c.name) << c.input;
    EXPECT_EQ(fw::ExtractFileExt(c.input, c.lead), c.ext) << c.input;
    EXPECT_EQ(fw::ExtractFilePath(c.input, c.lead) + fw::ExtractFileName(c.input, c.lead), c.input);
  }
}

TEST(AnsiSearch, MatchesStartOnlyAtCharacterBoundaries) {
  const std::size_t npos = std::string::npos;
  struct PosCase {
    std::string sub, s;
    fw::LeadByteFn lead;
    std::size_t expected;
  };
  const PosCase cases[] = {
      {"|", SJIS_MINUS "|x", kSjis, 2},
      {"|", SJIS_MINUS "|x", kSingle, 1},
      {"\\", SJIS_SO "\\", kSjis, 2},
      {"\\", SJIS_SO, kSjis, npos},
      {"\\", SJIS_SO, nullptr, 1},
      {"ab", "xab", kSingle, 1},
      // Found byte-wise at 1, but that byte is the second half of a character.
      {"\x5C\x83", SJIS_SO SJIS_SO, kSjis, npos},
      {"", "abc", kSingle, npos},
      {"abcd", "abc", kSingle, npos},
      {"\\", "", kSingle, npos},
      // A lead byte in the last position stands alone.
      {"\x83", "ab\x83", kSjis, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::AnsiPos(c.sub, c.s, c.lead), c.expected) << c.s;
    if (c.sub.size() == 1) {
      EXPECT_EQ(fw::AnsiScan(c.s, c.sub[0], c.lead), c.expected) << c.s;
    }
  }
  EXPECT_EQ(fw::AnsiScan("a\\b\\c", '\\', kSingle, 2), 3u);
  EXPECT_EQ(fw::AnsiScan("a\\b", '\\', kSingle, 7), npos);
}

TEST(AnsiLastChar, IsOneOrTwoBytes) {
  const Case cases[] = {
      {"C:\\", kSingle, "\\"},   {"C:\\" SJIS_SO, kSjis, SJIS_SO}, {"C:\\" SJIS_SO, kSingle, "\\"},
      {SJIS_SO "a", kSjis, "a"}, {"ab\x83", kSjis, "\x83"},        {"", kSjis, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::AnsiLastChar(c.input, c.lead), c.expected) << c.input;
}

TEST(AsciiCase, LeavesSecondBytesAlone) {
  // 0x83 0x41 and 0x83 0x61 are two different katakana.
  EXPECT_EQ(fw::AsciiLowerCase("SETUP.EXE", kSingle), "setup.exe");
  EXPECT_EQ(fw::AsciiLowerCase("\x83"
                               "AB\xC4",
                               kSjis),
            "\x83"
            "Ab\xC4");
  EXPECT_EQ(fw::AsciiLowerCase("\x83"
                               "AB",
                               kSingle),
            "\x83"
            "ab");
  EXPECT_EQ(fw::AsciiUpperCase("\x83"
                               "ab",
                               kSjis),
            "\x83"
            "aB");
  EXPECT_EQ(fw::AsciiUpperCase("run.Bat", nullptr), "RUN.BAT");
}

}  // namespace
