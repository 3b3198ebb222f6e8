#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Utf8Text.h"
#include "fw/PathStrings.h"
#include "fw/Unicode.h"

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

TEST(NormalizedPath, ResolvesDotsAndSeparatorsButKeepsNames) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\", "C:\\"},
      {"C:\\A\\..\\B\\.\\C\\", "C:\\B\\C"},
      {"C:\\..\\..\\A", "C:\\A"},  // never above the root
      {"C:/A//B", "C:\\A\\B"},
      {"\\\\SERVER\\SHARE\\A\\..\\..", "\\\\SERVER\\SHARE\\"},
      // Names the plain form would change stay as they are spelt.
      {"C:\\dir.\\name \\con.mp3", "C:\\dir.\\name \\con.mp3"},
      {"C:\\" RU_MUSIC "\\..\\" NOTE "\\" E_ACUTE, "C:\\" NOTE "\\" E_ACUTE},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(fw::NormalizedPath(path), expected) << path;
}

// UTF-8 inside, UTF-16 at the system: every name the system can list comes
// back to it unchanged, lone surrogates included.
TEST(Unicode, ConvertsBothWaysAndKeepsLoneSurrogates) {
  const std::pair<std::string, std::u16string> both[] = {
      {"plain", u"plain"},
      {RU_MUSIC, u"\u041C\u0443\u0437\u044B\u043A\u0430"},
      {NOTE, u"\U0001F3B5"},
      {E_ACUTE, u"e\u0301"},
      {"\xED\xA0\x80", std::u16string(1, 0xD800)},  // a high surrogate alone
      {"a\xED\xBF\xBF"
       "b",
       u"a" + std::u16string(1, 0xDFFF) + u"b"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& [utf8, utf16] : both) {
    EXPECT_EQ(fw::Utf16Units(utf8), utf16) << utf8;
    EXPECT_EQ(fw::Utf8(utf16), utf8) << utf8;
  }
  // Bytes that are no character read as U+FFFD, each on its own, and the
  // text after them is read afresh.
  const std::pair<std::string, std::u16string> malformed[] = {
      {"\xFC", u"\uFFFD"},                                // a code page's byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // an overlong "/"
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // cut short
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE2x\xA9", u"\uFFFDx\uFFFD"},
  };
  for (const auto& [utf8, utf16] : malformed) EXPECT_EQ(fw::Utf16Units(utf8), utf16);
}

}  // namespace
