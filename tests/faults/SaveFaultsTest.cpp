// What happens to the file between its selection and the save: it shrinks,
// loses its tag, vanishes, turns into a directory, becomes read-only or is
// held open; its directory vanishes, moves or turns read-only (a share or a
// CD); or the user picks a drive that is not ready. Each save must fail
// plainly, the same way each time, write nothing anywhere, keep the edit and
// tell the host that nothing was saved, and the window must go on.
// And a program elsewhere that stops answering must not hold up a save.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "FaultSession.h"
#include "fw/ComboBox.h"
#include "fw/Exceptions.h"
#include "fw/Handle.h"
#include "fw/ScopeExit.h"
#include "fw/SysUtils.h"
#include "testsupport/FileHolder.h"
#include "testsupport/UnixSide.h"
#include "testsupport/Unwritable.h"
#include "testsupport/UserInput.h"

namespace faultstest {
namespace {

using testsupport::FileHolder;
using testsupport::Unwritable;
using Texts = std::vector<std::string>;

enum class Fault {
  Emptied,
  Truncated,
  TagStripped,
  GrownPastTheTag,
  Deleted,
  ReplacedByDirectory,
  ReadOnly,
  FolderReadOnly,
  HeldExclusively,
  HeldShared,
  HeldHere,
  DirectoryRemoved,
  DirectoryRenamed,
};

struct FaultCase {
  const char* name;
  Fault fault;
  // Part of the error box's text.
  const char* error;
  // Raised as the refusal to write into a file without a tag, not as the
  // failure to open it.
  bool noTag;
};

// The entries that differ between two snapshots.
Texts Differences(const Tree& a, const Tree& b) {
  Texts paths;
  for (const auto& [path, bytes] : a) {
    auto other = b.find(path);
    if (other == b.end() || other->second != bytes) paths.push_back(path);
  }
  for (const auto& [path, bytes] : b)
    if (!a.count(path)) paths.push_back(path + " (new)");
  return paths;
}

class SaveFaults : public FaultSession, public testing::WithParamInterface<FaultCase> {
 protected:
  static constexpr char kFile[] = "Musik\\Abendlied.mp3";

  // Does the fault to the selected file or its directory and answers the
  // folder as the fault leaves it.
  Tree Inject(Fault fault) {
    const std::string file = Path(kFile);
    const std::string bytes = Read(kFile);
    switch (fault) {
      case Fault::Emptied:
        temp_.WriteFile(kFile, "");
        break;
      case Fault::Truncated:
        temp_.WriteFile(kFile, bytes.substr(0, 100));
        break;
      case Fault::TagStripped:
        temp_.WriteFile(kFile, bytes.substr(0, bytes.size() - 128));
        break;
      case Fault::GrownPastTheTag:
        temp_.WriteFile(kFile, bytes + audio_);
        break;
      case Fault::Deleted:
        EXPECT_TRUE(DeleteFileA(file.c_str()));
        break;
      case Fault::ReplacedByDirectory:
        EXPECT_TRUE(DeleteFileA(file.c_str()));
        EXPECT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
        break;
      case Fault::ReadOnly:
        locked_.emplace(std::vector{file});
        break;
      case Fault::FolderReadOnly:
        locked_.emplace(std::vector{Path("Musik")});
        break;
      case Fault::HeldExclusively:
      case Fault::HeldShared:
      case Fault::HeldHere: {
        // Read before: a file held without sharing cannot be read.
        const Tree tree = Snapshot(temp_.Path());
        if (fault == Fault::HeldHere) {
          // A second handle of this process that shares nothing.
          held_.reset(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
          EXPECT_TRUE(held_);
        } else {
          holder_.emplace(file, fault == Fault::HeldShared ? "shared" : "exclusive");
          EXPECT_TRUE(holder_->Open());
        }
        return tree;
      }
      case Fault::DirectoryRemoved:
      case Fault::DirectoryRenamed: {
        // The directory on display is the process's current one, which
        // the system will not let anyone remove or rename; the host may
        // move the current directory elsewhere first.
        EXPECT_TRUE(SetCurrentDirectoryA(temp_.Path().c_str()));
        const std::string dir = Path("Musik");
        if (fault == Fault::DirectoryRenamed) {
          EXPECT_TRUE(MoveFileA(dir.c_str(), Path("Musik alt").c_str()));
        } else {
          EXPECT_TRUE(DeleteFileA(file.c_str()));
          EXPECT_TRUE(DeleteFileA(Path("Musik\\Bergfahrt.mp3").c_str()));
          EXPECT_TRUE(RemoveDirectoryA(dir.c_str()));
        }
        break;
      }
    }
    return Snapshot(temp_.Path());
  }

  void Release() {
    holder_.reset();
    held_.reset();
    locked_.reset();
  }

  std::optional<FileHolder> holder_;
  fw::KernelHandle held_;
  std::optional<Unwritable> locked_;
};

TEST_P(SaveFaults, TheSaveFailsWritesNothingAndTellsTheHostNothingWasSaved) {
  const FaultCase& c = GetParam();
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  ASSERT_EQ(tip.Title().Text(), "Abendlied");
  tip.Type(tip.Title(), "Neu");
  ASSERT_TRUE(tip.ok->Enabled());
  ASSERT_EQ(host_.Changed(), 1);

  const Tree expected = Inject(c.fault);
  if (locked_ && !locked_->Holds()) GTEST_SKIP() << locked_->Reason();

  tip.Click(*tip.ok);
  tip.Click(*tip.ok);
  ASSERT_EQ(Errors().size(), 2u);
  EXPECT_EQ(Errors()[1], Errors()[0]);
  EXPECT_NE(Errors()[0].find(c.error), std::string::npos) << Errors()[0];
  EXPECT_NE(Errors()[0].find("\"" + Path(kFile) + "\""), std::string::npos) << Errors()[0];
  if (locked_) {
    EXPECT_EQ(Errors()[0], "Cannot open file \"" + Path(kFile) + "\". " + Unwritable::Refusal());
  }
  // Nothing padded, OK still offered, the host not told of a save.
  EXPECT_EQ(tip.Texts(), (Texts{"Neu", "Die Zwei", "Erste Platte", "1999", ""}));
  EXPECT_TRUE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), 1);
  EXPECT_EQ(host_.Nr(), 2);

