#include "fw/PathStrings.h"

#include <algorithm>
#include <vector>

namespace fw {

namespace {

constexpr char kPathDelim = '\\';
constexpr char kDriveDelim = ':';

template <char (*Map)(char)>
std::string MapAscii(std::string_view s) {
  std::string result(s);
  std::transform(result.begin(), result.end(), result.begin(), Map);
  return result;
}

}  // namespace

std::string ExtractFileDrive(std::string_view fileName) {
  if (fileName.size() < 2) return {};
  if (fileName[1] == kDriveDelim) return std::string(fileName.substr(0, 2));
  if (fileName[0] != kPathDelim || fileName[1] != kPathDelim) return {};
  // \\SERVER\SHARE: up to the separator that ends the share name.
  std::size_t end = fileName.size();
  const std::size_t afterServer = fileName.find(kPathDelim, 2);
  if (afterServer != std::string_view::npos) {
    const std::size_t afterShare = fileName.find(kPathDelim, afterServer + 1);
    if (afterShare != std::string_view::npos) end = afterShare;
  }
  // \\SERVER\ alone names no share; its drive part is \\SERVER.
  if (end > 2 && end == fileName.size() && fileName[end - 1] == kPathDelim) --end;
  return std::string(fileName.substr(0, end));
}

std::string ExtractFilePath(std::string_view fileName) {
  const std::size_t i = fileName.find_last_of("\\:");
  return i == std::string_view::npos ? std::string() : std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view fileName) {
  const std::size_t i = fileName.find_last_of("\\:");
  return std::string(i == std::string_view::npos ? fileName : fileName.substr(i + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
  const std::size_t i = fileName.find_last_of(".\\:");
  if (i == std::string_view::npos || fileName[i] != '.') return {};
  return std::string(fileName.substr(i));
}

std::string AsciiLowerCase(std::string_view s) { return MapAscii<AsciiLower>(s); }

std::string AsciiUpperCase(std::string_view s) { return MapAscii<AsciiUpper>(s); }

std::string NormalizedPath(std::string_view fullPath) {
  std::string path(fullPath);
  std::replace(path.begin(), path.end(), '/', '\\');
  const std::string drive = ExtractFileDrive(path);
  std::vector<std::string_view> parts;
  const std::string_view rest = std::string_view(path).substr(drive.size());
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    const std::string_view part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result = drive + '\\';
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += '\\';
    result += parts[i];
  }
  return result;
}

}  // namespace fw
