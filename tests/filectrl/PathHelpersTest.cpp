// The path functions with the system behind them: shortening measured on a
// real canvas, typed paths resolved against real directories (and against a
// scripted share, which Wine cannot serve), volume labels and network names
// of a scripted machine, and font heights from the screen's metrics.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "filectrl/PathHelpers.h"
#include "fw/Canvas.h"
#include "fw/Exceptions.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/ScriptedDrives.h"
#include "testsupport/TempDir.h"

namespace {

using filectrl::ResolvedPath;

// --- ShortenPath on a canvas -----------------------------------------------

class ShortenOnCanvas : public testing::Test {
 protected:
  ShortenOnCanvas() { canvas.Font().SetHeight(-13); }
  int Width(const std::string& s) { return canvas.TextWidth(s); }
  // The result for any room is the first stage that fits it (the last one
  // when none does). Stages need not narrow: a share's first one widens.
  void ExpectStages(const std::string& path, const std::vector<std::string>& stages) {
    auto firstFitting = [&](int room) {
      for (const std::string& stage : stages)
        if (Width(stage) <= room) return stage;
      return stages.back();
    };
    for (const std::string& stage : stages) {
      SCOPED_TRACE(stage);
      for (int room : {Width(stage), Width(stage) - 1})
        EXPECT_EQ(filectrl::ShortenPath(path, canvas, room), firstFitting(room));
    }
    // The last part is never cut, however narrow the room.
    EXPECT_EQ(filectrl::ShortenPath(path, canvas, 0), stages.back());
  }
  fw::ScreenCanvas canvas;
};

TEST_F(ShortenOnCanvas, DrivePathLosesDirectoriesThenTheDrive) {
  ExpectStages("C:\\WINDOWS\\SYSTEM\\COLOR",
               {"C:\\WINDOWS\\SYSTEM\\COLOR", "C:\\...\\SYSTEM\\COLOR", "C:\\...\\COLOR",
                "...\\COLOR", "COLOR"});
}

TEST_F(ShortenOnCanvas, NetworkPathLosesServerAndShareLikeDirectories) {
  ExpectStages("\\\\SERVER\\SHARE\\A\\B",
               {"\\\\SERVER\\SHARE\\A\\B", "\\...\\SERVER\\SHARE\\A\\B", "\\...\\SHARE\\A\\B",
                "\\...\\A\\B", "\\...\\B", "...\\B", "B"});
}

TEST_F(ShortenOnCanvas, RootShrinksToItsDriveThenToNothing) {
  EXPECT_EQ(filectrl::ShortenPath("C:\\", canvas, Width("C:\\")), "C:\\");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", canvas, Width("C:")), "C:");
  EXPECT_EQ(filectrl::ShortenPath("C:\\", canvas, Width("C:") - 1), "");
}

TEST_F(ShortenOnCanvas, MeasuresWithTheCanvasFont) {
  const std::string path = "C:\\WINDOWS\\SYSTEM\\COLOR";
  const int room = Width(path);
  canvas.Font().SetHeight(-26);
  EXPECT_NE(filectrl::ShortenPath(path, canvas, room), path);
}

// --- ResolvePath on real directories -----------------------------------------

class ResolveReal : public testing::Test {
 protected:
  ResolveReal() {
    windows = temp.MakeDir("WINDOWS");
    temp.MakeDir("WINDOWS\\SYSTEM");
    temp.WriteFile("WINDOWS\\song.mp3", "ID3");
    fw::ChDir(windows);
    drive = windows[0];
    below = windows.substr(2);  // \...\WINDOWS
  }
  ResolvedPath Resolve(const std::string& typed) {
    ResolvedPath r = filectrl::ResolvePath(typed, fw::GetCurrentDir());
    EXPECT_EQ(fw::GetCurrentDir(), windows) << "after " << typed;
    return r;
  }

