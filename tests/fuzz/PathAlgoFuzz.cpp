// The path string functions on any bytes, under double-byte code pages whose second bytes include
// the code of "\" and under single-byte ones. Input: the path first; the code page, the
// text widths and the width limit come from the input's last bytes (the data provider's integers).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "filectrl/PathAlgo.h"
#include "fw/PathStrings.h"

namespace {

using fw::LeadByteFn;

bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool GbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
constexpr std::array<LeadByteFn, 4> kLeadRules = {ShiftJisLead, GbkLead, fw::NoLeadBytes, nullptr};

// Where characters start; a lead byte in the last position is a character of its own.
std::vector<bool> CharStarts(std::string_view s, LeadByteFn lead) {
  std::vector<bool> starts(s.size() + 1, false);
  for (std::size_t i = 0; i < s.size();) {
    starts[i] = true;
    i += (lead && i + 1 < s.size() && lead(static_cast<unsigned char>(s[i]))) ? 2 : 1;
  }
  starts[s.size()] = true;
  return starts;
}

std::size_t Separators(std::string_view s, LeadByteFn lead) {
  const auto starts = CharStarts(s, lead);
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) n += starts[i] && s[i] == '\\';
  return n;
}

// `part` is the end of `whole` and begins at a character of it.
bool IsCharSuffix(std::string_view part, std::string_view whole, LeadByteFn lead) {
  return whole.ends_with(part) && CharStarts(whole, lead)[whole.size() - part.size()];
}

// `part` is the start of `whole` and ends where a character of it ends.
bool IsCharPrefix(std::string_view part, std::string_view whole, LeadByteFn lead) {
  return whole.starts_with(part) && CharStarts(whole, lead)[part.size()];
}

bool StripPrefix(std::string_view& s, std::string_view prefix) {
  if (!s.starts_with(prefix)) return false;
  s.remove_prefix(prefix.size());
  return true;
}

void CheckPathStrings(const std::string& s, LeadByteFn lead) {
  const std::string dir = fw::ExtractFilePath(s, lead);
  const std::string name = fw::ExtractFileName(s, lead);
  FUZZ_CHECK(dir + name == s && IsCharSuffix(name, s, lead));
  const std::string ext = fw::ExtractFileExt(s, lead);
  FUZZ_CHECK(ext.empty() || (ext[0] == '.' && IsCharSuffix(ext, name, lead)));
  FUZZ_CHECK(IsCharPrefix(fw::ExtractFileDrive(s, lead), s, lead));
  const std::string last = fw::AnsiLastChar(s, lead);
  FUZZ_CHECK(last.size() <= 2 && last.empty() == s.empty() && IsCharSuffix(last, s, lead));

  const int depth = filectrl::PathDepth(s, lead);
  FUZZ_CHECK(depth >= 0 &&
             static_cast<std::size_t>(depth) == Separators(s.substr(0, s.find('\0')), lead));
}

// Each call replaces the first directory, after a leading "\" and an earlier call's "...\", by
// "...\" (nothing when no separator follows), and the chain ends in "" after about one call per
// separator.
void CheckDropFirstDirectory(const std::string& s, LeadByteFn lead) {
  std::string path = s;
  const std::size_t maxCalls = Separators(s, lead) + 2;
  for (std::size_t calls = 0; !path.empty(); ++calls) {
    FUZZ_CHECK(calls <= maxCalls);
    std::string expected;  // "\" alone becomes empty
    if (path != "\\") {
      std::string_view body = path;
      if (StripPrefix(body, "\\")) expected = "\\";
      StripPrefix(body, "...\\");
      const auto starts = CharStarts(body, lead);
      std::size_t sep = 0;
      while (sep < body.size() && !(starts[sep] && body[sep] == '\\')) ++sep;
      if (sep < body.size()) expected += "...\\" + std::string(body.substr(sep + 1));
    }
    filectrl::DropFirstDirectory(path, lead);
    FUZZ_CHECK(path == expected);
  }
}

