#include <gtest/gtest.h>

#include <string>

#include "Utf8Text.h"
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
      {"\\\\" JA_SONGS "\\" EL_MUSIC "\\" RU_MUSIC, "\\\\" JA_SONGS "\\" EL_MUSIC},
      {"\\\\caf" E_ACUTE "\\", "\\\\caf" E_ACUTE},
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
      {"C:\\" RU_MUSIC "\\" JA_SONGS "." EL_MUSIC, "C:\\" RU_MUSIC "\\", JA_SONGS "." EL_MUSIC,
       "." EL_MUSIC},
      {"\\\\" NOTE "\\x\\caf" E_ACUTE ".mp3", "\\\\" NOTE "\\x\\", "caf" E_ACUTE ".mp3", ".mp3"},
      // Names that end in a dot or a blank, and the other ASCII marks a name may hold.
      {"C:\\a.\\b ", "C:\\a.\\", "b ", ""},
      {"C:\\caf" E_ACUTE "\\" NOTE ".", "C:\\caf" E_ACUTE "\\", NOTE ".", "."},
      {"x;%&'[.mp3", "", "x;%&'[.mp3", ".mp3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::ExtractFilePath(c.input), c.path) << c.input;
    EXPECT_EQ(fw::ExtractFileName(c.input), c.name) << c.input;
    EXPECT_EQ(fw::ExtractFileExt(c.input), c.ext) << c.input;
  }
}

TEST(AsciiCase, MapsOnlyAToZ) {
  EXPECT_EQ(fw::AsciiLowerCase("SETUP.EXE"), "setup.exe");
  // The base letter changes, its combining mark and the precomposed letter do not.
  EXPECT_EQ(fw::AsciiUpperCase("caf" E_ACUTE "\xC3\xA9.mp3"), "CAFE\xCC\x81\xC3\xA9.MP3");
}

}  // namespace
