// Masks and filter texts of odd shapes on a real file list and filter
// selector: empty pieces and parts, bars at the ends, blanks, wildcards for
// everything, texts far longer than any path, and masks and descriptions
// beyond ASCII. Nothing may crash, the list shows what the masks match,
// and the controls go on working afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HardeningSupport.h"
#include "Utf8Text.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "fw/Exceptions.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/TempDir.h"

namespace {

using filectrl::TFileListBox;
using filectrl::TFilterComboBox;
using hardening::ItemTexts;
using Texts = std::vector<std::string>;

Texts Sorted(Texts v) {
  std::sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) {
    return fw::AnsiCompareText(a, b) < 0;
  });
  return v;
}

#define U_UMLAUT "\xC3\x9C"
#define A_UMLAUT "\xC3\xA4"
#define A_UMLAUT_CAPITAL "\xC3\x84"

const Texts kMp3 = {"a.mp3", "B.MP3", "c d.mp3", U_UMLAUT "ber.mp3"};
const Texts kAllFiles = {"a.mp3", "B.MP3",     "c d.mp3", U_UMLAUT "ber.mp3",
                         "e.txt", "f.mp3.txt", "noext",   "g." A_UMLAUT};

Texts Plus(Texts a, const Texts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class OddMasks : public testing::Test {
 protected:
  OddMasks() {
    for (const std::string& name : kAllFiles) temp.WriteFile(name, "x");
    temp.MakeDir("sub.mp3");
    fw::ChDir(temp.Path());
    files = host.Add<TFileListBox>(200, 10, 220, 300);
    combo = host.Add<TFilterComboBox>(10, 10, 180, 21);
  }
  Texts Listed() const { return Sorted(ItemTexts(*files)); }

  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  hardening::Host host;
  TFileListBox* files;
  TFilterComboBox* combo;
};

struct MaskCase {
  std::string mask;
  Texts listed;
};

TEST_F(OddMasks, FileListShowsWhatEachMaskPieceMatches) {
  std::string manyPieces;
  for (int i = 0; i < 500; ++i) manyPieces += "*.n" + std::to_string(i) + ";";
  manyPieces += "*.mp3";
  const std::vector<MaskCase> cases = {
      {"*.mp3", kMp3},
      {"", {}},
      {";", {}},
      {";;", {}},
      {";;*.mp3;;", kMp3},
      {"*.mp3;*.mp3", Plus(kMp3, kMp3)},
      {"*.MP3", kMp3},
      {"*.*", kAllFiles},
      {"*", kAllFiles},
      {"c d.mp3", {"c d.mp3"}},
      {"*.mp3;*.txt", Plus(kMp3, {"e.txt", "f.mp3.txt"})},
      // A blank leads the piece's name: no file starts with one.
      {" *.mp3", {}},
      // The bar is no wildcard and no separator here: a name cannot hold it.
      {"*.mp3|*.txt", {}},
      // Letters beyond ASCII match in either case.
      {"*." A_UMLAUT_CAPITAL, {"g." A_UMLAUT}},
      {"\xC3\xBC*", {U_UMLAUT "ber.mp3"}},
      {"*.mp3;*." A_UMLAUT, Plus(kMp3, {"g." A_UMLAUT})},
      {RU_MUSIC "*", {}},
      // A piece longer than any path the system takes finds nothing.
      {std::string(400, 'x') + "*", {}},
      // Any number of stars is one star.
      {std::string(400, '*') + ";*.txt", Plus(kAllFiles, {"e.txt", "f.mp3.txt"})},
      {manyPieces, kMp3},
  };
  host.Show();
  for (const MaskCase& c : cases) {
    SCOPED_TRACE("mask \"" + c.mask.substr(0, 60) + "\"");
    files->SetMask(c.mask);
    EXPECT_EQ(files->Mask(), c.mask);
    EXPECT_EQ(Listed(), Sorted(c.listed));
    EXPECT_EQ(files->ItemIndex(), -1);
    EXPECT_EQ(files->FileName(), "");
  }
  // Still working: a plain mask lists and selects as always.
  files->SetMask("*.mp3");
  files->SetItemIndex(0);
  EXPECT_EQ(files->FileName(), temp / files->Items().Strings(0));
}

// Texts typed as a file name: each is taken or refused with one of the
// framework's errors, and the list stays on a directory that exists and
// goes on working.
TEST_F(OddMasks, OddTypedFileNamesAreTakenOrRefused) {
  const std::vector<std::string> typed = {
      "[]",
      "[",
      "]",
      "[[a.mp3]]",
      "\\",
      "\\\\",
      "\\\\\\",
      ":",
      "C:",
      "*",
      "?",
      "|",
      "a.mp3|",
      " ",
      ".",
      "..",
      "...",
      ";",
      A_UMLAUT,
      U_UMLAUT "ber.mp3",
      "c d.mp3",
      "*.mp3;*.txt",
      std::string(400, 'a'),
      std::string(400, 'a') + "\\b.mp3",
      "a.mp3\\..\\..\\..\\..\\..\\..",
  };
  host.Show();
  for (const std::string& text : typed) {
    SCOPED_TRACE("typed \"" + text.substr(0, 40) + "\"");
    fw::ChDir(temp.Path());
    files->SetDirectory(temp.Path());
    files->SetMask("*.*");
    try {
      files->SetFileName(text);
    } catch (const fw::Exception& e) {
      EXPECT_NE(std::string(e.what()), "");
    }
    EXPECT_TRUE(fw::DirectoryExists(files->Directory())) << files->Directory();
    EXPECT_NE(fw::GetCurrentDir(), "");
  }
  files->SetDirectory(temp.Path());
  files->SetMask("*.mp3");
  EXPECT_EQ(Listed(), Sorted(kMp3));
}

struct FilterCase {
  std::string filter;
  Texts descriptions;
  Texts masks;
  std::string handedOn;  // the mask the file list gets
  Texts listed;
};

TEST_F(OddMasks, FilterSelectorSplitsEveryShapeAndHandsOnTheFirstMask) {
  const std::vector<FilterCase> cases = {
      {"MP3 Files|*.mp3", {"MP3 Files"}, {"*.mp3"}, "*.mp3", kMp3},
      {"", {}, {}, "*.*", kAllFiles},
      {"No bar at all", {}, {}, "*.*", kAllFiles},
      {"|", {""}, {""}, "", {}},
      {"||", {""}, {""}, "", {}},
      {"|||", {"", ""}, {"", ""}, "", {}},
      {"|*.mp3", {""}, {"*.mp3"}, "*.mp3", kMp3},
      {"MP3|*.mp3|", {"MP3"}, {"*.mp3"}, "*.mp3", kMp3},
      {"|A|*.mp3", {""}, {"A"}, "A", {}},
      {"A|*.mp3|B", {"A"}, {"*.mp3"}, "*.mp3", kMp3},
      {"A|;;", {"A"}, {";;"}, ";;", {}},
      {"A|*.mp3;;*.txt",
       {"A"},
       {"*.mp3;;*.txt"},
       "*.mp3;;*.txt",
       Plus(kMp3, {"e.txt", "f.mp3.txt"})},
      {" Sound (*.mp3; *.txt) | *.mp3; *.txt ",
       {" Sound (*.mp3; *.txt) "},
       {" *.mp3; *.txt "},
       " *.mp3; *.txt ",
       {}},
      {"All|*.*", {"All"}, {"*.*"}, "*.*", kAllFiles},
      {EL_MUSIC " (*.mp3)|*.mp3", {EL_MUSIC " (*.mp3)"}, {"*.mp3"}, "*.mp3", kMp3},
      {JA_SONGS "|*.mp3;*." A_UMLAUT "|" NOTE "|*.txt",
       {JA_SONGS, NOTE},
       {"*.mp3;*." A_UMLAUT, "*.txt"},
       "*.mp3;*." A_UMLAUT,
       Plus(kMp3, {"g." A_UMLAUT})},
  };
  combo->SetFileList(files);
  host.Show();
  for (const FilterCase& c : cases) {
    SCOPED_TRACE("filter \"" + c.filter + "\"");
    combo->SetFilter(c.filter);
    EXPECT_EQ(ItemTexts(*combo), c.descriptions);
    // What the window shows: the first description.
    wchar_t shown[256] = {};
    ::GetWindowTextW(combo->Handle(), shown, 256);
    EXPECT_EQ(fw::Utf8(std::wstring_view(shown)), c.descriptions.empty() ? "" : c.descriptions[0]);
    Texts masks;
    for (int i = 0; i < combo->FilterMasks().Count(); ++i) masks.push_back(combo->FilterMasks()[i]);
    EXPECT_EQ(masks, c.masks);
    EXPECT_EQ(files->Mask(), c.handedOn);
    EXPECT_EQ(Listed(), Sorted(c.listed));
  }
}

TEST_F(OddMasks, VeryLongFilterKeepsEveryEntryAndItsMask) {
  std::string filter;
  for (int i = 0; i < 1000; ++i)
    filter +=
        "Type " + std::to_string(i) + " " + std::string(40, 'd') + "|*.t" + std::to_string(i) + "|";
  const std::string longDescription(5000, 'D');
  filter += longDescription + "|*.mp3";
  combo->SetFileList(files);
  host.Show();
  combo->SetFilter(filter);
  ASSERT_EQ(combo->Items().Count(), 1001);
  ASSERT_EQ(combo->FilterMasks().Count(), 1001);
  EXPECT_EQ(combo->Items().Strings(1000), longDescription);
  EXPECT_EQ(combo->FilterMasks()[999], "*.t999");
  EXPECT_EQ(files->Mask(), "*.t0");
  EXPECT_TRUE(files->Items().Count() == 0);

  // The user picks the last entry.
  combo->SetItemIndex(1000);
  combo->Click();
  EXPECT_EQ(files->Mask(), "*.mp3");
  EXPECT_EQ(Listed(), Sorted(kMp3));

  // The window made again parses the same text again.
  combo->RecreateWnd();
  hardening::Pump();
  EXPECT_EQ(combo->Items().Count(), 1001);
}

}  // namespace
