// Folders deeper than a MAX_PATH buffer holds, on to more than 1,000
// characters, and names of 255 characters: they open from the directory
// list, their files are listed and read, and only a path longer than the
// file system keeps is refused, with a clear error and nothing changed.
//
// Measured under Wine 8.0 here: a file or folder can be made and opened
// while its Unix path stays within 4,095 bytes (PATH_MAX less the ending
// zero), 4,053 characters for a path in C:\users\root\Temp; the deepest file
// here has 1,016. SetCurrentDirectoryW takes a plain path as long, but it
// copies one of 259 characters or more past the MAX_PATH buffer that the
// process parameters keep for it, over the image path, the command line and
// the library search path behind it, which stay overwritten when the current
// directory moves back; from about 560 characters on the process crashes at
// its next library load or exception. So the process's current directory
// follows the controls up to 258 characters only, under Wine as on Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HardeningSupport.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"

namespace {

using namespace hardening;

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
std::string Parent(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// The browsing trio as the tag editor links it: directory list, file list
// and label.
class LongPaths : public testing::Test {
 protected:
  LongPaths() {
    fw::ChDir(temp.Path());
    dirs = host.Add<TDirectoryListBox>(10, 30, 200, 360);
    files = host.Add<TFileListBox>(220, 30, 280, 360);
    label = host.Add<fw::TLabel>(10, 8, 400, 16);
    dirs->SetFileList(files);
    dirs->SetDirLabel(label);
  }
  // `path` continued by levels of `fill` up to `length` characters.
  static std::string Continued(std::string path, size_t length, char fill) {
    while (length - path.size() > 256) path += "\\" + std::string(200, fill);
    return path + "\\" + std::string(length - path.size() - 1, fill);
  }
  // A folder of that length below temp with a file s.mp3 that holds its path.
  std::string Folder(size_t length, char fill) {
    const std::string path = Continued(temp.Path(), length, fill);
    temp.WriteFile(path.substr(temp.Path().size() + 1) + "\\s.mp3", path);
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
  // Enter on a subdirectory of the one on display, as the user opens it.
  void Open(const std::string& name) {
    dirs->SetItemIndex(dirs->Items().IndexOf(name));
    dirs->SetFocus();
    testsupport::PressKeys({VK_RETURN});
    Pump();
  }
  // The folder's one file is listed and gives its bytes by its full path.
  void ExpectFileOf(const std::string& folder) {
    ASSERT_EQ(ItemTexts(*files), Texts{"s.mp3"});
    files->SetItemIndex(0);
    EXPECT_EQ(files->FileName(), folder + "\\s.mp3");
    EXPECT_EQ(hardening::ReadThroughStream(files->FileName()), folder);
  }

  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDialogs dialogs;
  hardening::Host host;
  TDirectoryListBox* dirs;
  TFileListBox* files;
  fw::TLabel* label;
};

struct Depth {
  size_t length;
  bool cwdFollows;
};

TEST_F(LongPaths, DeepFoldersOpenAndListInFull) {
  const Depth depths[] = {
      {MAX_PATH - 2, true}, {MAX_PATH - 1, false}, {MAX_PATH + 40, false}, {1010, false}};
  std::vector<std::string> folders;
  for (const Depth& d : depths)
    folders.push_back(Folder(d.length, static_cast<char>('a' + folders.size())));
  host.Show();
  for (const Depth& d : depths) {
    SCOPED_TRACE(d.length);
    const std::string deep = folders[&d - depths];
    dirs->SetDirectory(Parent(deep));
    const std::string before = fw::GetCurrentDir();
    Open(LastName(deep));
    EXPECT_EQ(fw::GetCurrentDir(), d.cwdFollows ? deep : before);
    EXPECT_EQ(dirs->Directory(), deep);
    EXPECT_EQ(files->Directory(), deep);
    ASSERT_GE(dirs->ItemIndex(), 1);
    EXPECT_EQ(dirs->Items().Strings(dirs->ItemIndex()), LastName(deep));
    EXPECT_EQ(dirs->PathOfItem(dirs->ItemIndex() - 1), Parent(deep));
    ExpectFileOf(deep);
    // Up again by the level above, as Enter on it does.
    dirs->SetItemIndex(dirs->ItemIndex() - 1);
    dirs->OpenSelected();
    EXPECT_EQ(dirs->Directory(), Parent(deep));
    EXPECT_EQ(files->Directory(), Parent(deep));
  }
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(LongPaths, NamesOfTwoHundredFiftyFiveCharacters) {
  const std::string fileName = std::string(251, 'n') + ".mp3";
  const std::string dirName(255, 'm');
  temp.WriteFile(fileName, temp / fileName);
  temp.WriteFile(dirName + "\\s.mp3", temp / dirName);
  files->SetMask("*.mp3");
  host.Show();
  ASSERT_EQ(ItemTexts(*files), Texts{fileName});
  files->SetItemIndex(0);
  EXPECT_EQ(hardening::ReadThroughStream(files->FileName()), temp / fileName);
  Open(dirName);
  EXPECT_EQ(dirs->Directory(), temp / dirName);
  EXPECT_EQ(fw::GetCurrentDir(), temp.Path());  // 295 characters
  ExpectFileOf(temp / dirName);
}

// Over Wine's Unix limit, and over the 32,767 characters that any Windows
// path holds (and the 16-bit byte count of the system's strings).
TEST_F(LongPaths, PathsLongerThanTheFileSystemKeepsAreRefusedAndChangeNothing) {
  const std::string deep = Folder(1010, 'f');
  host.Show();
  for (size_t length : {4100, 32800}) {
    SCOPED_TRACE(length);
    const std::string over = Continued(deep, length, 'o');
    dirs->SetDirectory(temp.Path());
    const Snapshot before = Take();
    const auto expectRefused = [&](auto action) {
      try {
        action();
        ADD_FAILURE() << "no error";
      } catch (const fw::EInOutError& e) {
        EXPECT_NE(e.ErrorCode, 0);
        EXPECT_NE(std::string(e.what()).find(std::string(30, 'o')), std::string::npos)
            << std::string(e.what()).substr(0, 200);
      }
      EXPECT_EQ(Take(), before);
    };
    expectRefused([&] { dirs->SetDirectory(over); });
    expectRefused([&] { files->SetDirectory(over); });
    expectRefused([&] { files->SetFileName(over + "\\s.mp3"); });
  }
}

}  // namespace
