#include "fw/SysUtils.h"

#include <windows.h>

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
    if (n == 0) return std::string();
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
  handle_.reset(::FindFirstFileA(pattern.c_str(), &data_));
  found_ = handle_ && Accept();
}

bool TFileSearch::Next() {
  found_ = found_ && ::FindNextFileA(handle_.get(), &data_) && Accept();
  if (!found_) handle_.reset();
  return found_;
}

bool TFileSearch::Accept() {
  while (data_.dwFileAttributes & exclude_) {
    if (!::FindNextFileA(handle_.get(), &data_)) {
      handle_.reset();
      return false;
    }
  }
  rec_.Name = data_.cFileName;
  rec_.Attr = data_.dwFileAttributes;
  rec_.Size = (static_cast<int64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
  return true;
}

}  // namespace fw
