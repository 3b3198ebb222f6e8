// The file list with a real window on a form and real directories: masks
// and attribute sets, glyphs, the selected file's path, typed file names,
// directory changes, the edit and the other links, item heights, painting,
// and the screen cursor during long reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "filectrl/FileListBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Edit.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Layout.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/Pump.h"
#include "testsupport/ScreenCapture.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using filectrl::FileTypeOf;
using filectrl::TFileListBox;
using namespace filectrl;  // the ftXxx elements

using testsupport::Pump;

// Opens the internal operations to the tests, notes the screen cursor at
// every item the list takes, and can make the list refuse items.
class ProbeFileList : public TFileListBox {
 public:
  using TFileListBox::ClosedFolderGlyph;
  using TFileListBox::ExecutableGlyph;
  using TFileListBox::LastSelection;
  using TFileListBox::SelectedItem;
  using TFileListBox::SelectItem;
  using TFileListBox::TFileListBox;
  using TFileListBox::UnknownGlyph;

  struct Add {
    LRESULT index;
    fw::TCursor cursor;
  };
  std::vector<Add> adds;
  int refuseAfter = -1;

  void WndProc(fw::TMessage& m) override {
    if (m.Msg == LB_ADDSTRING || m.Msg == LB_INSERTSTRING) {
      fw::TCursor cursor = fw::Screen().Cursor();
      if (refuseAfter >= 0 && static_cast<int>(adds.size()) >= refuseAfter) {
        m.Result = LB_ERRSPACE;
        return;
      }
      TFileListBox::WndProc(m);
      adds.push_back({m.Result, cursor});
      return;
    }
    TFileListBox::WndProc(m);
  }
};

// Stands in for the directory list: records what it is told and moves the
// file list as the real one does through its change notice.
class FakeDirList : public fw::TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "FakeDirList"; }
  void SetDirectory(const std::string& path) {
    written.push_back(path);
    if (list) list->SetDirectory(moveTo);
  }
  std::vector<std::string> written;
  TFileListBox* list = nullptr;
  std::string moveTo;
};

class FileList : public testing::Test {
 protected:
  FileList() : form(fw::MakeOwned<fw::TForm>()) {
    form->SetBounds(30, 30, 360, 420);
    form->SetColor(fw::clWhite);
    list = fw::Make<ProbeFileList>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 220, 360);
    list->OnChange = [this](fw::TComponent* sender) {
      EXPECT_EQ(sender, list);
      ++changes;
    };
  }
  ~FileList() override { fw::Screen().SetCursor(fw::crDefault); }

  // Shows the form with the list reading the temp directory.
  void Open(const std::string& mask = "*.*", TFileType type = FileTypeOf({ftNormal})) {
    list->SetDirectory(temp.Path());
    list->SetMask(mask);
    list->SetFileType(type);
    form->Show();
    Pump();
  }
  static std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }
  void Files(std::initializer_list<const char*> names) {
    for (const char* name : names) temp.WriteFile(name, "x");
  }

  // The temp directory goes after the current directory was put back.
  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  fw::Owned<fw::TForm> form;
  ProbeFileList* list;
  int changes = 0;
};

using Names = std::vector<std::string>;

TEST_F(FileList, StartsInTheCurrentDirectoryWithItsGlyphsLoaded) {
  fw::ChDir(temp.Path());
  auto* fresh = fw::Make<ProbeFileList>(form.get());
  EXPECT_EQ(fresh->Directory(), temp.Path());
  for (const fw::TBitmap* glyph :
       {&fresh->ExecutableGlyph(), &fresh->ClosedFolderGlyph(), &fresh->UnknownGlyph()}) {
    EXPECT_EQ(glyph->Width(), 16);
    EXPECT_EQ(glyph->Height(), 15);
  }
}

TEST_F(FileList, MaskPiecesAreSearchedOneAfterTheOther) {
  Files({"a.mp3", "B.MP3", "c.txt", "notes"});
  temp.MakeDir("Music.mp3");
  Open("*.none");
  const std::vector<std::pair<std::string, Names>> cases = {
      {"*.*", {"a.mp3", "B.MP3", "c.txt", "notes"}},
      {"*.mp3", {"a.mp3", "B.MP3"}},
      {"*.mp3;", {"a.mp3", "B.MP3"}},
      {";*.txt", {"c.txt"}},
      {"", {}},
      {"*.mp3;*.MP3", {"a.mp3", "a.mp3", "B.MP3", "B.MP3"}},
      {"notes;*.txt", {"c.txt", "notes"}},
      {"*.wav", {}},
  };
  for (const auto& [mask, names] : cases) {
    SCOPED_TRACE("mask \"" + mask + "\"");
    int before = changes;
    list->SetMask(mask);
    EXPECT_EQ(testsupport::ItemTexts(*list), names);  // in the list box's case-blind order
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(list->ItemIndex(), -1);
  }
}

