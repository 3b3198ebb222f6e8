#include "filectrl/PathAlgo.h"

#include <algorithm>
#include <array>
#include <climits>

#include "fw/PathStrings.h"

namespace filectrl {

namespace {

constexpr char kPathDelim = '\\';
constexpr std::string_view kEllipsisDir = "...\\";

}  // namespace

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string result(directory);
  if (!directory.ends_with(kPathDelim)) result += kPathDelim;
  result += name;
  return result;
}

void DropFirstDirectory(std::string& path) {
  if (path == "\\") {
    path.clear();
    return;
  }
  const bool rooted = !path.empty() && path[0] == kPathDelim;
  std::string_view rest(path);
  if (rooted) rest.remove_prefix(1);
  // Only the whole "...\" of an earlier call is skipped: a directory whose name
  // merely starts with a dot (.config) is an ordinary first directory, and cutting
  // four bytes off it would drop the next directory too or split a character.
  if (rest.starts_with(kEllipsisDir)) rest.remove_prefix(kEllipsisDir.size());
  const std::size_t sep = rest.find(kPathDelim);
  std::string result;
  if (rooted) result += kPathDelim;
  if (sep != std::string_view::npos) {
    result += kEllipsisDir;
    result += rest.substr(sep + 1);
  }
  path = std::move(result);
}

std::string ShortenPath(std::string_view fileName, const TextWidthFn& textWidth, int maxWidth) {
  std::string result(fileName);
  std::string dir = fw::ExtractFilePath(fileName);
  const std::string name = fw::ExtractFileName(fileName);
  // A share's \\SERVER\SHARE has no drive here; it is shortened like directories.
  std::string drive;
  if (dir.size() >= 2 && dir[1] == ':') {
    drive = dir.substr(0, 2);
    dir.erase(0, 2);
  }
  // Ends: every DropFirstDirectory removes one real separator from what follows
  // a leading "...\", so the directory part reaches "\...\", "...\" or empty,
  // and then the drive goes.
  while ((!drive.empty() || !dir.empty()) && textWidth(result) > maxWidth) {
    if (dir == "\\...\\") {
      drive.clear();
      dir = kEllipsisDir;
    } else if (dir.empty()) {
      drive.clear();
    } else {
      DropFirstDirectory(dir);
    }
    result = drive + dir + name;
  }
  return result;
}

int PathDepth(std::string_view path) {
  // Counted as the system sees the text: up to its terminating zero.
  path = path.substr(0, path.find('\0'));
  const auto depth = std::count(path.begin(), path.end(), kPathDelim);
  return static_cast<int>(std::min<std::ptrdiff_t>(depth, INT_MAX));
}

DirectoryLevels SplitDirectoryLevels(std::string_view directory) {
  DirectoryLevels levels;
  const std::string root = fw::ExtractFileDrive(directory) + kPathDelim;
  std::string_view rest = directory;
  if (root.size() >= 2 && root[1] == kPathDelim) {
    levels.above.push_back(root);
    rest = directory.size() > root.size() ? directory.substr(root.size()) : std::string_view();
  }
  if (rest.empty()) return levels;
  // A drive's root C:\ ends in its backslash and is the current item by itself.
  if (!rest.ends_with(kPathDelim)) {
    for (std::size_t sep = rest.find(kPathDelim); sep != std::string_view::npos;
         sep = rest.find(kPathDelim)) {
      std::string level(rest.substr(0, sep));
      if (levels.above.empty()) level += kPathDelim;  // the drive C: becomes C:\ .
      levels.above.push_back(std::move(level));
      rest.remove_prefix(sep + 1);
    }
  }
  levels.current = std::string(rest);
  return levels;
}

std::string PathOfLevel(std::string_view directory, std::size_t index) {
  const std::string drive = fw::ExtractFileDrive(directory);
  if (index == 0) return drive + kPathDelim;
  const std::string_view rest = directory.substr(drive.size());
  std::size_t seen = 0;
  for (std::size_t i = rest.find(kPathDelim); i != std::string_view::npos;
       i = rest.find(kPathDelim, i + 1)) {
    if (++seen == index + 1) return drive + std::string(rest.substr(0, i));
  }
  return std::string(directory);
}

std::vector<FilterEntry> ParseFilter(std::string_view filter) {
  std::vector<FilterEntry> entries;
  std::string_view rest = filter;
  for (std::size_t bar = rest.find('|'); bar != std::string_view::npos; bar = rest.find('|')) {
    FilterEntry entry;
    entry.description = rest.substr(0, bar);
    rest.remove_prefix(bar + 1);
    bar = rest.find('|');
    if (bar == std::string_view::npos) {
      entry.mask = rest;
      rest = {};
    } else {
      entry.mask = rest.substr(0, bar);
      rest.remove_prefix(bar + 1);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string SelectedMask(const std::vector<FilterEntry>& entries, int& itemIndex) {
  const int count = static_cast<int>(std::min<std::size_t>(entries.size(), INT_MAX));
  if (itemIndex < 0 || itemIndex >= count) itemIndex = count - 1;
  return itemIndex < 0 ? std::string("*.*") : entries[static_cast<std::size_t>(itemIndex)].mask;
}

std::vector<std::string> SplitMask(std::string_view mask) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t semi = mask.find(';', start);
    pieces.emplace_back(mask.substr(start, semi == std::string_view::npos ? semi : semi - start));
    if (semi == std::string_view::npos) return pieces;
    start = semi + 1;
  }
}

bool IsExecutableName(std::string_view name) {
  static constexpr std::array<std::string_view, 4> kExecutable = {".exe", ".com", ".bat", ".pif"};
  const std::string ext = fw::AsciiLowerCase(fw::ExtractFileExt(name));
  return std::find(kExecutable.begin(), kExecutable.end(), ext) != kExecutable.end();
}

}  // namespace filectrl
