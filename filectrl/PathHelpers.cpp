#include "filectrl/PathHelpers.h"

#include <windows.h>

#include <cwchar>
#include <utility>

#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/PathStrings.h"
#include "fw/ScopeExit.h"
#include "fw/Services.h"
#include "fw/Unicode.h"

namespace filectrl {
namespace {

// A lower-case drive letter asks for the name in lower case. Codes above
// "z" count as lower case too, as the comparison with "a" has it.
std::string InLetterCase(char driveLetter, const std::string& text) {
  return static_cast<unsigned char>(driveLetter) >= 'a' ? fw::AnsiLowerCase(text)
                                                        : fw::AnsiUpperCase(text);
}

// Text of a zero-terminated buffer.
std::string Terminated(const wchar_t* buffer, size_t size) {
  return fw::Utf8(std::wstring_view(buffer, wcsnlen(buffer, size)));
}

bool IsDriveLetter(char c) { return fw::AsciiUpper(c) >= 'A' && fw::AsciiUpper(c) <= 'Z'; }

// The directory the system keeps as current on a drive (the root when there
// is none yet); the process's own when it stands on that drive.
std::string DriveDirectory(char letter) {
  const wchar_t drive[] = {static_cast<wchar_t>(letter), L':', L'\0'};
  wchar_t buffer[MAX_PATH];
  const DWORD n = ::GetFullPathNameW(drive, MAX_PATH, buffer, nullptr);
  if (n == 0 || n >= MAX_PATH) return std::string{letter, ':', '\\'};
  return fw::Utf8(std::wstring_view(buffer, n));
}

// ResolvePath's directory operations on paths alone, starting from a
// directory of the caller's: the process's current directory is neither read
// nor changed, so a directory deeper than it can hold resolves as any other.
class PathDirectory final : public ProcessDirectory {
 public:
  explicit PathDirectory(std::string start) : current_(std::move(start)) {}
  std::string Current() override { return current_; }
  void Change(const std::string& path) override {
    const std::string full = FullPath(path, current_);
    // The system's reason when it is not a directory one can enter.
    if (!fw::DirectoryExists(full)) fw::ChDir(full);
    current_ = full;
  }
  bool DirectoryExists(const std::string& path) override {
    return fw::DirectoryExists(FullPath(path, current_));
  }
  bool FileExists(const std::string& path) override {
    return fw::FileExists(FullPath(path, current_));
  }

 private:
  std::string current_;
};

}  // namespace

std::string ShortenPath(std::string_view fileName, fw::TCanvas& canvas, int maxWidth) {
  return ShortenPath(
      fileName, [&canvas](const std::string& text) { return canvas.TextWidth(text); }, maxWidth);
}

std::string VolumeLabel(char driveLetter) {
  // No "insert a disk" box; the previous mode comes back however this ends.
  const UINT savedMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  fw::ScopeExit restoreMode([savedMode] { ::SetErrorMode(savedMode); });
  const wchar_t root[] = {static_cast<wchar_t>(driveLetter), L':', L'\\', L'\0'};
  wchar_t name[MAX_PATH + 1] = {};
  std::string label;
  if (fw::Drives().VolumeInformation(root, name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                     0))
    label = Terminated(name, MAX_PATH + 1);
  return Bracketed(InLetterCase(driveLetter, label));
}

std::string NetworkName(char driveLetter) {
  const wchar_t local[] = {static_cast<wchar_t>(fw::AsciiUpper(driveLetter)), L':', L'\0'};
  wchar_t remote[MAX_PATH + 1] = {};
  DWORD length = MAX_PATH + 1;
  if (fw::Drives().NetConnection(local, remote, &length) == NO_ERROR)
    return InLetterCase(driveLetter, Terminated(remote, MAX_PATH + 1));
  return VolumeLabel(driveLetter);
}

std::string FullPath(const std::string& path, const std::string& from) {
  const bool onDrive = path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0]);
  std::string full;
  if (path.starts_with("\\\\") || (onDrive && path.size() >= 3 && path[2] == '\\')) {
    full = path;
  } else if (onDrive) {
    // C: or C:name: from the directory current on that drive.
    const bool sameDrive =
        from.size() >= 2 && from[1] == ':' && fw::AsciiUpper(from[0]) == fw::AsciiUpper(path[0]);
    const std::string base = sameDrive ? from : DriveDirectory(path[0]);
    full = path.size() == 2 ? base : JoinPath(base, path.substr(2));
  } else if (path.starts_with("\\")) {
    full = fw::ExtractFileDrive(from) + path;
  } else {
    full = JoinPath(from, path);
  }
  return fw::NormalizedPath(full);
}

ResolvedPath ResolvePath(const std::string& typed, const std::string& from) {
  PathDirectory fs(from);
  return ResolvePath(fs, typed);
}

ResolvedPath ResolvePath(ProcessDirectory& fs, const std::string& typed) {
  const std::string saved = fs.Current();
  ResolvedPath result;
  std::string dir = typed;
  std::string root;
  bool rootTyped = false;
  // "[SYSTEM]" is how the file list shows a subdirectory of the current one.
  if (typed.size() >= 2 && typed.front() == '[' && typed.back() == ']') {
    dir = typed.substr(1, typed.size() - 2);
  } else {
    root = fw::ExtractFileDrive(typed);
    rootTyped = !root.empty();
    dir.erase(0, root.size());
  }
  // A path without a drive of its own stays on the current one. That is
  // where the process already stands, so it is not entered again: entering
  // a share (\\SERVER\SHARE) would go to its root, not to the directory in
  // it. The share also leads the result of a bracketed item.
  if (!rootTyped) root = fw::ExtractFileDrive(saved);
  result.drive = root.size() >= 2 && root[1] == ':' ? root[0] : '\0';

  // The saved current directory comes back, if it still exists.
  fw::ScopeExit restore([&fs, &saved] {
    try {
      if (!saved.empty() && fs.DirectoryExists(saved)) fs.Change(saved);
    } catch (...) {
      // Gone between the test and the change: nothing to go back to.
    }
  });
  // For C: this is the directory the system remembers as current on C.
  if (rootTyped && fs.DirectoryExists(root)) fs.Change(root);

  result.file = fw::ExtractFileName(dir);
  const size_t fileSize = result.file.size();
  if (dir.size() == fileSize + 1) {
    dir.assign(1, '\\');
  } else if (dir.size() > fileSize) {
    dir.resize(dir.size() - fileSize - 1);
  } else {
    const std::string current = fs.Current();
    dir = current.substr(fw::ExtractFileDrive(current).size());
    if (dir.empty()) dir.assign(1, '\\');
  }
  fs.Change(dir);

  const bool pattern = result.file.find_first_of("*?") != std::string::npos;
  if (!result.file.empty() && !pattern && !fs.FileExists(result.file)) {
    // Not a file: a subdirectory, or the change raises.
    fs.Change(result.file);
    if (dir != "\\") dir += '\\';
    dir += result.file;
    result.file.clear();
  }
  if (result.drive == '\0') dir = root + dir;
  result.directory = std::move(dir);
  return result;
}

std::string EnterDirectory(const std::string& path, const std::string& from) {
  const std::string full = FullPath(path, from.empty() ? fw::GetCurrentDir() : from);
  // The system's reason when it is not a directory one can enter.
  if (!fw::DirectoryExists(full)) fw::ChDir(full);
  fw::SetCurrentDir(full);
  return full;
}

int FontHeight(const fw::TFont& font) {
  fw::WindowDc screen;
  fw::SelectedObject selected(screen.get(), font.Handle());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace filectrl