  // The host's save fails the same way and lets the host know.
  if (c.noTag) {
    EXPECT_THROW(host_.SaveChanges(), fw::EInvalidOperation);
  } else {
    EXPECT_THROW(host_.SaveChanges(), fw::EFOpenError);
  }
  EXPECT_EQ(host_.Changed(), 1);
  EXPECT_EQ(Notices(9999), 0u);
  EXPECT_EQ(Errors().size(), 2u) << "the host's save is the host's to report";

  Release();
  EXPECT_EQ(Differences(Snapshot(temp_.Path()), expected), Texts{});
  SaveAnotherFile();
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveFaults,
    testing::Values(
        FaultCase{"Emptied", Fault::Emptied, "carries no ID3v1 tag", true},
        FaultCase{"Truncated", Fault::Truncated, "carries no ID3v1 tag", true},
        FaultCase{"TagStripped", Fault::TagStripped, "carries no ID3v1 tag", true},
        // The tag no longer ends the file: another program appended to it.
        FaultCase{"GrownPastTheTag", Fault::GrownPastTheTag, "carries no ID3v1 tag", true},
        FaultCase{"Deleted", Fault::Deleted, "Cannot open file", false},
        FaultCase{"ReplacedByDirectory", Fault::ReplacedByDirectory, "Cannot open file", false},
        FaultCase{"ReadOnly", Fault::ReadOnly, "Cannot open file", false},
        FaultCase{"FolderReadOnly", Fault::FolderReadOnly, "Cannot open file", false},
        FaultCase{"HeldExclusively", Fault::HeldExclusively, "Cannot open file", false},
        FaultCase{"HeldShared", Fault::HeldShared, "Cannot open file", false},
        FaultCase{"HeldHere", Fault::HeldHere, "Cannot open file", false},
        FaultCase{"DirectoryRemoved", Fault::DirectoryRemoved, "Cannot open file", false},
        FaultCase{"DirectoryRenamed", Fault::DirectoryRenamed, "Cannot open file", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A file whose audio grew or shrank in front of its tag since it was read
// (another program rewrote it) still ends in its tag: the save goes into the
// file's last 128 bytes as they are now, and the audio stays as it is. A file
// whose end is no tag any more is refused (the rows above).
TEST_F(FaultSession, AFileThatGrewOrShrankInFrontOfItsTagIsSavedAtItsEnd) {
  Open();
  TipWindow& tip = Tip();
  const char* file = "Musik\\Abendlied.mp3";
  struct Case {
    const char* title;
    std::string audio;
  };
  for (const Case& c : {Case{"Gewachsen", audio_ + audio_ + audio_}, Case{"Geschrumpft", "x"}}) {
    SCOPED_TRACE(c.title);
    tip.ClickFile("Bergfahrt.mp3");
    tip.ClickFile("Abendlied.mp3");
    tip.Type(tip.Title(), c.title);
    const std::string before = Read(file);
    temp_.WriteFile(file, c.audio + before.substr(before.size() - 128));
    tip.Click(*tip.ok);
    const std::string saved = Read(file);
    ASSERT_EQ(saved.size(), c.audio.size() + 128);
    EXPECT_EQ(saved.substr(0, c.audio.size() + 3), c.audio + "TAG");
    EXPECT_EQ(TitleOnDisk(file), Padded(c.title));
  }
  EXPECT_EQ(Errors(), Texts{});
  EXPECT_EQ(Notices(9999), 2u);
}

// A drive without a medium: the drive box moves to it, the lists stay where
// they were, and the save still goes to the file that is selected and shown.
TEST_F(FaultSession, ADriveThatIsNotReadyLeavesTheListsAndTheSaveWhereTheyWere) {
  ASSERT_EQ(GetLogicalDrives() & (1u << ('Q' - 'A')), 0u) << "the machine has a drive Q:";
  drives_.emplace(true);
  (*drives_)->Drive('Q').type = DRIVE_CDROM;
  (*drives_)->Drive('Q').notReady = true;
  Open();
  TipWindow& tip = Tip();
  auto* combo = dynamic_cast<fw::TCustomComboBox*>(tip.drives);
  ASSERT_NE(combo, nullptr);
  int q = -1;
  for (int i = 0; i < combo->Items().Count(); ++i)
    if (combo->Items().Strings(i).rfind("q:", 0) == 0) q = i;
  ASSERT_GE(q, 0);
  EXPECT_EQ(combo->Items().Strings(q), "q: []");

  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Neu");
  const std::string directory = fw::GetCurrentDir();
  const Texts items = testsupport::ItemTexts(*tip.files);
  const int selected = tip.files->ItemIndex();

  // The user picks it in the box.
  SendMessageA(combo->Handle(), CB_SETCURSEL, q, 0);
  SendMessageA(combo->Parent()->Handle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(combo->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo->Handle()));
  tageditortest::Pump();
  EXPECT_EQ(Errors().size(), 1u);
  EXPECT_EQ(combo->ItemIndex(), q);
  EXPECT_EQ(fw::GetCurrentDir(), directory);
  EXPECT_EQ(testsupport::ItemTexts(*tip.files), items);
  EXPECT_EQ(tip.files->ItemIndex(), selected);
  EXPECT_EQ(tip.Title().Text(), "Neu");
  EXPECT_TRUE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), 1);

  const std::string other = Read("Musik\\Bergfahrt.mp3");
  tip.Click(*tip.ok);
  EXPECT_EQ(Errors().size(), 1u);
  EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Neu"));
  EXPECT_EQ(Read("Musik\\Bergfahrt.mp3"), other);
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_EQ(Notices(9999), 1u);
  SaveAnotherFile();
}

// The save notice goes to every top-level window; one of another program that
// no longer handles messages is passed over after a bounded wait, while the
// host hears the notice with the saved state and the user can go on.
TEST_F(FaultSession, AWindowThatStoppedAnsweringHoldsUpNoSave) {
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Neu");
  FileHolder stopped("stopped answering", "window");
  ASSERT_TRUE(stopped.Open());
  std::vector<int32_t> changedWhileHeard;
  recorder_.onNotice = [&](WPARAM command, LPARAM) {
    if (command == 9999) changedWhileHeard.push_back(host_.Changed());
  };

  const ULONGLONG start = GetTickCount64();
  tip.Click(*tip.ok);
  // A few seconds for the window that does not answer, not for ever.
  EXPECT_LT(GetTickCount64() - start, 20000u);
  EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Neu"));
  EXPECT_EQ(changedWhileHeard, std::vector<int32_t>{2});
  EXPECT_EQ(Errors(), Texts{});
  SaveAnotherFile();
}

// Folders that only the Linux side makes: a link to its own folder (a loop as
// deep as a path may go), two links that name each other (nothing behind
// them) and folders nobody may read: one made so, and a link to the kernel's
// list of another process's mapped files, which not even root may read. None hangs the lists or
// ends the window: the loop opens as its folder at every depth and a save goes through it into the
// file, the links to nothing are left out, and the editor goes on.
TEST_F(FaultSession, FoldersMadeOnTheLinuxSideAreListedOrLeftOut) {
  struct Row {
    const char* folder;  // made in Musik
    const char* script;
    bool listed;
  };
  const Row rows[] = {
      {"Schleife", "ln -s . Schleife", true},
      {"Kreis", "ln -s Kreis2 Kreis && ln -s Kreis Kreis2", false},
      {"Gesperrt", "mkdir Gesperrt && touch Gesperrt/x.mp3 && chmod 000 Gesperrt", true},
      {"Verboten", "ln -s /proc/1/map_files Verboten", true},
  };
  const std::string musik = testsupport::UnixPathOf(Path("Musik"));
  if (musik.empty()) GTEST_SKIP() << "no Linux side outside Wine";
  testsupport::TempDir scratch;
  std::string script = "cd " + testsupport::ShellWord(musik);
  for (const Row& row : rows) script += std::string(" && ") + row.script;
  std::string errors;
  ASSERT_TRUE(testsupport::RunUnixScript(script, scratch.Path(), 20000, &errors)) << errors;
  // Gone before the test's folder, which would otherwise follow the loop.
  const fw::ScopeExit undo([&] {
    testsupport::RunUnixScript("cd " + testsupport::ShellWord(musik) +
                                   " && rm -f Schleife Kreis Kreis2 Verboten && chmod 755 Gesperrt",
                               scratch.Path(), 20000);
  });
  // Root reads any folder it made, and where it may trace other processes
  // it reads their mapped files too.
  const bool madeReadable = fw::FileExists(Path("Musik\\Gesperrt\\x.mp3"));
  bool kernelReadable = false;  // Wine lists "." and ".." of any folder
  for (fw::TFileSearch s(Path("Musik\\Verboten\\*"), fw::faAnyFile); s.Found(); s.Next())
    kernelReadable = kernelReadable || (s.Current().Name != "." && s.Current().Name != "..");
  Open();
  TipWindow& tip = Tip();
  const Texts musikFiles{"Abendlied.mp3", "Bergfahrt.mp3"};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folder);
    const Texts dirs = testsupport::ItemTexts(*tip.dirs);
    EXPECT_EQ(std::count(dirs.begin(), dirs.end(), row.folder), row.listed ? 1 : 0);
    if (!row.listed) continue;
    if (std::string(row.folder) != "Schleife") {
      tip.OpenDirectory(row.folder);
      if (!(row.folder == std::string("Gesperrt") ? madeReadable : kernelReadable)) {
        EXPECT_EQ(testsupport::ItemTexts(*tip.files), Texts{});
      }
      tip.OpenDirectory("Musik");
      continue;
    }
    std::string deeper = Path("Musik");
    for (int depth = 1; depth <= 5; ++depth) {
      // The link inside the folder just opened: the last item of its name.
      const Texts items = testsupport::ItemTexts(*tip.dirs);
      const int index =
          static_cast<int>(std::find(items.rbegin(), items.rend(), row.folder).base() -
                           items.begin()) -
          1;
      ASSERT_GT(index, 0);
      testsupport::ClickListItem(*tip.dirs, index);
      ASSERT_TRUE(testsupport::PumpUntil([&] { return tip.dirs->ItemIndex() == index; }));
      testsupport::PressKeys({VK_RETURN});
      deeper += "\\Schleife";
      EXPECT_TRUE(testsupport::PumpUntil([&] { return fw::GetCurrentDir() == deeper; }))
          << fw::GetCurrentDir();
      EXPECT_EQ(testsupport::ItemTexts(*tip.files), musikFiles);
    }
    tip.ClickFile("Abendlied.mp3");
    tip.Type(tip.Title(), "Durch die Schleife");
    tip.Click(*tip.ok);
    EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Durch die Schleife"));
    EXPECT_EQ(Errors(), Texts{});
    tip.OpenDirectory("Musik");
  }
  SaveAnotherFile();
  if (madeReadable && kernelReadable) GTEST_SKIP() << "every folder here is readable; the rest ran";
}

}  // namespace
}  // namespace faultstest
