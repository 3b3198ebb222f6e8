// The drive selector on a scripted machine: item texts and glyphs in both
// letter cases, Drive writes, the user's pick moving the directory list,
// a drive that cannot be entered, drawing, item height and the link.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "BrowsingSupport.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/ScriptedDrives.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using browsing::ItemTexts;
using browsing::Picture;
using browsing::Pump;
using filectrl::TDriveComboBox;
using filectrl::TTextCase;
using Texts = std::vector<std::string>;

// Shows its glyphs.
class ProbeDriveCombo : public TDriveComboBox {
 public:
  using TDriveComboBox::CDROMGlyph;
  using TDriveComboBox::FixedGlyph;
  using TDriveComboBox::FloppyGlyph;
  using TDriveComboBox::NetworkGlyph;
  using TDriveComboBox::RAMGlyph;
  using TDriveComboBox::TDriveComboBox;
};

// Also claims the bits above z, which name no drive.
class WideMaskDrives : public testsupport::ScriptedDrives {
 public:
  DWORD LogicalDrives() override { return ScriptedDrives::LogicalDrives() | 0xFC000000u; }
};
using ScopedWideMaskDrives =
    testsupport::Installed<WideMaskDrives, fw::DriveService, &fw::SetDriveService>;

class DriveCombo : public testing::Test {
 protected:
  DriveCombo() : form(fw::MakeOwned<fw::TForm>()) {
    form->SetBounds(30, 30, 420, 300);
    fw::ChDir(temp.Path());
    // The temp directory's drive, as the system knows it, is fixed.
    drives->Drive(Letter()).label = "SYSTEM";
    combo = fw::Make<ProbeDriveCombo>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 200, 21);
    combo->OnChange = [this](fw::TComponent* sender) {
      EXPECT_EQ(sender, combo);
      ++changes;
    };
  }
  char Letter() const { return temp.Path()[0]; }
  static char Lower(char c) { return static_cast<char>(c | 0x20); }
  void Open() {
    form->Show();
    Pump();
  }
  std::string Selected() const {
    const int index = combo->ItemIndex();
    return index < 0 ? std::string() : combo->Items().Strings(index);
  }
  // The user moves the selection in the closed box with the arrow keys.
  void PickWithKey(WORD key) {
    combo->SetFocus();
    testsupport::PressKeys({key});
    Pump();
  }
  void Render(int index, Picture& picture) {
    fw::TCanvas& canvas = combo->Canvas();
    canvas.Attach(picture.Dc());
    canvas.Font() = combo->Font();
    canvas.Font().SetColor(fw::clBlack);
    canvas.Brush().Color = fw::clWhite;
    combo->DrawItem(index, picture.Rect(), 0);
    canvas.Detach();
  }
  filectrl::TDirectoryListBox* LinkedList() {
    auto* list = fw::Make<filectrl::TDirectoryListBox>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 40, 200, 200);
    list->OnChange = [this](fw::TComponent*) { ++listChanges; };
    combo->SetDirList(list);
    return list;
  }

  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDrives drives;
  testsupport::ScopedDialogs dialogs;
  fw::Owned<fw::TForm> form;
  ProbeDriveCombo* combo;
  int changes = 0;
  int listChanges = 0;
};

TEST_F(DriveCombo, StartsOnTheProcessDriveWithItsGlyphs) {
  EXPECT_EQ(combo->Drive(), Letter());
  EXPECT_EQ(combo->Style(), fw::TComboBoxStyle::csOwnerDrawFixed);
  EXPECT_EQ(combo->TextCase(), TTextCase::tcLowerCase);
  EXPECT_EQ(combo->Items().Count(), 0);
  for (const fw::TBitmap* glyph :
       {&combo->FloppyGlyph(), &combo->FixedGlyph(), &combo->NetworkGlyph(), &combo->CDROMGlyph(),
        &combo->RAMGlyph()}) {
    EXPECT_EQ(glyph->Width(), 16);
    EXPECT_EQ(glyph->Height(), 11);
    EXPECT_EQ(glyph->Pixel(0, 10), RGB(0, 0, 255));
  }
  // The window lists the drives, selects the drive in the box's case and
  // reports it.
  Open();
  EXPECT_EQ(combo->Drive(), Lower(Letter()));
  EXPECT_EQ(Selected(), std::string(1, Lower(Letter())) + ": [system]");
  EXPECT_EQ(changes, 1);
}

TEST_F(DriveCombo, StartsWithoutADriveOnAShare) {
  browsing::ScratchShare share;
  if (!share.Available()) GTEST_SKIP() << "no share can be made outside Wine";
  fw::ChDir(share.Root());
  auto* onShare = fw::Make<TDriveComboBox>(form.get());
  onShare->SetParent(form.get());
  EXPECT_EQ(onShare->Drive(), '\0');
  Open();
  EXPECT_EQ(onShare->ItemIndex(), -1);
}

