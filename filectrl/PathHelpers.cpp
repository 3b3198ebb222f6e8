#include "filectrl/PathHelpers.h"

#include <windows.h>

#include <array>
#include <cstring>

#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/PathStrings.h"
#include "fw/Services.h"

namespace filectrl {
namespace {

// The system shows no "insert a disk" box while this lives; the previous
// mode comes back however the scope ends.
class QuietErrorMode {
 public:
  QuietErrorMode() : saved_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietErrorMode() { ::SetErrorMode(saved_); }
  QuietErrorMode(const QuietErrorMode&) = delete;
  QuietErrorMode& operator=(const QuietErrorMode&) = delete;

 private:
  UINT saved_;
};

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

// Puts the saved current directory back, if it still exists.
class RestoreDirectory {
 public:
  RestoreDirectory(ProcessDirectory& fs, std::string saved) : fs_(fs), saved_(std::move(saved)) {}
  ~RestoreDirectory() {
    try {
      if (!saved_.empty() && fs_.DirectoryExists(saved_)) fs_.Change(saved_);
    } catch (...) {
      // Gone between the test and the change: nothing to go back to.
    }
  }
  RestoreDirectory(const RestoreDirectory&) = delete;
  RestoreDirectory& operator=(const RestoreDirectory&) = delete;

 private:
  ProcessDirectory& fs_;
  std::string saved_;
};

}  // namespace

bool SystemLeadByte(unsigned char c) {
  static const std::array<bool, 256> lead = [] {
    std::array<bool, 256> table{};
    for (int i = 0; i < 256; ++i)
      table[static_cast<size_t>(i)] = fw::IsLeadByte(static_cast<unsigned char>(i));
    return table;
  }();
  return lead[c];
}

std::string ShortenPath(std::string_view fileName, fw::TCanvas& canvas, int maxWidth,
                        LeadByteFn isLead) {
  return ShortenPath(
      fileName, [&canvas](const std::string& text) { return canvas.TextWidth(text); }, maxWidth,
      isLead);
}

std::string VolumeLabel(char driveLetter) {
  QuietErrorMode quiet;
  const char root[] = {driveLetter, ':', '\\', '\0'};
  char name[MAX_PATH + 1] = {};
  std::string label;
  if (fw::Drives().VolumeInformation(root, name, sizeof name, nullptr, nullptr, nullptr, nullptr,
                                     0))
    label = Terminated(name, sizeof name);
  return Bracketed(InLetterCase(driveLetter, label));
}

std::string NetworkName(char driveLetter) {
  const char upper = driveLetter >= 'a' && driveLetter <= 'z'
                         ? static_cast<char>(driveLetter - 'a' + 'A')
                         : driveLetter;
  const char local[] = {upper, ':', '\0'};
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

ResolvedPath ResolvePath(const std::string& typed, LeadByteFn isLead) {
  return ResolvePath(RealProcessDirectory(), typed, isLead);
}

ResolvedPath ResolvePath(ProcessDirectory& fs, const std::string& typed, LeadByteFn isLead) {
  const std::string saved = fs.Current();
  ResolvedPath result;
  std::string dir = typed;
  std::string root;
  bool rootTyped = false;
  // "[SYSTEM]" is how the file list shows a subdirectory of the current one.
  if (typed.size() >= 2 && typed.front() == '[' && typed.back() == ']') {
    dir = typed.substr(1, typed.size() - 2);
  } else {
    root = fw::ExtractFileDrive(typed, isLead);
    rootTyped = !root.empty();
    dir.erase(0, root.size());
  }
  // A path without a drive of its own stays on the current one. That is
  // where the process already stands, so it is not entered again: entering
  // a share (\\SERVER\SHARE) would go to its root, not to the directory in
  // it. The share also leads the result of a bracketed item.
  if (!rootTyped) root = fw::ExtractFileDrive(saved, isLead);
  result.drive = root.size() >= 2 && root[1] == ':' ? root[0] : '\0';

  RestoreDirectory restore(fs, saved);
  // For C: this is the directory the system remembers as current on C.
  if (rootTyped && fs.DirectoryExists(root)) fs.Change(root);

  result.file = fw::ExtractFileName(dir, isLead);
  const size_t fileSize = result.file.size();
  if (dir.size() == fileSize + 1) {
    dir.assign(1, '\\');
  } else if (dir.size() > fileSize) {
    dir.resize(dir.size() - fileSize - 1);
  } else {
    const std::string current = fs.Current();
    dir = current.substr(fw::ExtractFileDrive(current, isLead).size());
    if (dir.empty()) dir.assign(1, '\\');
  }
  fs.Change(dir);

  const bool pattern = fw::AnsiPos("*", result.file, isLead) != std::string::npos ||
                       fw::AnsiPos("?", result.file, isLead) != std::string::npos;
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
  std::string entered = fw::GetCurrentDir();
  if (!entered.empty()) return entered;
  if (!from.empty()) fw::SetCurrentDir(from);
  throw fw::EInOutError(
      "Cannot change the current directory to \"" + path + "\". The path is too long.",
      ERROR_FILENAME_EXCED_RANGE);
}

ExactNameSearch::ExactNameSearch(const std::string& pattern, uint32_t attr)
    : exclude_(~attr & (fw::faHidden | fw::faSysFile | fw::faVolumeID | fw::faDirectory)) {
  std::wstring wide(pattern.size(), L'\0');
  wide.resize(static_cast<size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, pattern.data(), static_cast<int>(pattern.size()),
                            wide.data(), static_cast<int>(wide.size()))));
  if (wide.empty() && !pattern.empty()) return;
  handle_.reset(::FindFirstFileW(wide.c_str(), &data_));
  found_ = handle_ && Accept();
}

bool ExactNameSearch::Next() {
  found_ = found_ && ::FindNextFileW(handle_.get(), &data_) && Accept();
  if (!found_) handle_.reset();
  return found_;
}

bool ExactNameSearch::Accept() {
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

int FontHeight(const fw::TFont& font) {
  fw::WindowDc screen;
  fw::SelectedObject selected(screen.get(), font.Handle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace filectrl