TEST_F(FileList, MaskWriteReadsOnlyOnARealChange) {
  Files({"a.mp3"});
  Open("*.mp3");
  int before = changes;
  list->SetMask("*.mp3");
  EXPECT_EQ(changes, before);
  list->SetMask("*.MP3");  // compared exactly
  EXPECT_EQ(changes, before + 1);
}

TEST_F(FileList, FileTypeSelectsTheKindsOfEntries) {
  Files({"plain.mp3", "ro.mp3", "hid.mp3", "sys.mp3"});
  temp.SetAttributes("ro.mp3", FILE_ATTRIBUTE_READONLY);
  temp.SetAttributes("hid.mp3", FILE_ATTRIBUTE_HIDDEN);
  temp.SetAttributes("sys.mp3", FILE_ATTRIBUTE_SYSTEM);
  temp.MakeDir("Sub");
  Open();
  const std::vector<std::pair<TFileType, Names>> cases = {
      {0, {}},
      {FileTypeOf({ftNormal}), {"plain.mp3", "ro.mp3"}},
      {FileTypeOf({ftDirectory}), {"[.]", "[..]", "[Sub]"}},
      {FileTypeOf({ftNormal, ftDirectory}), {"[.]", "[..]", "[Sub]", "plain.mp3", "ro.mp3"}},
      {FileTypeOf({ftReadOnly}), {"ro.mp3"}},
      {FileTypeOf({ftHidden}), {"hid.mp3"}},
      {FileTypeOf({ftSystem, ftReadOnly}), {"ro.mp3", "sys.mp3"}},
      {FileTypeOf({ftNormal, ftHidden, ftSystem}), {"hid.mp3", "plain.mp3", "ro.mp3", "sys.mp3"}},
  };
  for (const auto& [type, names] : cases) {
    SCOPED_TRACE(static_cast<int>(type));
    list->SetFileType(type);
    EXPECT_EQ(Sorted(testsupport::ItemTexts(*list)), Sorted(names));
  }
}

TEST_F(FileList, GlyphsGoByExtensionInAnyCase) {
  Files({"setup.EXE", "run.Bat", "x.com", "y.pif", "notes", "song.mp3", "exe"});
  temp.MakeDir("Sub");
  Open("*.*", FileTypeOf({ftNormal, ftDirectory}));
  auto glyphOf = [&](const std::string& name) {
    return list->Items().Objects(list->Items().IndexOf(name));
  };
  const void* exe = &list->ExecutableGlyph();
  const void* other = &list->UnknownGlyph();
  for (const char* name : {"setup.EXE", "run.Bat", "x.com", "y.pif"})
    EXPECT_EQ(glyphOf(name), exe) << name;
  for (const char* name : {"notes", "song.mp3", "exe"}) EXPECT_EQ(glyphOf(name), other) << name;
  // Directories get theirs only when glyphs show at reading time.
  EXPECT_EQ(glyphOf("[Sub]"), nullptr);
  list->SetShowGlyphs(true);
  EXPECT_EQ(glyphOf("[Sub]"), nullptr);
  list->ReadEntries();
  EXPECT_EQ(glyphOf("[Sub]"), &list->ClosedFolderGlyph());
}

TEST_F(FileList, FileNameJoinsDirectoryAndSelectedItem) {
  Files({"a.mp3"});
  temp.MakeDir("Live");
  Open("*.*", FileTypeOf({ftNormal, ftDirectory}));
  EXPECT_EQ(list->FileName(), "");
  list->SelectItem("A.MP3");
  EXPECT_EQ(list->SelectedItem(), "a.mp3");
  EXPECT_EQ(list->FileName(), temp.Path() + "\\a.mp3");
  list->SelectItem("[Live]");
  EXPECT_EQ(list->FileName(), temp.Path() + "\\[Live]");
}

TEST_F(FileList, FileNameAtADriveRootHasOneBackslash) {
  Open();
  const std::string root = temp.Path().substr(0, 3);  // C:\ .
  ASSERT_TRUE(fw::DirectoryExists(root + "windows"));
  list->SetDirectory(root);
  EXPECT_EQ(list->Directory(), root);
  list->SetFileType(FileTypeOf({ftDirectory}));
  list->SetMask("windows");
  list->SelectItem("[windows]");
  EXPECT_EQ(list->FileName(), root + "[windows]");
}

