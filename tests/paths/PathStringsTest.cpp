#include <gtest/gtest.h>

#include <string>

#include "fw/PathStrings.h"

namespace {

TEST(ExtractFileDrive, DrivesSharesAndRelativePaths) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\x", "C:"},
      {"C:", "C:"},
      {"c:song.mp3", "c:"},
      {"\\\\SERVER\\SHARE\\DIR", "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE"},
      {"\\\\SERVER\\", "\\\\SERVER"},
      {"\\\\SERVER", "\\\\SERVER"},
      {"\\\\", "\\\\"},
      {"\\\\\\", "\\\\"},
      {"\\WINDOWS", ""},
      {"WINDOWS", ""},
      {"C", ""},
      {"", ""},
  };
  for (const auto& [input, drive] : cases) EXPECT_EQ(fw::ExtractFileDrive(input), drive) << input;
}

TEST(ExtractFileParts, PathNameAndExtension) {
  struct PartsCase {
    std::string input, path, name, ext;
  };
  const PartsCase cases[] = {
      {"C:\\WINDOWS\\SYSTEM.INI", "C:\\WINDOWS\\", "SYSTEM.INI", ".INI"},
      {"C:\\WINDOWS\\", "C:\\WINDOWS\\", "", ""},
      {"C:\\", "C:\\", "", ""},
      {"C:song.mp3", "C:", "song.mp3", ".mp3"},
      {"song", "", "song", ""},
      {"a.b.mp3", "", "a.b.mp3", ".mp3"},
      {".hidden", "", ".hidden", ".hidden"},
      {"C:\\DIR.X\\song", "C:\\DIR.X\\", "song", ""},
      {"\\\\SERVER\\SHARE", "\\\\SERVER\\", "SHARE", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::ExtractFilePath(c.input), c.path) << c.input;
    EXPECT_EQ(fw::ExtractFileName(c.input), c.name) << c.input;
    EXPECT_EQ(fw::ExtractFileExt(c.input), c.ext) << c.input;
  }
}

TEST(AsciiCase, MapsOnlyAToZ) {
  EXPECT_EQ(fw::AsciiLowerCase("SETUP.EXE"), "setup.exe");
  EXPECT_EQ(fw::AsciiUpperCase("run.Bat"), "RUN.BAT");
}

}  // namespace
