// Paths at the system's length limit: directories nested until their path
// is as long as a MAX_PATH buffer holds, paths one character and more over
// that, and names of 255 characters. What fits works in full; what does not
// raises a clear input/output error, leaves every control where it was, and
// the controls go on working afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "HardeningSupport.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using filectrl::TDirectoryListBox;
using filectrl::TFileListBox;
using hardening::ItemTexts;
using hardening::Pump;
using hardening::Wide;
using Texts = std::vector<std::string>;

// The longest path an ANSI buffer of MAX_PATH holds with its terminating zero.
constexpr size_t kLongest = MAX_PATH - 1;

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The browsing trio as the tag editor links it: directory list, file list
// and label.
class LongPaths : public testing::Test {
 protected:
  LongPaths() {
    // Levels of 20 characters down to a directory from which every target
    // length is one more name away.
    base = temp.Path();
    for (int level = 0; base.size() + 21 <= kLongest - 40; ++level) {
      base += "\\level" + std::to_string(level) + std::string(14, 'x');
      hardening::MakeDirW(Wide(base));
    }
    fw::ChDir(base);
    dirs = host.Add<TDirectoryListBox>(10, 30, 200, 300);
    files = host.Add<TFileListBox>(220, 30, 200, 300);
    label = host.Add<fw::TLabel>(10, 8, 400, 16);
    dirs->SetFileList(files);
    dirs->SetDirLabel(label);
    host.Show();
  }
  // A directory in `base` whose full path is `length` characters long.
  std::string MakeOfLength(size_t length, char fill) {
    const std::string path = base + "\\" + std::string(length - base.size() - 1, fill);
    hardening::MakeDirW(Wide(path));
    return path;
  }
  struct Snapshot {
    std::string dir, fileDir, caption, cwd;
    Texts dirItems, fileItems;
    int dirIndex;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    return {dirs->Directory(), files->Directory(), label->Text(),    fw::GetCurrentDir(),
            ItemTexts(*dirs),  ItemTexts(*files),  dirs->ItemIndex()};
  }
  // A clear refusal: the framework's input/output error, naming the path.
  template <typename Action>
  void ExpectRefused(const std::string& path, Action action) {
    try {
      action();
      ADD_FAILURE() << "no error for a path of " << path.size() << " characters";
    } catch (const fw::EInOutError& e) {
      EXPECT_NE(e.ErrorCode, 0);
      EXPECT_NE(std::string(e.what()).find(LastName(path).substr(0, 30)), std::string::npos)
          << e.what();
    }
  }

  testsupport::TempDir temp;
  hardening::EmptiedOnExit emptied{temp.Path()};
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDialogs dialogs;
  std::string base;
  hardening::Host host;
  TDirectoryListBox* dirs;
  TFileListBox* files;
  fw::TLabel* label;
};

TEST_F(LongPaths, DirectoriesUpToTheLimitWorkInFull) {
  for (size_t length : {kLongest - 1, kLongest}) {
    SCOPED_TRACE(length);
    const std::string deep = MakeOfLength(length, 'a' + static_cast<char>(length - kLongest + 1));
    hardening::WriteFileW(Wide(deep + "\\s.mp3"), "x");
    dirs->SetDirectory(deep);
    EXPECT_EQ(dirs->Directory(), deep);
    EXPECT_EQ(fw::GetCurrentDir(), deep);
    EXPECT_EQ(files->Directory(), deep);
    EXPECT_EQ(ItemTexts(*files), Texts{"s.mp3"});
    ASSERT_GE(dirs->ItemIndex(), 0);
    EXPECT_EQ(dirs->Items().Strings(dirs->ItemIndex()), LastName(deep));
    EXPECT_EQ(dirs->PathOfItem(dirs->ItemIndex() - 1), base);
    // The label keeps the last level and fits the list's width around it.
    EXPECT_EQ(LastName(label->Text()), LastName(deep));
    // Up again by the level above, as Enter on it does.
    dirs->SetItemIndex(dirs->ItemIndex() - 1);
    dirs->OpenSelected();
    EXPECT_EQ(dirs->Directory(), base);
    EXPECT_EQ(files->Directory(), base);
  }
}