TEST_F(FileList, SelectItemReportsEvenWhenNothingMatches) {
  Files({"a.mp3", "b.mp3"});
  Open();
  list->SelectItem("b.mp3");
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->LastSelection(), 1);
  int before = changes;
  list->SelectItem("B.MP3");  // selected already
  EXPECT_EQ(changes, before);
  list->SelectItem("c.mp3");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->LastSelection(), -1);
  EXPECT_EQ(changes, before + 1);
}

TEST_F(FileList, UsersSelectionChangesOnlyWhenTheIndexMoves) {
  Files({"a.mp3", "b.mp3"});
  Open();
  int clicks = 0;
  list->OnClick = [&](fw::TComponent*) { ++clicks; };
  auto click = [&](int index) {
    testsupport::ClickListItem(*list, index);
    Pump();
  };
  int before = changes;
  click(1);
  EXPECT_EQ(list->SelectedItem(), "b.mp3");
  EXPECT_EQ(changes, before + 1);
  EXPECT_GE(clicks, 1);
  click(1);
  EXPECT_EQ(changes, before + 1);
}

TEST_F(FileList, DirectoryWrites) {
  Files({"a.mp3"});
  temp.MakeDir("Sub");
  temp.WriteFile("Sub\\inner.mp3", "x");
  Open("*.mp3");
  const int before = changes;
  // The same directory in other letter case: nothing happens.
  list->SetDirectory(fw::AnsiUpperCase(temp.Path()));
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(changes, before);
  // Relative to the directory on display, whatever the process stands in.
  fw::ChDir(cwd.Saved());
  list->SetDirectory("Sub");
  EXPECT_EQ(list->Directory(), temp.Path() + "\\Sub");
  EXPECT_EQ(fw::GetCurrentDir(), temp.Path() + "\\Sub");
  EXPECT_EQ(testsupport::ItemTexts(*list), Names{"inner.mp3"});
  list->SetDirectory("..");
  EXPECT_EQ(list->Directory(), temp.Path());
  // A missing directory raises and changes nothing.
  const int afterMoves = changes;
  EXPECT_THROW(list->SetDirectory(temp.Path() + "\\missing"), fw::EInOutError);
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(testsupport::ItemTexts(*list), Names{"a.mp3"});
  EXPECT_EQ(changes, afterMoves);
}

TEST_F(FileList, ReadingAGoneDirectoryRaisesAndKeepsTheList) {
  Files({"a.mp3"});
  temp.MakeDir("Sub");
  temp.WriteFile("Sub\\inner.mp3", "x");
  Open("*.mp3");
  list->SetDirectory("Sub");
  fw::ChDir(temp.Path());
  ASSERT_TRUE(DeleteFileA((temp / "Sub\\inner.mp3").c_str()));
  ASSERT_TRUE(RemoveDirectoryA((temp / "Sub").c_str()));
  EXPECT_THROW(list->SetMask("*.*"), fw::EInOutError);
  EXPECT_EQ(testsupport::ItemTexts(*list), Names{"inner.mp3"});
}

TEST_F(FileList, TypedFileNames) {
  Files({"a.mp3", "c.txt"});
  temp.MakeDir("Sub");
  temp.WriteFile("Sub\\inner.mp3", "x");
  Open("*.mp3");
  // A mask is taken as the list's mask.
  list->SetFileName(temp / "Sub\\*.MP3");
  EXPECT_EQ(list->Directory(), temp.Path() + "\\Sub");
  EXPECT_EQ(list->Mask(), "*.MP3");
  // A listed file is selected.
  list->SetFileName(temp / "a.mp3");
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(list->FileName(), temp / "a.mp3");
  // A file the mask hides becomes the mask.
  list->SetFileName(temp / "c.txt");
  EXPECT_EQ(list->Mask(), "c.txt");
  EXPECT_EQ(list->FileName(), temp / "c.txt");
  // Relative to the current directory, in any letter case.
  list->SetMask("*.*");
  list->SetFileName("A.MP3");
  EXPECT_EQ(list->SelectedItem(), "a.mp3");
  // The same name again, and an empty text, change nothing.
  int before = changes;
  list->SetFileName(fw::AnsiUpperCase(list->FileName()));
  list->SetFileName("");
  EXPECT_EQ(changes, before);
}

