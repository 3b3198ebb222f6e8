// The filter selector: entries and masks from filter texts of every shape,
// the selected mask, and the masks it hands to a real file list when the
// filter is written or the user picks an entry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "BrowsingSupport.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "fw/Form.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using browsing::ItemTexts;
using browsing::Pump;
using filectrl::TFileListBox;
using filectrl::TFilterComboBox;
using Texts = std::vector<std::string>;

Texts Masks(const TFilterComboBox& combo) {
  Texts masks;
  for (int i = 0; i < combo.FilterMasks().Count(); ++i) masks.push_back(combo.FilterMasks()[i]);
  return masks;
}

class FilterCombo : public testing::Test {
 protected:
  FilterCombo() : form(fw::MakeOwned<fw::TForm>()) {
    form->SetBounds(30, 30, 420, 300);
    for (const char* name : {"a.mp3", "b.wav", "c.txt", "notes"}) temp.WriteFile(name, "x");
    fw::ChDir(temp.Path());
    combo = fw::Make<TFilterComboBox>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 200, 21);
    combo->OnChange = [this](fw::TComponent* sender) {
      EXPECT_EQ(sender, combo);
      ++changes;
    };
    files = fw::Make<TFileListBox>(form.get());
    files->SetParent(form.get());
    files->SetBounds(10, 40, 200, 200);
  }
  void Open() {
    form->Show();
    Pump();
  }

  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  fw::Owned<fw::TForm> form;
  TFilterComboBox* combo;
  TFileListBox* files;
  int changes = 0;
};

TEST_F(FilterCombo, StartsWithTheDefaultFilter) {
  EXPECT_EQ(combo->Filter(), "All files (*.*)|*.*");
  EXPECT_EQ(combo->Style(), fw::TComboBoxStyle::csDropDownList);
  EXPECT_EQ(combo->FileList(), nullptr);
  Open();
  EXPECT_EQ(ItemTexts(*combo), Texts{"All files (*.*)"});
  EXPECT_EQ(Masks(*combo), Texts{"*.*"});
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(changes, 0);
}

TEST_F(FilterCombo, FilterTextsOfEveryShape) {
  struct Case {
    std::string filter;
    Texts descriptions, masks;
  };
  const std::vector<Case> cases = {
      {"MP3 Files|*.mp3", {"MP3 Files"}, {"*.mp3"}},
      {"MP3 Files", {}, {}},
      {"", {}, {}},
      {"Music|*.mp3;*.wav|Text|*.txt", {"Music", "Text"}, {"*.mp3;*.wav", "*.txt"}},
      {"A|*.a|B|*.b|C", {"A", "B"}, {"*.a", "*.b"}},
      {"A|*.a|B|", {"A", "B"}, {"*.a", ""}},
      {"|", {""}, {""}},
      {" Spaced | *.x ;*.y ", {" Spaced "}, {" *.x ;*.y "}},
      {"A||B|*.b", {"A", "B"}, {"", "*.b"}},
  };
  // Before the window (as a layout is read) and with it.
  for (bool window : {false, true}) {
    if (window) Open();
    for (const Case& c : cases) {
      SCOPED_TRACE((window ? "window, " : "no window, ") + c.filter);
      combo->SetFilter(c.filter);
      EXPECT_EQ(combo->Filter(), c.filter);
      EXPECT_EQ(ItemTexts(*combo), c.descriptions);
      EXPECT_EQ(Masks(*combo), c.masks);
      EXPECT_EQ(combo->ItemIndex(), c.descriptions.empty() ? -1 : 0);
    }
  }
}

TEST_F(FilterCombo, SelectedMaskWithNothingSelectedTakesTheLastEntry) {
  for (bool window : {false, true}) {
    SCOPED_TRACE(window ? "window" : "no window");
    if (window) Open();
    combo->SetFilter("Music|*.mp3|Text|*.txt|Any|*.*");
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->SelectedMask(), "*.*");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->SelectedMask(), "*.txt");
    combo->SetFilter("no entries at all");
    EXPECT_EQ(combo->SelectedMask(), "*.*");
    EXPECT_EQ(combo->ItemIndex(), -1);
  }
}

TEST_F(FilterCombo, FilterWritesHandTheMaskToTheFileList) {
  combo->SetFileList(files);
  Open();
  EXPECT_EQ(files->Mask(), "*.*");  // linking hands nothing on
  struct Step {
    std::string filter;
    std::string mask;
    Texts listed;
    int reports;
  };
  const std::vector<Step> steps = {
      {"Music|*.mp3;*.wav|Text|*.txt", "*.mp3;*.wav", {"a.mp3", "b.wav"}, 1},
      {"Music|*.mp3;*.wav|Text|*.txt", "*.mp3;*.wav", {"a.mp3", "b.wav"}, 0},
      // Differing in letter case only is the same filter: nothing is read again.
      {"MUSIC|*.MP3;*.WAV|TEXT|*.TXT", "*.mp3;*.wav", {"a.mp3", "b.wav"}, 0},
      {"Music|*.MP3|Text|*.txt", "*.MP3", {"a.mp3"}, 1},
      {"Nothing|", "", {}, 1},
      {"no entries", "*.*", {"a.mp3", "b.wav", "c.txt", "notes"}, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.filter);
    const int before = changes;
    combo->SetFilter(step.filter);
    EXPECT_EQ(files->Mask(), step.mask);
    EXPECT_EQ(ItemTexts(*files), step.listed);
    EXPECT_EQ(changes, before + step.reports);
  }
  EXPECT_EQ(ItemTexts(*combo), Texts{});
}

TEST_F(FilterCombo, TheUsersPickHandsItsMaskOn) {
  combo->SetFileList(files);
  combo->SetFilter("Music|*.mp3|Text|*.txt");
  int clicks = 0;
  combo->OnClick = [&](fw::TComponent*) { ++clicks; };
  Open();
  // The window made the entries anew and selected the first.
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(ItemTexts(*files), Texts{"a.mp3"});
  const int before = changes;
  combo->SetFocus();
  testsupport::PressKeys({VK_DOWN});
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(files->Mask(), "*.txt");
  EXPECT_EQ(ItemTexts(*files), Texts{"c.txt"});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, before + 1);
}

TEST_F(FilterCombo, AFilterWrittenBeforeTheWindowHandsOnItsOwnMask) {
  // As a layout is read: the link first, then the filter, no window yet.
  combo->SetFileList(files);
  combo->SetFilter("MP3 Files|*.mp3");
  EXPECT_EQ(files->Mask(), "*.mp3");
  Open();
  EXPECT_EQ(ItemTexts(*files), Texts{"a.mp3"});
}

TEST_F(FilterCombo, FileListLinkIsSetClearedAndForgotten) {
  combo->SetFileList(files);
  EXPECT_EQ(files->FilterComboLink(), combo);
  auto* other = fw::Make<TFileListBox>(form.get());
  combo->SetFileList(other);
  EXPECT_EQ(files->FilterComboLink(), nullptr);
  EXPECT_EQ(other->FilterComboLink(), combo);
  Open();
  fw::Free(other);
  EXPECT_EQ(combo->FileList(), nullptr);
  combo->SetFilter("Text|*.txt");  // no list to tell
  EXPECT_EQ(changes, 1);
  combo->SetFileList(files);
  fw::Free(combo);
  EXPECT_EQ(files->FilterComboLink(), nullptr);
  files->SetMask("*.wav");
  EXPECT_EQ(ItemTexts(*files), Texts{"b.wav"});
}

}  // namespace
