// Names of any script and shape, each as a file and as a directory: every
// item shows the name as the file system spells it and leads to exactly
// that entry. Twins that differ only in letter case or in a composed and a
// decomposed letter are two entries; device names and names that end in a
// dot or a blank are ordinary files here, while the plain form of the path
// would reach a device or the name without its dot.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HardeningSupport.h"
#include "Utf8Text.h"
#include "fw/Unicode.h"

namespace {

using namespace hardening;

struct Name {
  std::string text;
  // The plain form of its path names a device or drops its ending: the
  // process's current directory cannot stand in it.
  bool plainIsOther = false;
  // Made from the Unix side: Win32 under Wine would open its twin instead.
  bool unixSide = false;
};
const std::vector<Name> kNames = {
    {RU_MUSIC ".mp3"},
    {JA_SONGS ".mp3"},
    {EL_MUSIC ".mp3"},
    {NOTE ".mp3"},
    {"\xCC\x81"
     "accent first.mp3"},
    {"A.mp3"},
    {"a.mp3", false, true},
    {"Caf\xC3\xA9.mp3"},
    {"Caf" E_ACUTE ".mp3"},
    {"song.mp3"},
    {"song.mp3.", true},
    {"song.mp3 ", true},
    {"a;b.mp3"},
    {"100%.mp3"},
    {"R&B.mp3"},
    {"it's.mp3"},
    {"[live].mp3"},
    {"Zebra.mp3"},
    {"\xC3\x9C"
     "ber.mp3"},
    {"10.mp3"},
    {"con.mp3", true},
    {"nul.mp3", true},
    {"com1.mp3", true},
    {"aux.mp3", true},
};

// The names a bare search lists in a directory, as the system hands them over.
std::vector<std::wstring> Listed(const std::string& dir, bool directories) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  fw::FindHandle find(::FindFirstFileW((fw::SystemPath(dir) + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L".." &&
          ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == directories)
        names.push_back(name);
    } while (::FindNextFileW(find.get(), &data));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The items from `first` on, as the list's window hands them to a Unicode caller.
std::vector<std::wstring> WindowTexts(fw::TCustomListBox& list, int first = 0) {
  std::vector<std::wstring> texts;
  for (int i = first; i < list.Items().Count(); ++i) {
    const LRESULT length = ::SendMessageW(list.Handle(), LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        ::SendMessageW(list.Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    texts.push_back(text);
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

int ExactIndex(const fw::TCustomListBox& list, const std::string& text) {
  const Texts items = ItemTexts(list);
  const auto at = std::find(items.begin(), items.end(), text);
  return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

// Every name as a file holding its own name in f, and as a directory in d
// with a file "tag" holding it.
class AnyName : public testing::Test {
 protected:
  AnyName() {
    std::string unixScript;
    const std::string unixTemp = hardening::UnixPathOf(temp.Path());
    for (const Name& n : kNames) {
      if (!n.unixSide) {
        temp.WriteFile("f\\" + n.text, n.text);
        temp.WriteFile("d\\" + n.text + "\\tag", n.text);
      } else if (!unixTemp.empty()) {
        unixScript += "cd '" + unixTemp + "' && printf '%s' '" + n.text + "' > 'f/" + n.text +
                      "' && mkdir 'd/" + n.text + "' && printf '%s' '" + n.text + "' > 'd/" +
                      n.text + "/tag' && ";
      } else {
        continue;  // a volume without case twins
      }
      made.push_back(n);
    }
    if (!unixScript.empty()) {
      EXPECT_TRUE(hardening::RunUnixScript(unixScript + "true", scratch.Path(), 30000));
    }
    fw::ChDir(temp.Path());
    files = host.Add<TFileListBox>(220, 10, 280, 360);
    files->SetMask("*");
  }

  testsupport::TempDir scratch;
  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDialogs dialogs;
  hardening::Host host;
  TFileListBox* files;
  std::vector<Name> made;
};

TEST_F(AnyName, EachFileIsListedAndOpensAsItself) {
  const std::string dir = temp / "f";
  files->SetDirectory(dir);
  host.Show();
  Texts items = ItemTexts(*files);
  EXPECT_EQ(WindowTexts(*files), Listed(dir, false));
  // The locale's order without regard to case; names it holds equal by their
  // UTF-16 units, so that the order never depends on the directory's.
  for (size_t i = 1; i < items.size(); ++i) {
    const int order = fw::AnsiCompareText(items[i - 1], items[i]);
    EXPECT_TRUE(order < 0 || (order == 0 && fw::Utf16(items[i - 1]) < fw::Utf16(items[i])))
        << items[i - 1] << " before " << items[i];
  }
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    SCOPED_TRACE(items[i]);
    testsupport::ClickListItem(*files, i);
    Pump();
    ASSERT_EQ(files->ItemIndex(), i);
    EXPECT_EQ(files->FileName(), dir + "\\" + items[i]);
    EXPECT_EQ(hardening::ReadThroughStream(files->FileName()), items[i]);
  }
  // A typed name picks the twin spelt so.
  Texts names;
  for (const Name& n : made) {
    files->SetFileName(dir + "\\" + n.text);
    EXPECT_EQ(files->FileName(), dir + "\\" + n.text);
    names.push_back(n.text);
  }
  std::sort(names.begin(), names.end());
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, names);
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(AnyName, EachDirectoryOpensIntoItself) {
  auto* dirs = host.Add<TDirectoryListBox>(10, 10, 200, 360);
  dirs->SetFileList(files);
  host.Show();
  const std::string parent = temp / "d";
  dirs->SetDirectory(parent);
  EXPECT_EQ(WindowTexts(*dirs, dirs->ItemIndex() + 1), Listed(parent, true));
  {
    // Controls made while the process stands in such a directory show it.
    testsupport::CurrentDirGuard back;
    fw::ChDir(parent + "\\" + JA_SONGS ".mp3");
    hardening::Host inside;
    auto* insideDirs = inside.Add<TDirectoryListBox>(10, 10, 200, 300);
    auto* insideFiles = inside.Add<TFileListBox>(220, 10, 200, 300);
    insideDirs->SetFileList(insideFiles);
    inside.Show();
    EXPECT_EQ(insideDirs->Directory(), parent + "\\" + JA_SONGS ".mp3");
    EXPECT_EQ(ItemTexts(*insideFiles), Texts{"tag"});
  }
  for (const Name& n : made) {
    const std::string& name = n.text;
    SCOPED_TRACE(name);
    dirs->SetDirectory(parent);
    const int index = ExactIndex(*dirs, name);
    if (index < 0) {
      ADD_FAILURE() << "no item spelt so";
      continue;
    }
    dirs->SetItemIndex(index);
    dirs->SetFocus();
    testsupport::PressKeys({VK_RETURN});
    Pump();
    const std::string dir = parent + "\\" + name;
    ASSERT_EQ(dirs->Directory(), dir);
    EXPECT_EQ(files->Directory(), dir);
    ASSERT_EQ(ItemTexts(*files), Texts{"tag"});
    files->SetItemIndex(0);
    EXPECT_EQ(hardening::ReadThroughStream(files->FileName()), name);
    EXPECT_EQ(fw::GetCurrentDir(), n.plainIsOther ? parent : dir);
  }
  EXPECT_TRUE(dialogs->Records.empty());
}

}  // namespace
