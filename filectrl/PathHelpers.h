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

// A full path for `path` as the system would take it with `from` as the
// current directory: "C:" and "C:name" go by the directory the system keeps
// as current on that drive (`from` when it is on it), "\\NAME" by `from`'s
// drive or share; see fw::NormalizedPath.
std::string FullPath(const std::string& path, const std::string& from);

// A typed path split into its parts, each piece tested by entering it.
// `drive` is the letter, or 0 for a network path, whose share then leads
// `directory`.
struct ResolvedPath {
  char drive = 0;
  std::string directory;
  std::string file;
};

// The directory operations that ResolvePath uses; tests put a scripted file
// system in place of the real one.
class ProcessDirectory {
 public:
  virtual ~ProcessDirectory() = default;
  virtual std::string Current() = 0;
  // Raises EInOutError when the directory cannot be entered.
  virtual void Change(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

// Splits a path that may be relative, carry another drive or a share, end
// in a file name or a mask, or be a bracketed directory item ("[SYSTEM]",
// "[..]") of the file list. Raises EInOutError when a piece cannot be
// entered (a last part that is neither file, mask nor directory). `typed`
// must not be empty. The first form works on the file system from the
// directory `from` and leaves the process's current directory alone; with
// a ProcessDirectory that directory is back where it was afterwards, as long
// as it still exists.
ResolvedPath ResolvePath(const std::string& typed, const std::string& from);
ResolvedPath ResolvePath(ProcessDirectory& fs, const std::string& typed);

// Pixel height of the font's characters on the screen (tmHeight).
int FontHeight(const fw::TFont& font);

inline bool DirectoryExists(const std::string& path) { return fw::DirectoryExists(path); }

// The directory that the browsing controls show after entering `path`
// from `from` (the process's current directory when empty): its FullPath.
// Raises EInOutError with the system's reason when it is no directory one
// can enter. The process's current directory follows wherever it can hold
// the path (see fw::SetCurrentDir): deeper ones, and names with a trailing
// dot or blank, the controls keep themselves while the process stays where
// it was.
std::string EnterDirectory(const std::string& path, const std::string& from = std::string());

}  // namespace filectrl
