#include "testsupport/UnixSide.h"

#include <algorithm>

#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace testsupport {
namespace {

struct ChangeNotificationTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindCloseChangeNotification(h); }
};
using ChangeNotification = fw::UniqueHandle<HANDLE, ChangeNotificationTraits>;

std::string ReadAll(const std::string& path) {
  fw::KernelHandle file(::CreateFileW(fw::Utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  char* unix = toUnix(fw::Utf16(windowsPath).c_str());
  if (!unix) return std::string();
  std::string result(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

std::string ShellWord(const std::string& unixPath) {
  std::string word = "'";
  for (char c : unixPath) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

bool RunUnixScript(const std::string& script, const std::string& scratch, DWORD timeoutMs,
                   std::string* errors) {
  const std::string unixScratch = UnixPathOf(scratch);
  if (unixScratch.empty()) return false;
  static int counter = 0;
  const std::string marker = "unix-done-" + std::to_string(counter++);
  // The error output is written under a name of its own and renamed when
  // the script is over, so that the marker appears complete.
  const std::string out = ShellWord(unixScratch + "/" + marker + ".out");
  const std::string command = "/bin/sh -c \"(" + script + ") 2>" + out + " && mv " + out + " " +
                              ShellWord(unixScratch + "/" + marker) + " || mv " + out + " " +
                              ShellWord(unixScratch + "/" + marker + ".failed") + "\"";
  // Woken by each name that appears in the scratch directory (made before
  // the script starts, so none is missed); should a notice go astray, the
  // markers are looked at again after a second.
  ChangeNotification changes(::FindFirstChangeNotificationW(fw::Utf16(scratch).c_str(), FALSE,
                                                            FILE_NOTIFY_CHANGE_FILE_NAME));
  if (!changes) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Wide, so that names outside the code page reach the script as they are.
  std::wstring wide = fw::Utf16(command);
  if (!::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return false;
  fw::UniqueHandle<HANDLE, fw::NullableHandleTraits> started(process.hProcess),
      thread(process.hThread);
  const std::string done = scratch + "\\" + marker;
  for (const DWORD start = ::GetTickCount();;) {
    if (fw::FileExists(done)) {
      ::DeleteFileW(fw::Utf16(done).c_str());
      return true;
    }
    if (fw::FileExists(done + ".failed")) {
      if (errors) {
        *errors = ReadAll(done + ".failed");
        while (!errors->empty() && errors->back() == '\n') errors->pop_back();
      }
      ::DeleteFileW(fw::Utf16(done + ".failed").c_str());
      return false;
    }
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= timeoutMs) {
      if (errors) *errors = "the script did not end within " + std::to_string(timeoutMs) + " ms";
      return false;
    }
    const DWORD slice = std::min<DWORD>(timeoutMs - waited, 1000);
    if (::WaitForSingleObject(changes.get(), slice) == WAIT_OBJECT_0)
      ::FindNextChangeNotification(changes.get());
  }
}

}  // namespace testsupport
