#pragma once
// A host session of the tag editor in a folder of its own, for the fault and
// abuse tests: the library loaded, the dialogs, shell and (on request) drives
// replaced by recorders, the HostMessage notices recorded, and the folder's
// whole content readable as a snapshot to prove what a failure did not write.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TagEditorSupport.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/HostWindow.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RecordingShell.h"
#include "testsupport/RegistryGuard.h"
#include "testsupport/ScriptedDrives.h"
#include "testsupport/TempDir.h"

namespace faultstest {

using tageditortest::TipWindow;

// Every entry under a directory by relative path: a file's bytes, or nothing
// for a directory.
using Tree = std::map<std::string, std::optional<std::string>>;
Tree Snapshot(const std::string& root);

// A field as written by a save: the text, then blanks to the width.
std::string Padded(std::string text, std::size_t width = 30);

class FaultSession : public testing::Test {
 protected:
  // Musik\Abendlied.mp3 and Musik\Bergfahrt.mp3 (tagged), Andere\Ersatz.mp3;
  // the folder is current, the settings value BSControl absent.
  FaultSession();

  // The host creates the tip and the user opens Musik.
  void Open();
  TipWindow& Tip() { return *tip_; }

  std::string Path(const std::string& relative) const { return temp_ / relative; }
  std::string Read(const std::string& relative) const { return temp_.ReadFile(relative); }
  std::string TitleOnDisk(const std::string& relative) const;
  std::vector<std::string> Errors() const;
  std::size_t Notices(WPARAM command) const;

  // After a failure: the user goes to Andere\Ersatz.mp3 (by the directory
  // list, from wherever the lists stand), edits and saves it with OK.
  void SaveAnotherFile();

  std::string audio_ = tageditortest::Audio();
  testsupport::RegistryGuard settings_{"SOFTWARE\\Tovrane\\Quindrel 2000"};
  testsupport::CurrentDirGuard cwd_;
  testsupport::ErrorModeGuard errorMode_;
  testsupport::TempDir temp_;
  testsupport::ScopedDialogs dialogs_;
  testsupport::ScopedShell shell_;
  // Made by a test before Open when it scripts the machine's drives.
  std::optional<testsupport::ScopedDrives> drives_;
  testsupport::HostWindow recorder_;
  moduletest::ModuleHost host_;
  std::optional<TipWindow> tip_;
};

}  // namespace faultstest
