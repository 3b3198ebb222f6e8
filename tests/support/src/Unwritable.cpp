#include "testsupport/Unwritable.h"

#include <gtest/gtest.h>

#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"
#include "testsupport/UnixSide.h"

namespace testsupport {
namespace {

std::wstring Sys(const std::string& path) { return fw::SystemPath(path); }

}  // namespace

Unwritable::Unwritable(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const DWORD attributes = ::GetFileAttributesW(Sys(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files_.push_back({path, attributes});
      continue;
    }
    folders_.push_back(path);
    WIN32_FIND_DATAW data;
    fw::FindHandle find(::FindFirstFileW(Sys(path + "\\*").c_str(), &data));
    if (!find) continue;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        files_.push_back(
            {path + "\\" + fw::Utf8(std::wstring_view(data.cFileName)), data.dwFileAttributes});
    } while (::FindNextFileW(find.get(), &data));
  }
  for (const Entry& file : files_)
    ::SetFileAttributesW(Sys(file.path).c_str(), file.attributes | FILE_ATTRIBUTE_READONLY);
  if (AllRefuse()) return;

  std::string errors, ignored;
  if (UnixPathOf(scratch_.Path()).empty()) {
    reason_ = "read-only files are writable here, and there is no Unix side to make them immutable";
  } else if (!Chattr("+i", errors)) {
    reason_ = "read-only files are writable here, and chattr +i failed: " + errors;
    // Some may have taken the flag before the failure.
    Chattr("-i", ignored);
  } else if (!AllRefuse()) {
    reason_ = "the file system here ignores chattr +i";
    Chattr("-i", ignored);
  } else {
    immutable_ = true;
  }
}

Unwritable::~Unwritable() {
  std::string errors;
  if (immutable_ && !Chattr("-i", errors))
    ADD_FAILURE() << "files stay immutable, chattr -i failed: " << errors;
  for (const Entry& file : files_)
    if (file.attributes != INVALID_FILE_ATTRIBUTES)
      ::SetFileAttributesW(Sys(file.path).c_str(), file.attributes);
}

bool Unwritable::AllRefuse() const {
  for (const Entry& file : files_) {
    fw::KernelHandle probe(::CreateFileW(Sys(file.path).c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) return false;
  }
  return true;
}

bool Unwritable::Chattr(const char* flag, std::string& errors) const {
  std::string script = std::string("/usr/bin/chattr ") + flag + " --";
  for (const Entry& file : files_) script += " " + ShellWord(UnixPathOf(file.path));
  for (const std::string& folder : folders_) script += " " + ShellWord(UnixPathOf(folder));
  return RunUnixScript(script, scratch_.Path(), 30000, &errors);
}

std::string Unwritable::Refusal() {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, ERROR_ACCESS_DENIED, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string words = n ? fw::Utf8(std::wstring_view(text, n)) : std::string();
  ::LocalFree(text);
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
    words.pop_back();
  return words;
}

}  // namespace testsupport