void CheckShortenPath(const std::string& s, LeadByteFn lead, unsigned salt, int maxWidth) {
  int measured = 0;
  const filectrl::TextWidthFn width = [&](const std::string& text) {
    ++measured;
    int w = 0;
    for (unsigned char c : text) w += static_cast<int>((c ^ salt) % 5);
    return w;
  };
  const std::string result = filectrl::ShortenPath(s, width, maxWidth, lead);
  const std::string name = fw::ExtractFileName(s, lead);
  FUZZ_CHECK(static_cast<std::size_t>(measured) <= Separators(s, lead) + 5);
  // Fits, or nothing is left to drop; the last part is never cut.
  FUZZ_CHECK(width(result) <= maxWidth || result == name);
  FUZZ_CHECK(IsCharSuffix(name, result, lead));
  if (width(s) <= maxWidth) FUZZ_CHECK(result == s);
  // [drive] ["\"] ["...\"] and the end of the path.
  std::string_view rest = result;
  if (s.size() >= 2 && s[1] == ':' && CharStarts(s, lead)[1])
    StripPrefix(rest, std::string_view(s).substr(0, 2));
  StripPrefix(rest, "\\");
  StripPrefix(rest, "...\\");
  FUZZ_CHECK(result == s || IsCharSuffix(rest, s, lead));
  FUZZ_CHECK(filectrl::ShortenPath(result, width, maxWidth, lead) == result);
}

// An absolute directory as the system reports one (C:\A\B, C:\, \\SERVER\SHARE\A): names are
// the pieces of `raw` between separators, without empty ones, colons and zero bytes, and without
// half a character at their end.
std::string WellFormedDirectory(std::string_view raw, bool network, LeadByteFn lead) {
  std::vector<std::string> names(1);
  const auto starts = CharStarts(raw, lead);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (!starts[i]) continue;
    const bool pair = !starts[i + 1];
    const char c = raw[i];
    if (pair && raw[i + 1] != '\0') {
      names.back() += raw.substr(i, 2);
    } else if (c == '\\') {
      if (!names.back().empty()) names.emplace_back();
    } else if (!pair && c != ':' && c != '\0' && !(lead && lead(static_cast<unsigned char>(c)))) {
      names.back() += c;
    }
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
  for (std::size_t i = first; i < names.size(); ++i) dir = filectrl::JoinPath(dir, names[i], lead);
  return dir;
}

// The directory list's items come from the split and the paths it opens from PathOfLevel.
void CheckLevels(const std::string& dir, LeadByteFn lead, bool wellFormed) {
  const filectrl::DirectoryLevels levels = filectrl::SplitDirectoryLevels(dir, lead);
  std::vector<std::string> items = levels.above;
  if (levels.current) items.push_back(*levels.current);
  std::string joined = items.empty() ? std::string() : items[0];
  for (std::size_t i = 1; i < items.size(); ++i) {
    FUZZ_CHECK(Separators(items[i], lead) == 0 || (levels.current && i + 1 == items.size()));
    joined += (i == 1 ? "" : "\\") + items[i];
  }
  FUZZ_CHECK(joined == dir || (!levels.current && joined == dir + "\\"));

  for (std::size_t i = 1; i <= items.size() + 1; ++i) {
    const std::string path = filectrl::PathOfLevel(dir, i, lead);
    FUZZ_CHECK(path == dir || (IsCharPrefix(path, dir, lead) && dir[path.size()] == '\\'));
  }
  if (!wellFormed) return;
  FUZZ_CHECK(!items.empty());
  std::string expected = items[0];
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) expected = filectrl::JoinPath(expected, items[i], lead);
    FUZZ_CHECK(filectrl::PathOfLevel(dir, i, lead) == expected);
  }
  FUZZ_CHECK(expected == dir || expected == dir + "\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 256) return 0;  // longer paths find nothing new and only slow the run down
  FuzzedDataProvider input(data, size);
  const LeadByteFn lead = kLeadRules[input.ConsumeIntegralInRange<std::size_t>(0, 3)];
  const unsigned salt = input.ConsumeIntegral<std::uint8_t>();
  const int maxWidth = input.ConsumeIntegralInRange<int>(-1, 300);
  const bool network = input.ConsumeBool();
  const std::string path = input.ConsumeRemainingBytesAsString();

  CheckPathStrings(path, lead);
  CheckDropFirstDirectory(path, lead);
  CheckShortenPath(path, lead, salt, maxWidth);
  CheckLevels(path, lead, false);
  const std::string dir = WellFormedDirectory(path, network, lead);
  CheckPathStrings(dir, lead);
  CheckShortenPath(dir, lead, salt, maxWidth);
  CheckLevels(dir, lead, true);
  return 0;
}
