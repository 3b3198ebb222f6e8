// Names that the ANSI code page (1252 under Wine) cannot express. The ANSI
// calls hand them over as "?" where the code page has no look-alike, and as
// a look-alike where it has one (an L for an L with stroke), which can be
// the name of another file. The controls must not crash or loop, and no
// item may stand for a file or directory other than the one it names:
// acting on such an entry gives a clear error instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HardeningSupport.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "fw/Exceptions.h"
#include "fw/Handle.h"
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

// Each entry holds, as its content or as a file inside, the name it was
// made under, so whatever an item leads to can be told apart.
struct Entry {
  std::wstring name;
  std::string tag;
};
const std::vector<Entry> kFiles = {
    {L"a\u0141b.mp3", "a-L-stroke-b"},  // ANSI look-alike: aLb.mp3, which exists
    {L"aLb.mp3", "aLb.mp3"},
    {L"k\u03A9m.mp3", "k-Omega-m"},  // look-alike kOm.mp3, which does not exist
    {L"x\u4E2Dy.mp3", "x-CJK-y"},    // no look-alike: x?y.mp3
    {L"plain.mp3", "plain.mp3"},
    {L"\u00E4\u20AC.mp3", "\xE4\x80.mp3"},  // both in the code page
};
const std::vector<Entry> kDirs = {
    {L"D\u0141", "D-L-stroke"},  // look-alike DL, which exists
    {L"DL", "DL"},
    {L"e\u4E2D", "e-CJK"},
    {L"\u00DCber",
     "\xDC"
     "ber"},
};

std::string ReadAnsi(const std::string& path) {
  fw::KernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  if (!file) return "<cannot open>";
  char buffer[256];
  DWORD got = 0;
  ::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr);
  return std::string(buffer, got);
}

bool Unique(Texts texts) {
  std::sort(texts.begin(), texts.end());
  return std::adjacent_find(texts.begin(), texts.end()) == texts.end();
}

class OutsideCodePage : public testing::Test {
 protected:
  OutsideCodePage() {
    for (const Entry& f : kFiles) hardening::WriteFileW(Wide(temp.Path()) + L"\\" + f.name, f.tag);
    for (const Entry& d : kDirs) {
      const std::wstring dir = Wide(temp.Path()) + L"\\" + d.name;
      hardening::MakeDirW(dir);
      hardening::WriteFileW(dir + L"\\tag.txt", d.tag);
    }
    fw::ChDir(temp.Path());
    files = host.Add<TFileListBox>(220, 10, 200, 300);
    files->SetMask("*.mp3");
    files->OnChange = [this](fw::TComponent*) {
      ++changes;
      loaded = ReadAnsi(files->FileName());
    };
  }

  testsupport::TempDir temp;
  hardening::EmptiedOnExit emptied{temp.Path()};
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDialogs dialogs;
  hardening::Host host;
  TFileListBox* files;
  int changes = 0;
  std::string loaded;
};

TEST_F(OutsideCodePage, NoFileItemStandsForAnotherFile) {
  files->OnChange = nullptr;
  host.Show();
  const Texts items = ItemTexts(*files);
  ASSERT_EQ(items.size(), kFiles.size());
  EXPECT_TRUE(Unique(items)) << testing::PrintToString(items);
  int refused = 0;
  for (int i = 0; i < files->Items().Count(); ++i) {
    const std::string text = files->Items().Strings(i);
    SCOPED_TRACE(text);
    files->SetItemIndex(i);
    try {
      // A path given out leads to the file of exactly that name.
      EXPECT_EQ(ReadAnsi(files->FileName()), text);
    } catch (const fw::Exception& e) {
      ++refused;
      EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
    }
  }
  // The L with stroke, the omega and the CJK character.
  EXPECT_EQ(refused, 3);
}

TEST_F(OutsideCodePage, ChoosingSuchAFileReportsAndLoadsNothing) {
  host.Show();
  auto click = [&](int index) {
    testsupport::ClickListItem(*files, index);
    Pump();
  };
  changes = 0;
  const Texts items = ItemTexts(*files);
  const auto plain = std::find(items.begin(), items.end(), "plain.mp3");
  ASSERT_NE(plain, items.end());
  click(static_cast<int>(plain - items.begin()));
  EXPECT_EQ(loaded, "plain.mp3");

  // Every other entry: its own file, or one error box and nothing loaded.
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    SCOPED_TRACE(items[i]);
    loaded.clear();
    dialogs->Records.clear();
    click(i);
    EXPECT_EQ(files->ItemIndex(), i);
    const Texts errors = dialogs->Texts(testsupport::DialogKind::Exception);
    if (errors.empty()) {
      EXPECT_EQ(loaded, items[i]);
    } else {
      EXPECT_EQ(errors.size(), 1u);
      EXPECT_EQ(loaded, "");
    }
  }
  // Plain first, then each in turn: every click moved the selection.
  EXPECT_EQ(changes, static_cast<int>(items.size()) + 1);
}

TEST_F(OutsideCodePage, NoDirectoryItemLeadsIntoAnotherDirectory) {
  auto* dirs = host.Add<TDirectoryListBox>(10, 10, 200, 300);
  dirs->SetFileList(files);
  files->OnChange = nullptr;
  host.Show();
  const int first = dirs->ItemIndex() + 1;
  const Texts all = ItemTexts(*dirs);
  const Texts subdirs(all.begin() + first, all.end());
  ASSERT_EQ(subdirs.size(), kDirs.size());
  EXPECT_TRUE(Unique(subdirs)) << testing::PrintToString(subdirs);
  int refused = 0;
  for (const std::string& name : subdirs) {
    SCOPED_TRACE(name);
    dirs->SetDirectory(temp.Path());
    dirs->SetItemIndex(dirs->Items().IndexOf(name));
    try {
      dirs->OpenSelected();
      EXPECT_EQ(ReadAnsi(dirs->Directory() + "\\tag.txt"), name);
      EXPECT_EQ(files->Directory(), dirs->Directory());
    } catch (const fw::EInOutError& e) {
      ++refused;
      EXPECT_EQ(dirs->Directory(), temp.Path());
      EXPECT_EQ(files->Directory(), temp.Path());
    }
  }
  EXPECT_EQ(refused, 2);
}

// The process may already stand in such a directory when the controls are
// made: they must come up without crashing and be movable elsewhere.
TEST_F(OutsideCodePage, ControlsMadeInsideSuchADirectoryStillWork) {
  ASSERT_TRUE(::SetCurrentDirectoryW((Wide(temp.Path()) + L"\\e\u4E2D").c_str()));
  hardening::Host inside;
  auto* dirs = inside.Add<TDirectoryListBox>(10, 10, 200, 300);
  auto* list = inside.Add<TFileListBox>(220, 10, 200, 300);
  dirs->SetFileList(list);
  try {
    inside.Show();
  } catch (const fw::Exception&) {
    // Refusing to read a directory it cannot name is fine.
  }
  Pump();
  dirs->SetDirectory(temp.Path());
  EXPECT_EQ(dirs->Directory(), temp.Path());
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(list->Items().Count(), static_cast<int>(kFiles.size() + 0));
}

}  // namespace
