#include "HardeningSupport.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "fw/FileStream.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace hardening {
namespace {

struct ChangeNotificationTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindCloseChangeNotification(h); }
};
using ChangeNotification = fw::UniqueHandle<HANDLE, ChangeNotificationTraits>;

}  // namespace

Host::Host() : form_(fw::MakeOwned<fw::TForm>()) { form_->SetBounds(30, 30, 520, 420); }

std::string ReadThroughStream(const std::string& path) {
  auto read = std::make_shared<std::packaged_task<std::string()>>([path] {
    try {
      fw::TFileStream stream(path, fw::fmOpenRead | fw::fmShareDenyNone);
      std::string bytes(static_cast<size_t>(stream.Size()), '\0');
      stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
      return bytes;
    } catch (const std::exception& e) {
      return "<error: " + std::string(e.what()) + ">";
    }
  });
  std::future<std::string> bytes = read->get_future();
  // Left to itself if it hangs: the process ends it.
  std::thread([read] { (*read)(); }).detach();
  if (bytes.wait_for(std::chrono::seconds(5)) != std::future_status::ready) return "<no answer>";
  return bytes.get();
}

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

bool RunUnixScript(const std::string& script, const std::string& scratch, DWORD timeoutMs) {
  const std::string unixScratch = UnixPathOf(scratch);
  if (unixScratch.empty()) return false;
  static int counter = 0;
  const std::string marker = "unix-done-" + std::to_string(counter++);
  std::string command = "/bin/sh -c \"(" + script + ") && touch '" + unixScratch + "/" + marker +
                        "' || touch '" + unixScratch + "/" + marker + ".failed'\"";
  // Woken by each name that appears in the scratch directory (made before
  // the script starts, so none is missed); should a notice go astray, the
  // markers are looked at again after a second.
  ChangeNotification changes(
      ::FindFirstChangeNotificationA(scratch.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  if (!changes) return false;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return false;
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  const std::string done = scratch + "\\" + marker;
  for (const DWORD start = ::GetTickCount();;) {
    if (fw::FileExists(done)) {
      ::DeleteFileA(done.c_str());
      return true;
    }
    if (fw::FileExists(done + ".failed")) {
      ::DeleteFileA((done + ".failed").c_str());
      return false;
    }
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= timeoutMs) return false;
    const DWORD slice = std::min<DWORD>(timeoutMs - waited, 1000);
    if (::WaitForSingleObject(changes.get(), slice) == WAIT_OBJECT_0)
      ::FindNextChangeNotification(changes.get());
  }
}

}  // namespace hardening