TEST_F(DriveCombo, ListsTheMachinesDrivesInEitherCase) {
  ScopedWideMaskDrives machine;
  machine->Drive('A').type = DRIVE_REMOVABLE;
  machine->Drive('C').label = "SYSTEM";
  machine->Drive('D').type = DRIVE_CDROM;
  machine->Drive('D').label = "AUDIO";
  machine->Drive('D').notReady = true;  // no disc
  machine->Drive('E').type = DRIVE_REMOTE;
  machine->Drive('E').remoteName = "\\\\SERVER\\Share";
  machine->Drive('F').type = DRIVE_UNKNOWN;
  machine->Drive('G').type = DRIVE_NO_ROOT_DIR;
  machine->Drive('H').label = "";
  machine->Drive('R').type = DRIVE_RAMDISK;
  machine->Drive('R').label = "Ram";
  machine->Drive('X').type = 7;  // a type the system may add later
  Open();
  const std::vector<const fw::TBitmap*> glyphs = {&combo->FloppyGlyph(), &combo->FixedGlyph(),
                                                  &combo->CDROMGlyph(),  &combo->NetworkGlyph(),
                                                  &combo->FixedGlyph(),  &combo->RAMGlyph()};
  struct Case {
    TTextCase textCase;
    Texts texts;
  };
  const std::vector<Case> cases = {
      {TTextCase::tcLowerCase,
       {"a:", "c: [system]", "d: []", "e: \\\\server\\share", "h: []", "r: [ram]"}},
      {TTextCase::tcUpperCase,
       {"A:", "C: [SYSTEM]", "D: []", "E: \\\\SERVER\\SHARE", "H: []", "R: [RAM]"}},
      {TTextCase::tcLowerCase,
       {"a:", "c: [system]", "d: []", "e: \\\\server\\share", "h: []", "r: [ram]"}},
  };
  // As the window read them, then after each switch of the case.
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.textCase));
    const int before = changes;
    if (&c != &cases.front()) combo->SetTextCase(c.textCase);
    EXPECT_EQ(ItemTexts(*combo), c.texts);
    for (int i = 0; i < combo->Items().Count(); ++i)
      EXPECT_EQ(combo->Items().Objects(i), glyphs[static_cast<size_t>(i)]) << i;
    // The same drive stays selected, now in the new case.
    EXPECT_EQ(Selected(), c.texts[1]);
    EXPECT_EQ(combo->Drive(), c.texts[1][0]);
    EXPECT_EQ(changes, before + (&c != &cases.front()));
  }
  // The removable drive is asked for its type only; no letter past z is
  // asked for at all.
  for (const std::string& query : machine->Log) {
    const size_t blank = query.find(' ');
    if (blank == std::string::npos) continue;
    const char letter = static_cast<char>(query[blank + 1] | 0x20);
    EXPECT_TRUE(letter >= 'a' && letter <= 'z') << query;
    if (query.rfind("DriveType ", 0) != 0) {
      EXPECT_NE(letter, 'a') << query;
    }
  }
  // Writing the case it has does nothing.
  const int before = changes;
  combo->SetTextCase(TTextCase::tcLowerCase);
  EXPECT_EQ(changes, before);
}

TEST_F(DriveCombo, DriveWrites) {
  drives->Drive('D').type = DRIVE_CDROM;
  Open();
  const std::string own = Selected();
  struct Step {
    char write;
    char drive;
    std::string selected;
    int reports;
  };
  const char lower = Lower(Letter()), upper = static_cast<char>(Letter() & ~0x20);
  const std::vector<Step> steps = {
      {upper, lower, own, 0},  // selected already, in the other case
      {'Q', 'q', own, 1},      // no such item: the selection stays
      {'D', 'd', "d: []", 1},  // in the box's case
      {'d', 'd', "d: []", 0},  //
      {'\0', '\0', "", 1},     // nothing selected
      {'\0', '\0', "", 1},     // nothing selected, so not "the same"
      {upper, lower, own, 1},  //
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string("write ") + (step.write ? std::string(1, step.write) : "#0"));
    const int before = changes;
    combo->SetDrive(step.write);
    EXPECT_EQ(combo->Drive(), step.drive);
    EXPECT_EQ(Selected(), step.selected);
    EXPECT_EQ(changes, before + step.reports);
  }
}

TEST_F(DriveCombo, NoDriveKeepsTheListsDirectoryAndRebuildsIt) {
  auto* list = LinkedList();
  Open();
  const int before = listChanges;
  combo->SetDrive('\0');
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(listChanges, before + 1);
  // Back on the list's own drive: nothing for the list to do.
  combo->SetDrive(Letter());
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(listChanges, before + 1);
}

