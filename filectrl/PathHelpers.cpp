#include "filectrl/PathHelpers.h"

#include <windows.h>

#include <cstring>

#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/PathStrings.h"
#include "fw/ScopeExit.h"
#include "fw/Services.h"

namespace filectrl {
namespace {

// A lower-case drive letter asks for the name in lower case. Codes above
// "z" count as lower case too, as the comparison with "a" has it.
std::string InLetterCase(char driveLetter, const std::string& text) {
  return static_cast<unsigned char>(driveLetter) >= 'a' ? fw::AnsiLowerCaseFileName(text)
                                                        : fw::AnsiUpperCaseFileName(text);
}

// Text of a zero-terminated buffer.
std::string Terminated(const char* buffer, size_t size) {
  return std::string(buffer, strnlen(buffer, size));
}

class RealDirectory final : public ProcessDirectory {
 public:
  std::string Current() override { return fw::GetCurrentDir(); }
  void Change(const std::string& path) override { fw::ChDir(path); }
  bool DirectoryExists(const std::string& path) override { return fw::DirectoryExists(path); }
  bool FileExists(const std::string& path) override { return fw::FileExists(path); }
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
  const char root[] = {driveLetter, ':', '\\', '\0'};
  char name[MAX_PATH + 1] = {};
  std::string label;
  if (fw::Drives().VolumeInformation(root, name, sizeof name, nullptr, nullptr, nullptr, nullptr,
                                     0))
    label = Terminated(name, sizeof name);
  return Bracketed(InLetterCase(driveLetter, label));
}

std::string NetworkName(char driveLetter) {
  const char local[] = {fw::AsciiUpper(driveLetter), ':', '\0'};
  char remote[MAX_PATH + 1] = {};
  DWORD length = sizeof remote;
  if (fw::Drives().NetConnection(local, remote, &length) == NO_ERROR)
    return InLetterCase(driveLetter, Terminated(remote, sizeof remote));
  return VolumeLabel(driveLetter);
}

ProcessDirectory& RealProcessDirectory() {
  static RealDirectory real;
  return real;
}

ResolvedPath ResolvePath(const std::string& typed) {
  return ResolvePath(RealProcessDirectory(), typed);
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

std::string EnterDirectory(const std::string& path) {
  const std::string from = fw::GetCurrentDir();
  fw::ChDir(path);
  try {
    return fw::GetCurrentDir();
  } catch (const fw::EInOutError&) {
    // Entered, but the system has no ANSI name for it: back to where we were.
    fw::SetCurrentDir(from);
    throw fw::EInOutError(
        "Cannot change the current directory to \"" + path + "\". The path is too long.",
        ERROR_FILENAME_EXCED_RANGE);
  }
}

int FontHeight(const fw::TFont& font) {
  fw::WindowDc screen;
  fw::SelectedObject selected(screen.get(), font.Handle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace filectrl
