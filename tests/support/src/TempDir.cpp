#include "testsupport/TempDir.h"

#include <atomic>
#include <stdexcept>
#include <string>

#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace testsupport {
namespace {

std::string Join(const std::string& dir, std::string_view relative) {
  return dir + "\\" + std::string(relative);
}

// Paths are UTF-8 and go to the system in their extended form, so that
// names in any script, device names and folders of any depth come and go.
std::wstring Sys(const std::string& path) { return fw::SystemPath(path); }

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAW data;
  fw::FindHandle find(::FindFirstFileW(Sys(dir + "\\*").c_str(), &data));
  if (find) {
    do {
      std::string name = fw::Utf8(std::wstring_view(data.cFileName));
      if (name == "." || name == "..") continue;
      std::string full = Join(dir, name);
      ::SetFileAttributesW(Sys(full).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::DeleteFileW(Sys(full).c_str());
      }
    } while (::FindNextFileW(find.get(), &data));
  }
  find.reset();
  ::SetFileAttributesW(Sys(dir).c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(Sys(dir).c_str());
}

// Creates every missing directory on the way to `path`.
void MakeDirs(const std::string& path) {
  for (size_t pos = path.find('\\', 3);; pos = path.find('\\', pos + 1)) {
    std::string part = path.substr(0, pos);
    ::CreateDirectoryW(Sys(part).c_str(), nullptr);
    if (pos == std::string::npos) break;
  }
}

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error("TempDir: " + what + " (error " + std::to_string(::GetLastError()) +
                           ")");
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  char temp[MAX_PATH + 1];
  DWORD n = ::GetTempPathA(sizeof temp, temp);
  if (n == 0 || n > MAX_PATH) Fail("no temp directory");
  std::string base(temp, n);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  for (int attempt = 0;; ++attempt) {
    std::string candidate = base + "\\fwtest-" + std::to_string(::GetCurrentProcessId()) + "-" +
                            std::to_string(counter++) + "-" + std::to_string(::GetTickCount());
    if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate;
      break;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS || attempt > 100)
      Fail("cannot create " + candidate);
  }
  // The temp path may come in short form; tests compare with the current
  // directory, which the system reports in the form it was set.
  char longPath[MAX_PATH];
  n = ::GetLongPathNameA(path_.c_str(), longPath, sizeof longPath);
  if (n > 0 && n < sizeof longPath) path_.assign(longPath, n);
}

TempDir::~TempDir() {
  // A directory in use as the current one cannot be removed; step out to
  // its parent (a CurrentDirGuard made before this object puts it back).
  const std::string current = fw::GetCurrentDir();
  if (current.size() >= path_.size() &&
      fw::AnsiCompareFileName(current.substr(0, path_.size()), path_) == 0 &&
      (current.size() == path_.size() || current[path_.size()] == '\\'))
    fw::SetCurrentDir(path_.substr(0, path_.rfind('\\')));
  RemoveTree(path_);
}

std::string TempDir::operator/(std::string_view relative) const { return Join(path_, relative); }

std::string TempDir::WriteFile(std::string_view relative, std::string_view bytes) const {
  std::string full = Join(path_, relative);
  size_t slash = full.rfind('\\');
  if (slash > path_.size()) MakeDirs(full.substr(0, slash));
  ::SetFileAttributesW(Sys(full).c_str(), FILE_ATTRIBUTE_NORMAL);
  fw::KernelHandle file(::CreateFileW(Sys(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("cannot create " + full);
  DWORD written = 0;
  if (!bytes.empty() && (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                         written != bytes.size()))
    Fail("cannot write " + full);
  return full;
}

std::string TempDir::MakeDir(std::string_view relative) const {
  std::string full = Join(path_, relative);
  MakeDirs(full);
  DWORD a = ::GetFileAttributesW(Sys(full).c_str());
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
    Fail("cannot create " + full);
  return full;
}

std::string TempDir::ReadFile(std::string_view relative) const {
  std::string full = Join(path_, relative);
  fw::KernelHandle file(::CreateFileW(Sys(full).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("cannot open " + full);
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  return bytes;
}

void TempDir::SetAttributes(std::string_view relative, DWORD attributes) const {
  std::string full = Join(path_, relative);
  if (!::SetFileAttributesW(Sys(full).c_str(), attributes))
    Fail("cannot set attributes of " + full);
}

}  // namespace testsupport
