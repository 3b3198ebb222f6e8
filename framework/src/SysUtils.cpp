#include "fw/SysUtils.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "SystemMessage.h"
#include "fw/Exceptions.h"

namespace fw {
namespace {

using CaseMap = DWORD(WINAPI*)(LPSTR, DWORD);

int Compare(const std::string& a, const std::string& b, DWORD flags) {
  int rc = ::CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size()));
  if (rc == 0) return a.compare(b);  // the locale refused; fall back to the bytes
  return rc - CSTR_EQUAL;
}

std::string Mapped(std::string s, CaseMap map) {
  if (!s.empty()) map(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

// On a double-byte system a second byte may look like a letter; map only the
// single-byte characters.
std::string MappedFileName(std::string s, CaseMap map) {
  if (!::GetSystemMetrics(SM_DBCSENABLED)) return Mapped(std::move(s), map);
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
      ++i;
    } else {
      map(&s[i], 1);
    }
  }
  return s;
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

}  // namespace

std::string GetCurrentDir() {
  std::string dir(MAX_PATH, '\0');
  for (;;) {
    DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data());
    if (n == 0) {
      // The system has no ANSI name for it (too long, for one).
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

void ChDir(const std::string& path) {
  if (!SetCurrentDir(path)) {
    DWORD code = ::GetLastError();
    throw EInOutError(
        "Cannot change the current directory to \"" + path + "\". " + detail::SystemMessage(code),
        static_cast<int>(code));
  }
}

bool SetCurrentDir(const std::string& path) { return ::SetCurrentDirectoryA(path.c_str()) != 0; }

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

std::string AnsiLowerCase(const std::string& s) { return Mapped(s, ::CharLowerBuffA); }
std::string AnsiUpperCase(const std::string& s) { return Mapped(s, ::CharUpperBuffA); }
std::string AnsiLowerCaseFileName(const std::string& s) {
  return MappedFileName(s, ::CharLowerBuffA);
}
std::string AnsiUpperCaseFileName(const std::string& s) {
  return MappedFileName(s, ::CharUpperBuffA);
}

bool IsLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != 0; }

TFileSearch::TFileSearch(const std::string& pattern, uint32_t attr)
    : exclude_(~attr & (faHidden | faSysFile | faVolumeID | faDirectory)) {
  std::wstring wide(pattern.size(), L'\0');
  wide.resize(static_cast<size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, pattern.data(), static_cast<int>(pattern.size()),
                            wide.data(), static_cast<int>(wide.size()))));
  if (wide.empty() && !pattern.empty()) return;
  handle_.reset(::FindFirstFileW(wide.c_str(), &data_));
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
  // At most two bytes a character in any ANSI code page.
  const int length = static_cast<int>(wcsnlen(data_.cFileName, MAX_PATH));
  rec_.Name.resize(static_cast<size_t>(length) * 2);
  const int capacity = static_cast<int>(rec_.Name.size());
  int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, data_.cFileName, length,
                                    rec_.Name.data(), capacity, "?", nullptr);
  // A code page that takes neither (UTF-8) has a byte form for everything.
  if (bytes == 0)
    bytes = ::WideCharToMultiByte(CP_ACP, 0, data_.cFileName, length, rec_.Name.data(), capacity,
                                  nullptr, nullptr);
  rec_.Name.resize(static_cast<size_t>(bytes));
  rec_.Attr = data_.dwFileAttributes;
  rec_.Size = (static_cast<int64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
  return true;
}

}  // namespace fw