TEST_F(LongPaths, PathsOverTheLimitAreRefusedAndChangeNothing) {
  const std::string fits = MakeOfLength(kLongest - 1, 'f');
  for (size_t length : {kLongest + 1, kLongest + 2, kLongest + 60}) {
    SCOPED_TRACE(length);
    const std::string over = MakeOfLength(length, 'o' + static_cast<char>(length % 7));
    hardening::WriteFileW(Wide(over + "\\s.mp3"), "x");
    dirs->SetDirectory(base);
    const Snapshot before = Take();
    ExpectRefused(over, [&] { dirs->SetDirectory(over); });
    EXPECT_EQ(Take(), before);
    ExpectRefused(over, [&] { files->SetDirectory(over); });
    EXPECT_EQ(Take(), before);
    ExpectRefused(over, [&] { files->SetFileName(over + "\\s.mp3"); });
    EXPECT_EQ(Take(), before);
    // Still usable: the path that fits is taken as always.
    dirs->SetDirectory(fits);
    EXPECT_EQ(dirs->Directory(), fits);
    EXPECT_EQ(files->Directory(), fits);
  }
}

TEST_F(LongPaths, EnterOnASubdirectoryOverTheLimitReportsAndStays) {
  // Short enough for the search of its subdirectories ("\\*.*"), but the
  // subdirectory is over the limit.
  const std::string deep = MakeOfLength(kLongest - 4, 'd');
  hardening::MakeDirW(Wide(deep + "\\subdirectory"));
  dirs->SetDirectory(deep);
  const Snapshot before = Take();
  ASSERT_NE(dirs->Items().IndexOf("subdirectory"), -1);
  dirs->SetItemIndex(dirs->Items().IndexOf("subdirectory"));
  dirs->SetFocus();
  testsupport::PressKeys({VK_RETURN});
  Pump();
  const Texts errors = dialogs->Texts(testsupport::DialogKind::Exception);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("subdirectory"), std::string::npos) << errors[0];
  Snapshot after = Take();
  after.dirIndex = before.dirIndex;  // the user's own selection
  EXPECT_EQ(after, before);
  // The level above still opens.
  dirs->SetItemIndex(dirs->Items().IndexOf(LastName(base)));
  dirs->OpenSelected();
  EXPECT_EQ(dirs->Directory(), base);
}

// Names as long as the file system allows, in a directory whose path makes
// the full path too long for the ANSI calls: they are listed as they are,
// and what cannot be reached raises instead of reaching something else.
TEST_F(LongPaths, NamesOfTwoHundredFiftyFiveCharacters) {
  const std::string fileName = std::string(251, 'n') + ".mp3";
  const std::string dirName(255, 'm');
  ASSERT_EQ(fileName.size(), 255u);
  hardening::WriteFileW(Wide(temp / fileName), "x");
  hardening::WriteFileW(Wide(temp / "short.mp3"), "x");
  hardening::MakeDirW(Wide(temp / dirName));
  dirs->SetDirectory(temp.Path());
  files->SetMask("*.mp3");
  EXPECT_EQ(ItemTexts(*files), (Texts{fileName, "short.mp3"}));
  files->SetMask("*");
  files->SetFileType(filectrl::FileTypeOf({filectrl::ftNormal, filectrl::ftDirectory}));
  const Texts listed = ItemTexts(*files);
  EXPECT_NE(std::find(listed.begin(), listed.end(), "[" + dirName + "]"), listed.end());
  const Texts subdirs = ItemTexts(*dirs);
  ASSERT_NE(std::find(subdirs.begin(), subdirs.end(), dirName), subdirs.end());

  files->SetItemIndex(files->Items().IndexOf(fileName));
  EXPECT_EQ(files->FileName(), temp / fileName);

  const Snapshot before = Take();
  dirs->SetItemIndex(dirs->Items().IndexOf(dirName));
  ExpectRefused(temp / dirName, [&] { dirs->OpenSelected(); });
  Snapshot after = Take();
  after.dirIndex = before.dirIndex;
  EXPECT_EQ(after, before);
  dirs->SetDirectory(base);
  EXPECT_EQ(files->Directory(), base);
}

}  // namespace