TEST_F(FileList, TypedMissingFileRaisesBeforeAnythingChanges) {
  Files({"a.mp3"});
  temp.MakeDir("Sub");
  temp.MakeDir("Sub\\Deeper");
  Open("*.mp3");
  const std::string typed = temp / "Sub\\Deeper\\missing.mp3";
  // The directory part exists, the last part is neither file, mask nor
  // directory: the resolver finds out before the list moves.
  EXPECT_THROW(list->SetFileName(typed), fw::EInOutError);
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(fw::GetCurrentDir(), temp.Path());
}

TEST_F(FileList, FileGoneAfterResolvingRaisesInvalidFileName) {
  // A name the resolver takes for a file (it exists while resolving) but
  // that is gone when the list looks: the list's own message names it.
  Files({"a.mp3"});
  Open("*.mp3");
  class Vanishing : public fw::TComponent {
   public:
    using TComponent::TComponent;
    void SetDirectory(const std::string&) { DeleteFileA(path.c_str()); }
    std::string path;
  };
  auto* dirList = fw::Make<Vanishing>(form.get());
  dirList->path = temp / "a.mp3";
  list->SetDirListLink(dirList);
  const std::string typed = temp / "a.MP3";
  try {
    list->SetFileName(typed);
    FAIL() << "no exception";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid file name - " + typed);
  }
}

TEST_F(FileList, LinkedDirectoryListGetsTheWholeTypedText) {
  Files({"a.mp3"});
  temp.MakeDir("Sub");
  temp.WriteFile("Sub\\inner.mp3", "x");
  Open("*.mp3");
  auto* dirList = fw::Make<FakeDirList>(form.get());
  dirList->list = list;
  dirList->moveTo = temp / "Sub";
  list->SetDirListLink(dirList);
  EXPECT_EQ(list->DirListLink(), dirList);
  const std::string typed = temp / "Sub\\inner.mp3";
  list->SetFileName(typed);
  EXPECT_EQ(dirList->written, Names{typed});
  EXPECT_EQ(list->FileName(), typed);
  // Gone: the list goes by itself again.
  fw::Free(dirList);
  EXPECT_EQ(list->DirListLink(), nullptr);
  list->SetFileName(temp / "a.mp3");
  EXPECT_EQ(list->Directory(), temp.Path());
}

TEST_F(FileList, FilterComboLinkIsForgottenWhenTheComboGoes) {
  auto* combo = fw::Make<fw::TComponent>(form.get());
  list->SetFilterComboLink(combo);
  EXPECT_EQ(list->FilterComboLink(), combo);
  fw::Free(combo);
  EXPECT_EQ(list->FilterComboLink(), nullptr);
}

TEST_F(FileList, EditShowsTheSelectionOrTheMask) {
  Files({"a.mp3", "song.mp3"});
  auto* edit = fw::Make<fw::TEdit>(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 375, 200, 21);
  edit->SetText("before");
  list->SetFileEdit(edit);
  EXPECT_EQ(edit->Text(), "*.*");  // linked: shows the mask at once
  Open("*.mp3");
  EXPECT_EQ(edit->Text(), "*.mp3");
  list->SelectItem("song.mp3");
  EXPECT_EQ(edit->Text(), "song.mp3");
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 8);
  list->SetMask("*.MP3");  // a re-read selects nothing
  EXPECT_EQ(edit->Text(), "*.MP3");
  fw::Free(edit);
  EXPECT_EQ(list->FileEdit(), nullptr);
  list->SelectItem("a.mp3");  // no edit to update any more
  EXPECT_EQ(list->SelectedItem(), "a.mp3");
}

TEST_F(FileList, ItemHeightFollowsFontAndGlyphs) {
  list->Font().SetHeight(-8);
  const int small = filectrl::FontHeight(list->Font());
  ASSERT_LT(small, 16);
  EXPECT_EQ(list->ItemHeight(), small);
  list->SetShowGlyphs(true);
  EXPECT_EQ(list->ItemHeight(), 16);
  list->SetShowGlyphs(false);
  EXPECT_EQ(list->ItemHeight(), 16);  // never lowered by switching off
  list->SetItemHeight(13);            // as a form stores it
  list->SetShowGlyphs(true);
  EXPECT_EQ(list->ItemHeight(), 16);
  list->SetItemHeight(13);
  EXPECT_EQ(list->ItemHeight(), 13);  // holds until the next fit
  list->Font().SetHeight(-20);
  const int big = filectrl::FontHeight(list->Font());
  ASSERT_GT(big, 16);
  EXPECT_EQ(list->ItemHeight(), big);
  list->SetShowGlyphs(false);
  list->SetShowGlyphs(true);
  EXPECT_EQ(list->ItemHeight(), big);
}