  testsupport::CurrentDirGuard cwd;
  testsupport::TempDir temp;
  std::string windows, below;
  char drive = 0;
};

TEST_F(ResolveReal, SplitsEveryKindOfTypedPath) {
  struct Case {
    std::string typed;
    std::string directory;
    std::string file;
  };
  const std::vector<Case> cases = {
      {windows + "\\SYSTEM", below + "\\SYSTEM", ""},
      {windows + "\\*.mp3", below, "*.mp3"},
      {windows + "\\song.mp3", below, "song.mp3"},
      {windows + "\\", below, ""},
      {std::string(1, drive) + ":\\", "\\", ""},
      {"[SYSTEM]", below + "\\SYSTEM", ""},
      {"[..]", below + "\\..", ""},
      {"song.mp3", below, "song.mp3"},
      {"SYSTEM", below + "\\SYSTEM", ""},
      {"s?ng.*", below, "s?ng.*"},
      {below + "\\SYSTEM", below + "\\SYSTEM", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ResolvedPath r = Resolve(c.typed);
    EXPECT_EQ(r.drive, drive);
    EXPECT_EQ(r.directory, c.directory);
    EXPECT_EQ(r.file, c.file);
  }
}

TEST_F(ResolveReal, FailureRaisesAndLeavesTheCurrentDirectory) {
  for (const std::string& typed : {windows + "\\missing", std::string("[missing]"),
                                   windows + "\\nodir\\song.mp3", std::string("missing.mp3")}) {
    SCOPED_TRACE(typed);
    EXPECT_THROW(filectrl::ResolvePath(typed, windows), fw::EInOutError);
    EXPECT_EQ(fw::GetCurrentDir(), windows);
  }
}

// --- ResolvePath on a scripted share ------------------------------------------

// Directories and files by full path, a current directory and the one the
// system remembers per drive, with the system's rules for relative, rooted,
// drive-relative and share paths.
class ScriptedDirectory : public filectrl::ProcessDirectory {
 public:
  std::string current;
  std::set<std::string> dirs, files;
  std::map<char, std::string> remembered;

  std::string Current() override { return current; }
  void Change(const std::string& path) override {
    std::string full = Full(path);
    if (!dirs.count(full)) throw fw::EInOutError("Cannot change to " + path, 3);
    current = full;
    if (full[1] == ':') remembered[full[0]] = full;
  }
  bool DirectoryExists(const std::string& path) override { return dirs.count(Full(path)) > 0; }
  bool FileExists(const std::string& path) override { return files.count(Full(path)) > 0; }

 private:
  static std::string RootOf(const std::string& path) {
    if (path.starts_with("\\\\")) {
      size_t share = path.find('\\', 2);
      return path.substr(0, path.find('\\', share + 1));
    }
    return path.substr(0, 2);
  }
  std::string Full(const std::string& path) const {
    std::string root, rest;
    if (path.starts_with("\\\\")) {
      root = RootOf(path);
      rest = path.substr(root.size());
    } else if (path.size() >= 2 && path[1] == ':') {
      root = path.substr(0, 2);
      rest = path.substr(2);
      if (rest.empty() || rest[0] != '\\') {
        auto it = remembered.find(path[0]);
        std::string base = it == remembered.end() ? root + "\\" : it->second;
        rest = base.substr(2) + "\\" + rest;
      }
    } else {
      root = RootOf(current);
      rest = path.starts_with("\\") ? path : current.substr(root.size()) + "\\" + path;
    }
    std::vector<std::string> parts;
    for (size_t start = 0; start <= rest.size();) {
      size_t end = rest.find('\\', start);
      if (end == std::string::npos) end = rest.size();
      std::string part = rest.substr(start, end - start);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      start = end + 1;
    }
    std::string full = root;
    for (const std::string& part : parts) full += "\\" + part;
    return parts.empty() ? full + "\\" : full;
  }
};

class ResolveOnShare : public testing::Test {
 protected:
  ResolveOnShare() {
    fs.dirs = {"C:\\", "C:\\WINDOWS", "\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE\\DIR",
               "\\\\SERVER\\SHARE\\DIR\\SUB"};
    fs.files = {"\\\\SERVER\\SHARE\\DIR\\song.mp3"};
  }
  ResolvedPath Resolve(const std::string& from, const std::string& typed) {
    fs.current = from;
    ResolvedPath r = filectrl::ResolvePath(fs, typed);
    EXPECT_EQ(fs.current, from) << "after " << typed;
    return r;
  }
  ScriptedDirectory fs;
};

TEST_F(ResolveOnShare, ShareLeadsTheDirectoryAndHasNoDriveLetter) {
  struct Case {
    std::string from, typed, directory, file;
  };
  const std::vector<Case> cases = {
      {"C:\\WINDOWS", "\\\\SERVER\\SHARE\\DIR", "\\\\SERVER\\SHARE\\DIR", ""},
      {"C:\\WINDOWS", "\\\\SERVER\\SHARE\\DIR\\song.mp3", "\\\\SERVER\\SHARE\\DIR", "song.mp3"},
      {"C:\\WINDOWS", "\\\\SERVER\\SHARE\\*.mp3", "\\\\SERVER\\SHARE\\", "*.mp3"},
      // Names typed while the share is current are taken from the directory
      // in it, not from the share's root.
      {"\\\\SERVER\\SHARE\\DIR", "song.mp3", "\\\\SERVER\\SHARE\\DIR", "song.mp3"},
      {"\\\\SERVER\\SHARE\\DIR", "SUB", "\\\\SERVER\\SHARE\\DIR\\SUB", ""},
      {"\\\\SERVER\\SHARE\\DIR", "[SUB]", "\\\\SERVER\\SHARE\\DIR\\SUB", ""},
      {"\\\\SERVER\\SHARE\\DIR", "\\DIR\\SUB", "\\\\SERVER\\SHARE\\DIR\\SUB", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from + " + " + c.typed);
    ResolvedPath r = Resolve(c.from, c.typed);
    EXPECT_EQ(r.drive, '\0');
    EXPECT_EQ(r.directory, c.directory);
    EXPECT_EQ(r.file, c.file);
  }
}

TEST_F(ResolveOnShare, DriveTypedFromAShareGoesToTheRememberedDirectory) {
  fs.remembered['C'] = "C:\\WINDOWS";
  ResolvedPath r = Resolve("\\\\SERVER\\SHARE\\DIR", "C:");
  EXPECT_EQ(r.drive, 'C');
  EXPECT_EQ(r.directory, "\\WINDOWS");
  EXPECT_EQ(r.file, "");
  EXPECT_THROW(Resolve("\\\\SERVER\\SHARE\\DIR", "[NONE]"), fw::EInOutError);
  EXPECT_EQ(fs.current, "\\\\SERVER\\SHARE\\DIR");
}

// --- Volume labels and network names --------------------------------------------

// The example machine: removable A, fixed C labelled SYSTEM, a CD-ROM D
// without a disc, E connected to \\SERVER\SHARE. Each volume query notes
// the error mode it ran under.
class ModeNotingDrives : public testsupport::ScriptedDrives {
 public:
  BOOL VolumeInformation(const wchar_t* root, wchar_t* volumeName, DWORD volumeNameSize,
                         DWORD* serial, DWORD* maxComponentLength, DWORD* flags, wchar_t* fsName,
                         DWORD fsNameSize) override {
    UINT mode = ::SetErrorMode(0);
    ::SetErrorMode(mode);
    Modes.push_back(mode);
    return ScriptedDrives::VolumeInformation(root, volumeName, volumeNameSize, serial,
                                             maxComponentLength, flags, fsName, fsNameSize);
  }
  std::vector<UINT> Modes;
};
using ScopedModeNotingDrives =
    testsupport::Installed<ModeNotingDrives, fw::DriveService, &fw::SetDriveService>;

class Volumes : public testing::Test {
 protected:
  Volumes() : errorMode(SEM_NOGPFAULTERRORBOX) {
    drives->Drive('A').type = DRIVE_REMOVABLE;
    drives->Drive('C').label = "SYSTEM";
    drives->Drive('D').type = DRIVE_CDROM;
    drives->Drive('D').notReady = true;
    drives->Drive('E').type = DRIVE_REMOTE;
    drives->Drive('E').label = "Data";
    drives->Drive('E').remoteName = "\\\\SERVER\\Share";
  }
  testsupport::ErrorModeGuard errorMode;
  ScopedModeNotingDrives drives;
};

TEST_F(Volumes, LabelFollowsTheLetterCaseAndFallsBackToEmptyBrackets) {
  const std::vector<std::pair<char, std::string>> cases = {
      {'c', "[system]"}, {'C', "[SYSTEM]"}, {'e', "[data]"}, {'E', "[DATA]"},
      {'a', "[]"},       {'D', "[]"},       {'Q', "[]"},
  };
  for (const auto& [letter, label] : cases) {
    SCOPED_TRACE(std::string(1, letter));
    EXPECT_EQ(filectrl::VolumeLabel(letter), label);
  }
  EXPECT_EQ(drives->Log.front(), "VolumeInformation c:\\");
}

TEST_F(Volumes, NoCriticalErrorBoxDuringTheQueryAndTheModeComesBack) {
  filectrl::VolumeLabel('D');
  filectrl::VolumeLabel('C');
  EXPECT_EQ(drives->Modes, (std::vector<UINT>{SEM_FAILCRITICALERRORS, SEM_FAILCRITICALERRORS}));
  UINT now = ::SetErrorMode(0);
  ::SetErrorMode(now);
  EXPECT_EQ(now, static_cast<UINT>(SEM_NOGPFAULTERRORBOX));
}

TEST_F(Volumes, NetworkNameIsTheRemoteNameInTheLetterCase) {
  const std::vector<std::pair<char, std::string>> cases = {
      {'e', "\\\\server\\share"},
      {'E', "\\\\SERVER\\SHARE"},
      // Not connected: the bracketed volume label.
      {'c', "[system]"},
      {'D', "[]"},
      {'Q', "[]"},
  };
  for (const auto& [letter, name] : cases) {
    SCOPED_TRACE(std::string(1, letter));
    EXPECT_EQ(filectrl::NetworkName(letter), name);
  }
  // The local name is asked for in upper case.
  EXPECT_EQ(drives->Log.front(), "NetConnection E:");
}

// --- Font height -----------------------------------------------------------------

TEST(FontHeight, IsTheCellHeightOnTheScreen) {
  fw::TFont font;
  font.SetHeight(20);  // positive: the cell height itself
  EXPECT_EQ(filectrl::FontHeight(font), 20);
  font.SetHeight(-20);  // negative: the characters, so the cell is taller
  EXPECT_GT(filectrl::FontHeight(font), 20);
  font.SetHeight(-8);
  EXPECT_LT(filectrl::FontHeight(font), 20);
}

}  // namespace
