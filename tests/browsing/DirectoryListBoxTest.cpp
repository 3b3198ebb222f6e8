// The directory list with a real window and real directories: the items of
// nested, root and network directories, the volume's case rules, item
// paths, moving with Enter and double clicks, typed paths, failures that
// leave everything as it was, the label, a drive switch through the combo
// box, the item height and partners that go away.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "BrowsingSupport.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Label.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/ScriptedDrives.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using browsing::ItemTexts;
using browsing::Picture;
using browsing::Pump;
using filectrl::TDirectoryListBox;
using Texts = std::vector<std::string>;

// Counts rebuilds, draws single items into a picture, and shows its state
// and glyphs.
class ProbeDirList : public TDirectoryListBox {
 public:
  using TDirectoryListBox::ChangingDrive;
  using TDirectoryListBox::ClosedFolderGlyph;
  using TDirectoryListBox::CurrentFolderGlyph;
  using TDirectoryListBox::OpenFolderGlyph;
  using TDirectoryListBox::TDirectoryListBox;
  using TDirectoryListBox::VolumeCaseSensitive;
  using TDirectoryListBox::VolumePreservesCase;
  int rebuilds = 0;
  void RebuildItems() override {
    ++rebuilds;
    TDirectoryListBox::RebuildItems();
  }
  void Render(int index, Picture& picture) {
    fw::TCanvas& canvas = Canvas();
    canvas.Attach(picture.Dc());
    canvas.Font() = Font();
    canvas.Font().SetColor(fw::clBlack);
    canvas.Brush().Color = fw::clWhite;
    DrawItem(index, picture.Rect(), 0);
    canvas.Detach();
  }
};

class DirList : public testing::Test {
 protected:
  DirList() : form(fw::MakeOwned<fw::TForm>()) {
    form->SetBounds(30, 30, 420, 420);
    fw::ChDir(temp.Path());
    list = fw::Make<ProbeDirList>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 200, 360);
    list->OnChange = [this](fw::TComponent* sender) {
      EXPECT_EQ(sender, list);
      ++changes;
    };
  }

  void Open() {
    form->Show();
    Pump();
    list->rebuilds = 0;
  }
  // Each item as "<kind> <text>": o a level above, * the current
  // directory, - a subdirectory.
  Texts Kinds() const {
    Texts kinds;
    for (int i = 0; i < list->Items().Count(); ++i) {
      const void* glyph = list->Items().Objects(i);
      const char* kind = glyph == &list->OpenFolderGlyph()      ? "o "
                         : glyph == &list->CurrentFolderGlyph() ? "* "
                         : glyph == &list->ClosedFolderGlyph()  ? "- "
                                                                : "? ";
      kinds.push_back(kind + list->Items().Strings(i));
    }
    return kinds;
  }
  // The levels of the temp directory as items above a current one: the
  // drive's root and each name.
  Texts TempLevels() const {
    Texts levels{"o " + temp.Path().substr(0, 3)};
    const std::string& path = temp.Path();
    for (size_t start = 3; start < path.size();) {
      size_t end = path.find('\\', start);
      if (end == std::string::npos) end = path.size();
      levels.push_back("o " + path.substr(start, end - start));
      start = end + 1;
    }
    return levels;
  }
  static Texts Join(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
  void Select(const std::string& text) {
    const int index = list->Items().IndexOf(text);
    ASSERT_GE(index, 0) << text;
    list->SetItemIndex(index);
  }
  void PressEnter() {
    list->SetFocus();
    testsupport::PressKeys({VK_RETURN});
    Pump();
  }
  void DoubleClick(const std::string& text) {
    testsupport::ClickListItem(*list, list->Items().IndexOf(text), true);
    Pump();
  }
  // Volume flags of the temp directory's drive, read at the next rebuild.
  void VolumeFlags(DWORD flags) { drives->Drive(temp.Path()[0]).fsFlags = flags; }

  // The temp directory goes after the current directory was put back.
  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  // Real drives unless a test scripts one.
  testsupport::ScopedDrives drives{true};
  testsupport::ScopedDialogs dialogs;
  fw::Owned<fw::TForm> form;
  ProbeDirList* list;
  int changes = 0;
};