TEST_F(FileList, GlyphsArePaintedWithTheirBackgroundInTheItemsBrush) {
  Files({"a.exe", "b.mp3"});
  list->SetShowGlyphs(true);
  list->SetItemHeight(20);
  Open();
  list->SetItemIndex(1);
  InvalidateRect(list->Handle(), nullptr, TRUE);
  const testsupport::Capture screen(list->Handle());
  const fw::TBitmap* glyphs[] = {&list->ExecutableGlyph(), &list->UnknownGlyph()};
  const COLORREF brushes[] = {fw::ColorToRGB(fw::clWindow), fw::ColorToRGB(fw::clHighlight)};
  for (int item = 0; item < 2; ++item) {
    SCOPED_TRACE(item);
    const fw::TBitmap& glyph = *glyphs[item];
    const COLORREF transparent = glyph.Pixel(0, glyph.Height() - 1);
    const int top = 20 * item + (20 - glyph.Height()) / 2;
    int mismatches = 0, seeThrough = 0;
    for (int y = 0; y < glyph.Height(); ++y) {
      for (int x = 0; x < glyph.Width(); ++x) {
        COLORREF g = glyph.Pixel(x, y);
        COLORREF want = g == transparent ? brushes[item] : g;
        seeThrough += g == transparent;
        mismatches += screen.At(2 + x, top + y) != want;
      }
    }
    EXPECT_GT(seeThrough, 0);
    EXPECT_EQ(mismatches, 0);
    // The text starts 6 pixels after the glyph: the gap is all brush.
    for (int x = 18; x < 22; ++x)
      for (int y = 20 * item + 2; y < 20 * item + 18; ++y)
        EXPECT_EQ(screen.At(x, y), brushes[item]) << x << "," << y;
  }
}

TEST_F(FileList, HourglassOnceAnItemLandsAtPositionHundred) {
  auto makeFiles = [&](int from, int to) {
    for (int i = from; i < to; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%03d.mp3", i);
      temp.WriteFile(name, "x");
    }
  };
  makeFiles(0, 100);
  fw::Screen().SetCursor(fw::crHandPoint);
  Open("*.mp3");
  ASSERT_EQ(list->adds.size(), 100u);
  for (const auto& add : list->adds) EXPECT_EQ(add.cursor, fw::crHandPoint);

  makeFiles(100, 130);
  list->adds.clear();
  list->ReadEntries();
  ASSERT_EQ(list->adds.size(), 130u);
  for (const auto& add : list->adds) EXPECT_EQ(add.cursor, fw::crHourGlass);
  EXPECT_EQ(fw::Screen().Cursor(), fw::crHandPoint);

  // A read that fails half way puts the cursor back as well.
  list->adds.clear();
  list->refuseAfter = 110;
  EXPECT_THROW(list->SetMask("f*.mp3"), fw::EOutOfMemory);
  EXPECT_EQ(list->adds.size(), 110u);
  EXPECT_EQ(fw::Screen().Cursor(), fw::crHandPoint);
}

// --- Layout ----------------------------------------------------------------

class LayoutForm : public fw::TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TFileListLayoutForm"; }
  fw::TNotifyEvent MethodAddress(const std::string& name) override {
    if (name == "ListChange") return [this](fw::TComponent*) { ++changes; };
    return TForm::MethodAddress(name);
  }
  int changes = 0;
};

TEST(FileListLayout, PropertiesAndLinksComeFromTheLayout) {
  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  auto form = fw::MakeOwned<LayoutForm>();
  fw::LayoutReader reader(*form);
  reader.ReadText(R"(form Test : TFileListLayoutForm {
    component FileListBox1 : TFileListBox {
      Left = 8
      Mask = "*.mp3"
      FileType = [ftNormal, ftDirectory]
      ShowGlyphs = true
      ItemHeight = 13
      FileEdit = Edit1
      OnChange = ListChange
    }
    component Edit1 : TEdit { }
  })",
                  "test");
  reader.Finish();
  auto* list = dynamic_cast<TFileListBox*>(form->FindComponent("FileListBox1"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Mask(), "*.mp3");
  EXPECT_EQ(list->FileType(), FileTypeOf({ftNormal, ftDirectory}));
  EXPECT_TRUE(list->ShowGlyphs());
  EXPECT_EQ(list->ItemHeight(), 13);
  EXPECT_EQ(list->FileEdit(), form->FindComponent("Edit1"));
  EXPECT_EQ(list->FileEdit()->Text(), "*.mp3");
  list->OnChange(list);
  EXPECT_EQ(form->changes, 1);
}

}  // namespace
