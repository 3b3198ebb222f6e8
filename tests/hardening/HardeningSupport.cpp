#include "HardeningSupport.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

#include "fw/FileStream.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"

namespace hardening {
namespace {

// The form that "\\?\" gives a full path: no length limit, no parsing.
std::wstring Verbatim(const std::wstring& path) {
  return path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
}

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " (error " + std::to_string(::GetLastError()) + ")");
}

struct ChangeNotificationTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindCloseChangeNotification(h); }
};
using ChangeNotification = fw::UniqueHandle<HANDLE, ChangeNotificationTraits>;

}  // namespace

Host::Host() : form_(fw::MakeOwned<fw::TForm>()) { form_->SetBounds(30, 30, 520, 420); }

std::wstring Wide(std::string_view ansi) {
  if (ansi.empty()) return std::wstring();
  const int n =
      ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return wide;
}

void MakeDirW(const std::wstring& path) {
  if (!::CreateDirectoryW(Verbatim(path).c_str(), nullptr) &&
      ::GetLastError() != ERROR_ALREADY_EXISTS)
    Fail("cannot make a directory");
}

void WriteFileW(const std::wstring& path, std::string_view bytes) {
  fw::KernelHandle file(::CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("cannot create a file");
  DWORD written = 0;
  if (!bytes.empty() &&
      !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    Fail("cannot write a file");
}

void EmptyDirW(const std::wstring& path) {
  const std::wstring dir = Verbatim(path);
  WIN32_FIND_DATAW data;
  fw::FindHandle find(::FindFirstFileW((dir + L"\\*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring full = dir + L"\\" + name;
    ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      EmptyDirW(full);
      ::RemoveDirectoryW(full.c_str());
    } else {
      ::DeleteFileW(full.c_str());
    }
  } while (::FindNextFileW(find.get(), &data));
}

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
  char* unix = toUnix(Wide(windowsPath).c_str());
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
