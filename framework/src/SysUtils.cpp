#include "fw/SysUtils.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SystemMessage.h"
#include "fw/Exceptions.h"
#include "fw/PathStrings.h"
#include "fw/Unicode.h"

namespace fw {
namespace {

int Compare(const std::string& a, const std::string& b, DWORD flags) {
  const std::wstring wa = Utf16(a), wb = Utf16(b);
  int rc = ::CompareStringW(LOCALE_USER_DEFAULT, flags, wa.data(), static_cast<int>(wa.size()),
                            wb.data(), static_cast<int>(wb.size()));
  if (rc == 0) return a.compare(b);  // the locale refused; fall back to the bytes
  return rc - CSTR_EQUAL;
}

std::string Mapped(const std::string& s, DWORD(WINAPI* map)(LPWSTR, DWORD)) {
  std::wstring wide = Utf16(s);
  if (!wide.empty()) map(wide.data(), static_cast<DWORD>(wide.size()));
  return Utf8(wide);
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(SystemPath(path).c_str()); }

std::wstring CurrentDirectoryW() {
  std::wstring dir(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
    if (n == 0) {
      DWORD code = ::GetLastError();
      throw EInOutError("Cannot read the current directory. " + detail::SystemMessage(code),
                        static_cast<int>(code));
    }
    if (n < dir.size()) {
      dir.resize(n);
      return dir;
    }
    dir.resize(n);  // n counts the terminating zero when the buffer is short
  }
}

}  // namespace

std::wstring SystemPath(const std::string& path) {
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) return Utf16(path);
  const auto isLetter = [](char c) { return AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z'; };
  const bool share =
      path.size() > 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  const bool drive = path.size() >= 3 && isLetter(path[0]) && path[1] == ':' &&
                     (path[2] == '\\' || path[2] == '/');
  if (share) return L"\\\\?\\UNC\\" + Utf16(NormalizedPath(path).substr(2));
  if (drive) return L"\\\\?\\" + Utf16(NormalizedPath(path));
  // C:name names a place in another drive's current directory; the system
  // knows which.
  if (path.size() >= 2 && path[1] == ':') return Utf16(path);
  // Relative to the process's current directory, as the system takes it.
  const std::string current = GetCurrentDir();
  // A current directory that is no full path (Wine reports "nul" after
  // entering a folder of that name) has nothing to join to.
  if (!(current.size() >= 3 && current[1] == ':') && !current.starts_with("\\\\"))
    return Utf16(path);
  if (path.empty()) return SystemPath(current);
  if (path[0] == '\\' || path[0] == '/') return SystemPath(ExtractFileDrive(current) + path);
  return SystemPath(current + "\\" + path);
}

std::string GetCurrentDir() { return Utf8(CurrentDirectoryW()); }

void ChDir(const std::string& path) {
  if (!SetCurrentDir(path)) {
    DWORD code = ::GetLastError();
    if (code == ERROR_SUCCESS) code = ERROR_FILENAME_EXCED_RANGE;
    throw EInOutError(
        "Cannot change the current directory to \"" + path + "\". " + detail::SystemMessage(code),
        static_cast<int>(code));
  }
}

namespace {

// Whether the plain form of a path (the only one the current directory
// takes) names a place other than the path: a name the system reads as a
// device (nul.mp3 is NUL), or one whose trailing dots and blanks it drops.
bool PlainFormAlters(std::string_view path) {
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::size_t start = 0; start < path.size();) {
    std::size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == "." || name == "..") continue;
    if (name.back() == '.' || name.back() == ' ') return true;
    const std::string stem = AsciiUpperCase(name.substr(0, name.find('.')));
    for (std::string_view device : kDevices)
      if (stem == device) return true;
    if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
        stem[3] >= '1' && stem[3] <= '9')
      return true;
  }
  return false;
}

}  // namespace

bool SetCurrentDir(const std::string& path) {
  // Windows holds at most MAX_PATH - 2 characters there for a program that
  // has not declared itself long-path aware. Wine takes more but writes past
  // a buffer of that size in the process's parameters (the program's own
  // path and command line are overwritten, and a later DLL load crashes), so
  // the limit is kept on both.
  const std::wstring wanted = SystemPath(path);
  // The length of the plain form: \\?\C:\... less 4, \\?\UNC\S\... for \\S\... less 6.
  std::size_t plainLength = wanted.size();
  if (wanted.starts_with(L"\\\\?\\UNC\\"))
    plainLength -= 6;
  else if (wanted.starts_with(L"\\\\?\\"))
    plainLength -= 4;
  if (plainLength > MAX_PATH - 2 || PlainFormAlters(path)) {
    ::SetLastError(ERROR_SUCCESS);
    return false;
  }
  const std::wstring before = CurrentDirectoryW();
  if (!::SetCurrentDirectoryW(Utf16(path).c_str())) return false;
  // What the system reports now must be the directory asked for.
  const std::wstring now = SystemPath(GetCurrentDir());
  if (::CompareStringOrdinal(now.data(), static_cast<int>(now.size()), wanted.data(),
                             static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
    return true;
  ::SetCurrentDirectoryW(before.c_str());
  ::SetLastError(ERROR_SUCCESS);
  return false;
}

bool FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int AnsiCompareStr(const std::string& a, const std::string& b) { return Compare(a, b, 0); }
int AnsiCompareText(const std::string& a, const std::string& b) {
  return Compare(a, b, NORM_IGNORECASE);
}
int AnsiCompareFileName(const std::string& a, const std::string& b) {
  return Compare(a, b, NORM_IGNORECASE);
}
std::string AnsiLowerCase(const std::string& s) { return Mapped(s, ::CharLowerBuffW); }
std::string AnsiUpperCase(const std::string& s) { return Mapped(s, ::CharUpperBuffW); }

std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n =
      ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return Utf8(wide);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  const std::wstring wide = Utf16(utf8);
  if (wide.empty()) return std::string();
  // No best fit: "Ł" must not quietly become "L".
  BOOL lossy = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
  std::string ansi(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        ansi.data(), n, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

TFileSearch::TFileSearch(const std::string& pattern, uint32_t attr)
    : exclude_(~attr & (faHidden | faSysFile | faVolumeID | faDirectory)) {
  handle_.reset(::FindFirstFileW(SystemPath(pattern).c_str(), &data_));
  found_ = handle_ && Accept();
}

bool TFileSearch::Next() {
  found_ = found_ && ::FindNextFileW(handle_.get(), &data_) && Accept();
  if (!found_) handle_.reset();
  return found_;
}

bool TFileSearch::Accept() {
  while (data_.dwFileAttributes & exclude_) {
    if (!::FindNextFileW(handle_.get(), &data_)) {
      handle_.reset();
      return false;
    }
  }
  rec_.Name = Utf8(std::wstring_view(data_.cFileName, wcsnlen(data_.cFileName, MAX_PATH)));
  rec_.Attr = data_.dwFileAttributes;
  rec_.Size = (static_cast<int64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
  return true;
}

}  // namespace fw
