#pragma once
// The path functions that the browsing controls share, with the system
// behind them: the process's current directory, volume labels, network
// connections (through the drive service) and text metrics. The string
// work is PathAlgo's.
#include <cstdint>
#include <string>
#include <string_view>

#include "filectrl/PathAlgo.h"
#include "fw/Canvas.h"
#include "fw/Font.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"

namespace filectrl {

// The "[%s]" form of volume labels and of directory items in the file list.
inline std::string Bracketed(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 2);
  result += '[';
  result += text;
  result += ']';
  return result;
}

// ShortenPath measured with the canvas' current font.
std::string ShortenPath(std::string_view fileName, fw::TCanvas& canvas, int maxWidth);

// "[label]" of a drive's volume, in the letter's case ("[system]" for c,
// "[SYSTEM]" for C); "[]" when it has none or cannot be read. No critical-
// error box is shown for a drive without a medium.
std::string VolumeLabel(char driveLetter);

// The remote name of a connected network drive (\\server\share for e, in
// the letter's case), else VolumeLabel of the letter.
std::string NetworkName(char driveLetter);

// A typed path split into its parts, each piece tested by making it the
// current directory. `drive` is the letter, or 0 for a network path, whose
// share then leads `directory`.
struct ResolvedPath {
  char drive = 0;
  std::string directory;
  std::string file;
};

// The process directory operations that ResolvePath uses; tests put a
// scripted file system in place of the real one.
class ProcessDirectory {
 public:
  virtual ~ProcessDirectory() = default;
  virtual std::string Current() = 0;
  // Raises EInOutError when the directory cannot be made current.
  virtual void Change(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};
ProcessDirectory& RealProcessDirectory();

// Splits a path that may be relative, carry another drive or a share, end
// in a file name or a mask, or be a bracketed directory item ("[SYSTEM]",
// "[..]") of the file list. Raises EInOutError when a piece cannot be
// entered (a last part that is neither file, mask nor directory); the
// current directory is back where it was afterwards in every case, as long
// as it still exists. `typed` must not be empty.
ResolvedPath ResolvePath(const std::string& typed);
ResolvedPath ResolvePath(ProcessDirectory& fs, const std::string& typed);

// Pixel height of the font's characters on the screen (tmHeight).
int FontHeight(const fw::TFont& font);

inline bool DirectoryExists(const std::string& path) { return fw::DirectoryExists(path); }

// Makes the path the process's current directory and answers the directory
// as the system reports it. Raises EInOutError when it cannot be entered, and
// also when it can but not be reported: Wine enters a path one character
// longer than an ANSI buffer of MAX_PATH holds and then reports the current
// directory as empty. The process goes back to where it stood then.
std::string EnterDirectory(const std::string& path);

// Whether a listed name stands for no name that the ANSI calls can reach:
// it holds a character the code page lacks, shown as "?".
inline bool UnreachableName(std::string_view name) {
  return name.find_first_of("?*") != std::string_view::npos;
}

}  // namespace filectrl
