// The path string functions on any bytes, and on well-formed UTF-8 directories built from them:
// every cut is at an ASCII separator, so a result of well-formed text is well-formed too. Input:
// the path first; the text widths and the width limit come from the input's last bytes (the data
// provider's integers).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "Utf8Text.h"
#include "filectrl/PathAlgo.h"
#include "fw/PathStrings.h"

namespace {

using pathtest::IsUtf8;

std::size_t Separators(std::string_view s) {
  return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\\'));
}

bool StripPrefix(std::string_view& s, std::string_view prefix) {
  if (!s.starts_with(prefix)) return false;
  s.remove_prefix(prefix.size());
  return true;
}

// A part taken from well-formed text is well-formed.
void CheckPart(std::string_view part, std::string_view whole) {
  FUZZ_CHECK(!IsUtf8(whole) || IsUtf8(part));
}

void CheckPathStrings(const std::string& s) {
  const std::string dir = fw::ExtractFilePath(s);
  const std::string name = fw::ExtractFileName(s);
  FUZZ_CHECK(dir + name == s && name.find_first_of("\\:") == std::string::npos);
  CheckPart(name, s);
  const std::string ext = fw::ExtractFileExt(s);
  FUZZ_CHECK(ext.empty() || (ext.rfind('.') == 0 && name.ends_with(ext)));
  CheckPart(ext, s);
  const std::string drive = fw::ExtractFileDrive(s);
  FUZZ_CHECK(s.starts_with(drive));
  CheckPart(drive, s);

  const int depth = filectrl::PathDepth(s);
  FUZZ_CHECK(depth >= 0 &&
             static_cast<std::size_t>(depth) == Separators(s.substr(0, s.find('\0'))));
}

// Each call replaces the first directory, after a leading "\" and an earlier call's "...\", by
// "...\" (nothing when no separator follows), and the chain ends in "" after about one call per
// separator.
void CheckDropFirstDirectory(const std::string& s) {
  std::string path = s;
  const std::size_t maxCalls = Separators(s) + 2;
  for (std::size_t calls = 0; !path.empty(); ++calls) {
    FUZZ_CHECK(calls <= maxCalls);
    std::string expected;  // "\" alone becomes empty
    if (path != "\\") {
      std::string_view body = path;
      if (StripPrefix(body, "\\")) expected = "\\";
      StripPrefix(body, "...\\");
      const std::size_t sep = body.find('\\');
      if (sep != std::string_view::npos) expected += "...\\" + std::string(body.substr(sep + 1));
    }
    filectrl::DropFirstDirectory(path);
    FUZZ_CHECK(path == expected);
    CheckPart(path, s);
  }
}

void CheckShortenPath(const std::string& s, unsigned salt, int maxWidth) {
  int measured = 0;
  const filectrl::TextWidthFn width = [&](const std::string& text) {
    ++measured;
    int w = 0;
    for (unsigned char c : text) w += static_cast<int>((c ^ salt) % 5);
    return w;
  };
  const std::string result = filectrl::ShortenPath(s, width, maxWidth);
  const std::string name = fw::ExtractFileName(s);
  FUZZ_CHECK(static_cast<std::size_t>(measured) <= Separators(s) + 5);
  // Fits, or nothing is left to drop; the last part is never cut.
  FUZZ_CHECK(width(result) <= maxWidth || result == name);
  FUZZ_CHECK(result.ends_with(name));
  CheckPart(result, s);
  if (width(s) <= maxWidth) FUZZ_CHECK(result == s);
  // [drive] ["\"] ["...\"] and the end of the path.
  std::string_view rest = result;
  if (s.size() >= 2 && s[1] == ':') StripPrefix(rest, std::string_view(s).substr(0, 2));
  StripPrefix(rest, "\\");
  StripPrefix(rest, "...\\");
  FUZZ_CHECK(result == s || s.ends_with(rest));
  FUZZ_CHECK(filectrl::ShortenPath(result, width, maxWidth) == result);
}

// An absolute directory as the system reports one (C:\A\B, C:\, \\SERVER\SHARE\A) in UTF-8:
// names are the pieces of `raw` between separators, without empty ones, colons, zero bytes and
// bytes that are no part of a well-formed character.
std::string WellFormedDirectory(std::string_view raw, bool network) {
  std::vector<std::string> names(1);
  for (std::size_t i = 0; i < raw.size();) {
    const std::size_t n = pathtest::Utf8Length(raw.substr(i));
    if (n > 1) {
      names.back() += raw.substr(i, n);
    } else if (raw[i] == '\\') {
      if (!names.back().empty()) names.emplace_back();
    } else if (n == 1 && raw[i] != ':' && raw[i] != '\0') {
      names.back() += raw[i];
    }
    i += std::max<std::size_t>(n, 1);
  }
  if (names.back().empty()) names.pop_back();
  std::string dir;
  std::size_t first = 0;
  if (network && names.size() >= 2) {
    dir = "\\\\" + names[0] + "\\" + names[1];
    first = 2;
  } else {
    dir = "C:\\";
  }
  for (std::size_t i = first; i < names.size(); ++i) dir = filectrl::JoinPath(dir, names[i]);
  FUZZ_CHECK(IsUtf8(dir));
  return dir;
}

// The directory list's items come from the split and the paths it opens from PathOfLevel.
void CheckLevels(const std::string& dir, bool wellFormed) {
  const filectrl::DirectoryLevels levels = filectrl::SplitDirectoryLevels(dir);
  std::vector<std::string> items = levels.above;
  if (levels.current) items.push_back(*levels.current);
  std::string joined = items.empty() ? std::string() : items[0];
  for (std::size_t i = 1; i < items.size(); ++i) {
    FUZZ_CHECK(Separators(items[i]) == 0 || (levels.current && i + 1 == items.size()));
    joined += (i == 1 ? "" : "\\") + items[i];
  }
  FUZZ_CHECK(joined == dir || (!levels.current && joined == dir + "\\"));
  for (const std::string& item : items) CheckPart(item, dir);

  for (std::size_t i = 1; i <= items.size() + 1; ++i) {
    const std::string path = filectrl::PathOfLevel(dir, i);
    FUZZ_CHECK(path == dir || (dir.starts_with(path) && dir[path.size()] == '\\'));
  }
  if (!wellFormed) return;
  FUZZ_CHECK(!items.empty());
  std::string expected = items[0];
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) expected = filectrl::JoinPath(expected, items[i]);
    FUZZ_CHECK(filectrl::PathOfLevel(dir, i) == expected);
  }
  FUZZ_CHECK(expected == dir || expected == dir + "\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 256) return 0;  // longer paths find nothing new and only slow the run down
  FuzzedDataProvider input(data, size);
  const unsigned salt = input.ConsumeIntegral<std::uint8_t>();
  const int maxWidth = input.ConsumeIntegralInRange<int>(-1, 300);
  const bool network = input.ConsumeBool();
  const std::string path = input.ConsumeRemainingBytesAsString();

  CheckPathStrings(path);
  CheckDropFirstDirectory(path);
  CheckShortenPath(path, salt, maxWidth);
  CheckLevels(path, false);
  const std::string dir = WellFormedDirectory(path, network);
  CheckPathStrings(dir);
  CheckShortenPath(dir, salt, maxWidth);
  CheckLevels(dir, true);
  return 0;
}