TEST_F(DirList, StartsInTheProcessDirectoryWithoutItems) {
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(list->Drive(), temp.Path()[0]);
  EXPECT_FALSE(list->Sorted());
  EXPECT_EQ(list->Items().Count(), 0);
  EXPECT_EQ(list->ItemHeight(), 16);
  for (const fw::TBitmap* glyph :
       {&list->OpenFolderGlyph(), &list->ClosedFolderGlyph(), &list->CurrentFolderGlyph()}) {
    EXPECT_EQ(glyph->Width(), 16);
    EXPECT_EQ(glyph->Height(), 15);
  }
  auto* fresh = fw::Make<TDirectoryListBox>(form.get());
  EXPECT_EQ(fresh->Width(), 145);
  // The window brings the items, selected at the current directory, and
  // reports nothing: the partners started in the same place.
  Open();
  Texts expected = TempLevels();
  expected.back()[0] = '*';
  EXPECT_EQ(Kinds(), expected);
  EXPECT_EQ(list->ItemIndex(), list->Items().Count() - 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(DirList, NestedDirectoryShowsItsLevelsAndSortedVisibleSubdirectories) {
  for (const char* name : {"A\\B\\zeta", "A\\B\\Alpha", "A\\B\\beta", "A\\B\\Hid", "A\\B\\Sys"})
    temp.MakeDir(name);
  temp.SetAttributes("A\\B\\Hid", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  temp.SetAttributes("A\\B\\Sys", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
  temp.WriteFile("A\\B\\file.txt", "x");
  Open();
  list->SetDirectory(temp / "A\\B");
  const Texts expected = Join(Join(TempLevels(), {"o A", "* B"}), {"- Alpha", "- beta", "- zeta"});
  EXPECT_EQ(Kinds(), expected);
  EXPECT_EQ(list->ItemIndex(), static_cast<int>(TempLevels().size()) + 1);
  EXPECT_EQ(list->Directory(), temp / "A\\B");
  EXPECT_EQ(fw::GetCurrentDir(), temp / "A\\B");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list->rebuilds, 1);
  const int count = list->Items().Count();
  EXPECT_EQ(list->PathOfItem(-1), "");
  EXPECT_EQ(list->PathOfItem(count), "");
  EXPECT_EQ(list->PathOfItem(0), temp.Path().substr(0, 3));
  EXPECT_EQ(list->PathOfItem(count - 5), temp / "A");
  EXPECT_EQ(list->PathOfItem(count - 4), temp / "A\\B");
  EXPECT_EQ(list->PathOfItem(count - 1), temp / "A\\B\\zeta");
}

TEST_F(DirList, DriveRootIsTheCurrentItemItself) {
  Open();
  const std::string root = temp.Path().substr(0, 3);
  list->SetDirectory(root);
  EXPECT_EQ(list->Directory(), root);
  const Texts kinds = Kinds();
  ASSERT_GE(kinds.size(), 3u);
  EXPECT_EQ(kinds[0], "* " + root);
  EXPECT_EQ(list->ItemIndex(), 0);
  const Texts texts = ItemTexts(*list);
  for (const char* name : {"users", "windows"})
    EXPECT_NE(std::find(texts.begin() + 1, texts.end(), name), texts.end()) << name;
  for (size_t i = 1; i < kinds.size(); ++i) {
    EXPECT_EQ(kinds[i][0], '-') << kinds[i];
    if (i > 1) {
      EXPECT_LT(fw::AnsiCompareText(texts[i - 1], texts[i]), 0) << texts[i];
    }
  }
}

TEST_F(DirList, NetworkDirectoryStartsWithTheShareRoot) {
  browsing::ScratchShare share;
  if (!share.Available()) GTEST_SKIP() << "no share can be made outside Wine";
  share.MakeDir("DIR\\Sub2");
  share.MakeDir("DIR\\sub1");
  share.MakeDir("A\\B\\C");
  Open();
  const std::string root = share.Root() + "\\";
  struct Case {
    std::string directory;
    Texts kinds;
    int selected;
    Texts paths;  // PathOfItem of each item
  };
  const std::vector<Case> cases = {
      {share.Root() + "\\DIR",
       {"o " + root, "* DIR", "- sub1", "- Sub2"},
       1,
       {root, share.Root() + "\\DIR", share.Root() + "\\DIR\\sub1", share.Root() + "\\DIR\\Sub2"}},
      {share.Root() + "\\A\\B",
       {"o " + root, "o A", "* B", "- C"},
       2,
       {root, share.Root() + "\\A", share.Root() + "\\A\\B", share.Root() + "\\A\\B\\C"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory);
    list->SetDirectory(c.directory);
    EXPECT_EQ(list->Directory(), c.directory);
    EXPECT_EQ(list->Drive(), '\\');
    EXPECT_EQ(Kinds(), c.kinds);
    EXPECT_EQ(list->ItemIndex(), c.selected);
    for (size_t i = 0; i < c.paths.size(); ++i)
      EXPECT_EQ(list->PathOfItem(static_cast<int>(i)), c.paths[i]);
    // The share's volume cannot be read here: names keep their case.
    EXPECT_TRUE(list->VolumePreservesCase());
  }
  // Enter on the first item goes to the share's root, which has no item
  // of its own: its root item is selected.
  Select(root);
  PressEnter();
  EXPECT_EQ(fw::AnsiCompareFileName(list->Directory().substr(0, share.Root().size()), share.Root()),
            0);
  EXPECT_EQ(Kinds(), (Texts{"o " + root, "- A", "- DIR"}));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(DirList, VolumeCaseRulesDecideDisplayAndComparison) {
  temp.MakeDir("Mixed\\Sub");
  Open();
  list->SetDirectory(temp / "Mixed");
  struct Case {
    DWORD flags;
    bool preserves, sensitive;
  };
  for (const Case& c : {Case{0, false, false}, Case{FS_CASE_IS_PRESERVED, true, false},
                        Case{FS_CASE_SENSITIVE, true, true},
                        Case{FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED, true, true}}) {
    SCOPED_TRACE(c.flags);
    VolumeFlags(c.flags);
    list->RebuildItems();
    EXPECT_EQ(list->VolumePreservesCase(), c.preserves);
    EXPECT_EQ(list->VolumeCaseSensitive(), c.sensitive);
    // Only the drawing changes case; items and paths keep the system's.
    const int mixed = list->Items().IndexOf("Mixed");
    EXPECT_EQ(list->Items().Strings(mixed), "Mixed");
    EXPECT_EQ(list->PathOfItem(mixed + 1), temp / "Mixed\\Sub");
    Picture drawn(220, list->ItemHeight()), expected(220, list->ItemHeight());
    list->Render(mixed, drawn);
    expected.DrawGlyph(list->CurrentFolderGlyph(), 2 + 4 * mixed);
    expected.DrawText(list->Font(), c.preserves ? "Mixed" : "mixed", 2 + 4 * mixed + 20);
    EXPECT_EQ(drawn.DifferingColumns(expected), std::vector<int>{});
  }
  // A volume that cannot be read keeps case.
  drives->Drive(temp.Path()[0]).notReady = true;
  list->RebuildItems();
  EXPECT_TRUE(list->VolumePreservesCase());
  EXPECT_FALSE(list->VolumeCaseSensitive());
}

TEST_F(DirList, SameDirectoryInOtherCaseCountsOnlyOnACaseSensitiveVolume) {
  temp.MakeDir("Mixed");
  Open();
  list->SetDirectory(temp / "Mixed");
  const int before = changes;
  list->rebuilds = 0;
  const std::string upper = fw::AnsiUpperCase(list->Directory());
  list->SetDirectory(upper);
  EXPECT_EQ(list->Directory(), temp / "Mixed");
  EXPECT_EQ(changes, before);
  EXPECT_EQ(list->rebuilds, 0);

  VolumeFlags(FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED);
  list->RebuildItems();
  list->rebuilds = 0;
  list->SetDirectory(upper);
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(list->rebuilds, 1);
  // Whatever form the system now reports, Directory is it.
  EXPECT_EQ(list->Directory(), fw::GetCurrentDir());
}

TEST_F(DirList, ItemsAreIndentedByTheirLevel) {
  // Real directories of the system, two levels deep and the root.
  const std::string root = temp.Path().substr(0, 3);
  const std::string system = root + "windows\\system32";
  ASSERT_TRUE(fw::DirectoryExists(system));
  Open();
  struct Case {
    std::string directory;
    int index;  // -1: the first subdirectory
    int glyphX;
  };
  const std::vector<Case> cases = {
      {system, 0, 2},   {system, 1, 6}, {system, 2, 10},
      {system, -1, 14}, {root, 0, 2},   {root, -1, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory + " item " + std::to_string(c.index));
    list->SetDirectory(c.directory);
    int index = c.index;
    if (index < 0) {
      index = list->ItemIndex() + 1;
      ASSERT_LT(index, list->Items().Count());
    }
    const auto* glyph = static_cast<const fw::TBitmap*>(list->Items().Objects(index));
    Picture drawn(260, list->ItemHeight()), expected(260, list->ItemHeight());
    list->Render(index, drawn);
    expected.DrawGlyph(*glyph, c.glyphX);
    expected.DrawText(list->Font(), list->Items().Strings(index), c.glyphX + 20);
    EXPECT_EQ(drawn.DifferingColumns(expected), std::vector<int>{});
    EXPECT_FALSE(drawn.Blank());
  }
}

TEST_F(DirList, EnterAndDoubleClickMoveUpDownAndToTheRoot) {
  temp.MakeDir("A\\B\\C\\D");
  temp.MakeDir("A\\B\\E");
  Open();
  list->SetDirectory(temp / "A\\B");
  int dblClicks = 0;
  list->OnDblClick = [&](fw::TComponent*) { ++dblClicks; };
  struct Step {
    bool enter;  // else a double click
    std::string item;
    std::string directory;
  };
  const std::string root = temp.Path().substr(0, 3);
  const std::vector<Step> steps = {
      {true, "C", temp / "A\\B\\C"},  {true, "A", temp / "A"},     {false, "B", temp / "A\\B"},
      {false, "E", temp / "A\\B\\E"}, {false, "B", temp / "A\\B"}, {true, root, root},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE((step.enter ? "Enter on " : "double click on ") + step.item);
    const int before = changes;
    if (step.enter) {
      Select(step.item);
      PressEnter();
    } else {
      DoubleClick(step.item);
    }
    EXPECT_EQ(list->Directory(), step.directory);
    EXPECT_EQ(changes, before + 1);
  }
  EXPECT_EQ(dblClicks, 3);
  // The current item and no selection change nothing.
  list->SetDirectory(temp / "A\\B");
  const int before = changes;
  Select("B");
  PressEnter();
  list->SetItemIndex(-1);
  PressEnter();
  list->OpenSelected();
  EXPECT_EQ(list->Directory(), temp / "A\\B");
  EXPECT_EQ(changes, before);
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(DirList, TypedPathsEndingInAFileOrAMaskGoToTheirDirectory) {
  temp.WriteFile("A\\song.mp3", "x");
  temp.MakeDir("A\\B");
  Open();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {temp / "A\\song.mp3", temp / "A"},
      {temp / "A\\B\\*.mp3", temp / "A\\B"},
      {"..\\song.mp3", temp / "A"},  // relative to where the process stands
      {"B", temp / "A\\B"},
      {"[..]", temp / "A"},
  };
  for (const auto& [typed, directory] : cases) {
    SCOPED_TRACE(typed);
    list->SetDirectory(typed);
    EXPECT_EQ(list->Directory(), directory);
  }
}

TEST_F(DirList, MissingPathRaisesAndLeavesEverythingAsItWas) {
  temp.MakeDir("A\\B");
  temp.WriteFile("A\\song.mp3", "x");
  auto* files = fw::Make<filectrl::TFileListBox>(form.get());
  files->SetParent(form.get());
  files->SetBounds(220, 10, 180, 300);
  auto* label = fw::Make<fw::TLabel>(form.get());
  label->SetParent(form.get());
  list->SetFileList(files);
  list->SetDirLabel(label);
  Open();
  list->SetDirectory(temp / "A");
  const Texts items = ItemTexts(*list), fileItems = ItemTexts(*files);
  const std::string caption = label->Text();
  const int before = changes;
  for (const std::string& typed :
       {temp / "missing", temp / "missing\\deeper", temp / "A\\B\\nothing.mp3", std::string("Q")}) {
    SCOPED_TRACE(typed);
    EXPECT_THROW(list->SetDirectory(typed), fw::EInOutError);
    EXPECT_EQ(list->Directory(), temp / "A");
    EXPECT_EQ(ItemTexts(*list), items);
    EXPECT_EQ(files->Directory(), temp / "A");
    EXPECT_EQ(ItemTexts(*files), fileItems);
    EXPECT_EQ(label->Text(), caption);
    EXPECT_EQ(fw::GetCurrentDir(), temp / "A");
  }
  EXPECT_EQ(changes, before);
  // An empty text is ignored.
  list->SetDirectory("");
  EXPECT_EQ(changes, before);
}

// The stages of shortening C:\D1\...\Dn\NAME, longest first.
Texts ShorteningStages(const std::string& path) {
  Texts parts;
  for (size_t start = 3; start <= path.size();) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  Texts stages{path};
  for (size_t k = 1; k < parts.size(); ++k) {
    std::string rest;
    for (size_t i = k; i < parts.size(); ++i) rest += "\\" + parts[i];
    stages.push_back(path.substr(0, 2) + "\\..." + rest);
  }
  stages.push_back("...\\" + parts.back());
  stages.push_back(parts.back());
  return stages;
}

TEST_F(DirList, LabelShowsTheDirectoryShortenedToFit) {
  temp.MakeDir("Alben\\Sammlung");
  auto* label = fw::Make<fw::TLabel>(form.get());
  label->SetParent(form.get());
  label->Font().SetStyle(fw::fsBold);
  const std::string deep = temp / "Alben\\Sammlung";
  const Texts stages = ShorteningStages(deep);
  fw::ScreenCanvas canvas;
  canvas.Font() = label->Font();
  // A label that sizes itself gets the list's width, another its own.
  struct Case {
    bool autoSize;
    int listWidth, labelWidth;
  };
  for (const Case& c : {Case{true, 2000, 10}, Case{true, 200, 10}, Case{true, 120, 900},
                        Case{false, 2000, 150}, Case{false, 2000, 60}, Case{true, 5, 900}}) {
    const int width = c.autoSize ? c.listWidth : c.labelWidth;
    SCOPED_TRACE(std::to_string(width));
    label->SetAutoSize(c.autoSize);
    label->SetWidth(c.labelWidth);
    list->SetWidth(c.listWidth);
    list->SetDirLabel(label);  // shows at once
    list->SetDirectory(temp.Path());
    list->SetDirectory(deep);
    std::string fitting = stages.back();  // the name is never cut
    for (const std::string& stage : stages) {
      if (canvas.TextWidth(stage) <= width) {
        fitting = stage;
        break;
      }
    }
    EXPECT_EQ(label->Text(), fitting);
  }
  EXPECT_EQ(label->Text(), "Sammlung");
}

TEST_F(DirList, DriveChangeThroughTheComboBoxRebuildsOnce) {
  const std::string other = "Z:\\tmp";
  if (!fw::DirectoryExists(other)) GTEST_SKIP() << "no second drive";
  auto* combo = fw::Make<filectrl::TDriveComboBox>(form.get());
  combo->SetParent(form.get());
  combo->SetBounds(220, 10, 180, 21);
  combo->SetDirList(list);
  int comboChanges = 0;
  combo->OnChange = [&](fw::TComponent*) { ++comboChanges; };
  Open();
  ASSERT_EQ(combo->Drive(), fw::AnsiLowerCase(temp.Path().substr(0, 1))[0]);
  for (const std::string& target : {other, temp.Path()}) {
    SCOPED_TRACE(target);
    list->rebuilds = 0;
    const int before = changes, comboBefore = comboChanges;
    list->SetDirectory(target);
    // With the drive letter in upper case, though the combo box has it in
    // lower case.
    EXPECT_EQ(list->Directory(), target);
    EXPECT_EQ(list->rebuilds, 1);
    EXPECT_EQ(changes, before + 1);
    EXPECT_FALSE(list->ChangingDrive());
    EXPECT_EQ(comboChanges, comboBefore + 1);
    const char letter = fw::AnsiLowerCase(target.substr(0, 1))[0];
    EXPECT_EQ(combo->Drive(), letter);
    // Seen once, in the first program of a new Wine prefix: say what the system answered.
    ASSERT_GE(combo->ItemIndex(), 0)
        << testing::PrintToString(testsupport::ItemTexts(*combo)) << ", drives 0x" << std::hex
        << GetLogicalDrives() << ", type of " << letter << ": "
        << GetDriveTypeA((target.substr(0, 3)).c_str());
    EXPECT_EQ(combo->Items().Strings(combo->ItemIndex())[0], letter);
  }
}

TEST_F(DirList, ApplyDrive) {
  Open();
  const std::string start = list->Directory();
  const char letter = start[0];
  // The drive on display, in either case: nothing.
  for (char same : {letter, static_cast<char>(letter | 0x20)}) {
    list->ApplyDrive(same);
    EXPECT_EQ(list->rebuilds, 0);
    EXPECT_EQ(changes, 0);
  }
  // No letter: Directory stays, the list is rebuilt and reports.
  list->ApplyDrive('\0');
  EXPECT_EQ(list->Directory(), start);
  EXPECT_EQ(list->rebuilds, 1);
  EXPECT_EQ(changes, 1);
  // Another drive: the directory the system has as current there.
  if (fw::DirectoryExists("Z:\\")) {
    list->ApplyDrive('z');
    EXPECT_EQ(list->Drive(), 'Z');
    EXPECT_EQ(list->Directory(), fw::GetCurrentDir());
    EXPECT_EQ(list->rebuilds, 2);
    EXPECT_EQ(changes, 2);
  }
}

TEST_F(DirList, ItemHeightFollowsTheFontButHoldsTheGlyphs) {
  EXPECT_EQ(list->ItemHeight(), 16);
  for (int fontHeight : {-8, -11, -30, -48}) {
    SCOPED_TRACE(fontHeight);
    list->Font().SetHeight(fontHeight);
    const int textHeight = filectrl::FontHeight(list->Font());
    EXPECT_EQ(list->ItemHeight(), textHeight < 16 ? 16 : textHeight);
  }
  EXPECT_GT(list->ItemHeight(), 16);
}

TEST_F(DirList, AnotherFileListTakesOverTheLink) {
  auto* first = fw::Make<filectrl::TFileListBox>(form.get());
  auto* second = fw::Make<filectrl::TFileListBox>(form.get());
  list->SetFileList(first);
  list->SetFileList(second);
  EXPECT_EQ(first->DirListLink(), nullptr);
  EXPECT_EQ(second->DirListLink(), list);
  // Its directory follows at the next change, not before.
  temp.MakeDir("A");
  fw::ChDir(cwd.Saved());
  auto* late = fw::Make<filectrl::TFileListBox>(form.get());
  list->SetFileList(late);
  EXPECT_EQ(late->Directory(), cwd.Saved());
  list->SetDirectory(temp / "A");
  EXPECT_EQ(late->Directory(), temp / "A");
  EXPECT_EQ(first->Directory(), temp.Path());
}

}  // namespace
