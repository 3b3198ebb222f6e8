#include "fw/PathStrings.h"

namespace fw {

namespace {

constexpr char kPathDelim = '\\';
constexpr char kDriveDelim = ':';

bool IsLead(LeadByteFn isLead, char c) {
  return isLead != nullptr && isLead(static_cast<unsigned char>(c));
}

template <char (*Map)(char)>
std::string MapAscii(std::string_view s, LeadByteFn isLead) {
  std::string result(s);
  for (std::size_t i = 0; i < result.size();) {
    const std::size_t n = CharLength(result, i, isLead);
    if (n == 1) result[i] = Map(result[i]);
    i += n;
  }
  return result;
}

}  // namespace

bool NoLeadBytes(unsigned char) { return false; }

std::size_t CharLength(std::string_view s, std::size_t pos, LeadByteFn isLead) {
  return pos + 1 < s.size() && IsLead(isLead, s[pos]) ? 2 : 1;
}

std::size_t AnsiScan(std::string_view s, char c, LeadByteFn isLead, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += CharLength(s, i, isLead)) {
    if (s[i] == c) return i;
  }
  return std::string::npos;
}

std::size_t AnsiPos(std::string_view sub, std::string_view s, LeadByteFn isLead) {
  if (sub.empty() || sub.size() > s.size()) return std::string::npos;
  const std::size_t last = s.size() - sub.size();
  for (std::size_t i = 0; i <= last; i += CharLength(s, i, isLead)) {
    if (s.compare(i, sub.size(), sub) == 0) return i;
  }
  return std::string::npos;
}

std::string AnsiLastChar(std::string_view s, LeadByteFn isLead) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i, isLead)) start = i;
  return std::string(s.substr(start));
}

std::size_t AnsiLastDelimiter(std::string_view delimiters, std::string_view s, LeadByteFn isLead) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i, isLead)) {
    if (CharLength(s, i, isLead) == 1 && delimiters.find(s[i]) != std::string_view::npos) {
      found = i;
    }
  }
  return found;
}

std::string ExtractFileDrive(std::string_view fileName, LeadByteFn isLead) {
  if (fileName.size() < 2 || IsLead(isLead, fileName[0])) return {};
  if (fileName[1] == kDriveDelim) return std::string(fileName.substr(0, 2));
  if (fileName[0] != kPathDelim || fileName[1] != kPathDelim) return {};
  // \\SERVER\SHARE: up to the separator that ends the share name.
  std::size_t end = fileName.size();
  const std::size_t afterServer = AnsiScan(fileName, kPathDelim, isLead, 2);
  if (afterServer != std::string::npos) {
    const std::size_t afterShare = AnsiScan(fileName, kPathDelim, isLead, afterServer + 1);
    if (afterShare != std::string::npos) end = afterShare;
  }
  // \\SERVER\ alone names no share; its drive part is \\SERVER.
  if (end > 2 && end == fileName.size() && fileName[end - 1] == kPathDelim &&
      AnsiLastChar(fileName, isLead).size() == 1) {
    --end;
  }
  return std::string(fileName.substr(0, end));
}

std::string ExtractFilePath(std::string_view fileName, LeadByteFn isLead) {
  const std::size_t i = AnsiLastDelimiter("\\:", fileName, isLead);
  return i == std::string::npos ? std::string() : std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view fileName, LeadByteFn isLead) {
  const std::size_t i = AnsiLastDelimiter("\\:", fileName, isLead);
  return std::string(i == std::string::npos ? fileName : fileName.substr(i + 1));
}

std::string ExtractFileExt(std::string_view fileName, LeadByteFn isLead) {
  const std::size_t i = AnsiLastDelimiter(".\\:", fileName, isLead);
  if (i == std::string::npos || fileName[i] != '.') return {};
  return std::string(fileName.substr(i));
}

std::string AsciiLowerCase(std::string_view s, LeadByteFn isLead) {
  return MapAscii<AsciiLower>(s, isLead);
}

std::string AsciiUpperCase(std::string_view s, LeadByteFn isLead) {
  return MapAscii<AsciiUpper>(s, isLead);
}

}  // namespace fw