TEST_F(DriveCombo, TheUsersPickMovesTheDirectoryList) {
  if (!fw::DirectoryExists("Z:\\")) GTEST_SKIP() << "no second drive";
  drives->Drive('Z');
  auto* list = LinkedList();
  int clicks = 0;
  combo->OnClick = [&](fw::TComponent*) { ++clicks; };
  Open();
  ASSERT_EQ(Selected()[0], Lower(Letter()));
  const int before = changes, listBefore = listChanges;
  PickWithKey(VK_DOWN);
  EXPECT_EQ(Selected(), "z: []");
  EXPECT_EQ(combo->Drive(), 'z');
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(listChanges, listBefore + 1);
  EXPECT_EQ(list->Drive(), 'Z');
  EXPECT_EQ(list->Directory(), fw::GetCurrentDir());
  // Back on the first drive, wherever the system has it stand there.
  PickWithKey(VK_UP);
  EXPECT_EQ(list->Drive(), Letter());
  EXPECT_EQ(list->Directory(), fw::GetCurrentDir());
  EXPECT_EQ(listChanges, listBefore + 2);
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(DriveCombo, ADriveThatCannotBeEnteredLeavesTheListWhereItWas) {
  // A removable drive without a medium: listed, but not there for real.
  char missing = 'Q';
  while (::GetLogicalDrives() & (1u << (missing - 'A'))) ++missing;
  drives->Drive(missing).type = DRIVE_REMOVABLE;
  auto* list = LinkedList();
  Open();
  list->SetDirectory(temp.Path());
  const Texts items = ItemTexts(*list);
  const int before = changes, listBefore = listChanges;
  PickWithKey(VK_DOWN);
  // The error box told the user; the box shows the new drive, the list
  // the old directory, and no change was reported.
  ASSERT_EQ(dialogs->Texts(testsupport::DialogKind::Exception).size(), 1u);
  EXPECT_EQ(combo->Drive(), Lower(missing));
  EXPECT_EQ(Selected(), std::string(1, Lower(missing)) + ":");
  EXPECT_EQ(changes, before);
  EXPECT_EQ(list->Directory(), temp.Path());
  EXPECT_EQ(ItemTexts(*list), items);
  EXPECT_EQ(listChanges, listBefore);
  // Typing a path on that drive into the list raises as well, instead of
  // taking its directory part on the drive the list is on.
  EXPECT_THROW(list->SetDirectory(std::string{missing, ':', '\\'}), fw::EInOutError);
  EXPECT_EQ(list->Directory(), temp.Path());
  // Going back to the list's drive reports again.
  PickWithKey(VK_UP);
  EXPECT_EQ(combo->Drive(), Lower(Letter()));
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(list->Directory(), temp.Path());
}

TEST_F(DriveCombo, ItemsShowGlyphAndTextWithoutPrefixes) {
  drives->Drive(Letter()).label = "R&B";
  drives->Drive('A').type = DRIVE_REMOVABLE;
  Open();
  // Higher than an item, to see the vertical centring.
  const int height = 22;
  for (int index = 0; index < combo->Items().Count(); ++index) {
    const std::string text = combo->Items().Strings(index);
    SCOPED_TRACE(text);
    Picture drawn(200, height), expected(200, height);
    Render(index, drawn);
    expected.DrawGlyph(*static_cast<const fw::TBitmap*>(combo->Items().Objects(index)), 2);
    expected.DrawTextFormatted(combo->Font(), text, 22, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_EQ(drawn.DifferingColumns(expected), std::vector<int>{});
  }
  // The closed box without a selection draws its background only.
  Picture empty(200, height);
  Render(-1, empty);
  EXPECT_TRUE(empty.Blank());
}

TEST_F(DriveCombo, ItemHeightFollowsTheFontButHoldsTheGlyphs) {
  Open();
  for (int fontHeight : {-5, -8, -11, -30}) {
    SCOPED_TRACE(fontHeight);
    const size_t reads = drives->Log.size();
    HWND before = combo->Handle();
    combo->Font().SetHeight(fontHeight);
    const int textHeight = filectrl::FontHeight(combo->Font());
    EXPECT_EQ(combo->ItemHeight(), textHeight < 11 ? 11 : textHeight);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), combo->ItemHeight());
    // A new window, which read the drives again and selected the drive.
    EXPECT_NE(combo->Handle(), before);
    EXPECT_GT(drives->Log.size(), reads);
    EXPECT_EQ(combo->Drive(), Lower(Letter()));
    EXPECT_GE(combo->ItemIndex(), 0);
  }
}

TEST_F(DriveCombo, DirListLinkIsSetClearedAndForgotten) {
  auto* first = LinkedList();
  EXPECT_EQ(first->LinkedDriveCombo(), combo);
  auto* second = fw::Make<filectrl::TDirectoryListBox>(form.get());
  combo->SetDirList(second);
  EXPECT_EQ(first->LinkedDriveCombo(), nullptr);
  EXPECT_EQ(second->LinkedDriveCombo(), combo);
  Open();
  fw::Free(second);
  EXPECT_EQ(combo->DirList(), nullptr);
  combo->SetDrive('\0');  // no list to tell
  EXPECT_EQ(combo->Drive(), '\0');
  // Freeing the box frees the list of its link.
  combo->SetDirList(first);
  fw::Free(combo);
  EXPECT_EQ(first->LinkedDriveCombo(), nullptr);
  first->SetDirectory(temp.Path().substr(0, 3));
  EXPECT_EQ(first->Directory(), temp.Path().substr(0, 3));
}

}  // namespace
