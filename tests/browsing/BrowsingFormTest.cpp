// The four browsing controls and the directory label on a form read from a
// layout that links them as the tag editor form does: the links the layout
// makes, browsing end to end with keys, clicks and typed names, and each
// control going on working when one of its partners is freed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BrowsingSupport.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Label.h"
#include "fw/Layout.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/ScriptedDrives.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace {

using browsing::ItemTexts;
using browsing::Pump;
using filectrl::TDirectoryListBox;
using filectrl::TDriveComboBox;
using filectrl::TFileListBox;
using filectrl::TFilterComboBox;
using Texts = std::vector<std::string>;

class TBrowsingTestForm : public fw::TForm {
 public:
  explicit TBrowsingTestForm(fw::TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TBrowsingTestForm"; }
  fw::TNotifyEvent MethodAddress(const std::string& name) override {
    if (name == "FileListBox1Change")
      return [this](fw::TComponent* sender) {
        ++fileChanges;
        fileName = static_cast<TFileListBox*>(sender)->FileName();
      };
    return TForm::MethodAddress(name);
  }
  template <typename T>
  T* Find(const char* name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }
  int fileChanges = 0;
  std::string fileName;
};

const fw::ClassRegistration formClass("TBrowsingTestForm", "TForm", nullptr, {});

class BrowsingForm : public testing::Test {
 protected:
  BrowsingForm() {
    for (const char* name : {"a.mp3", "B.MP3", "c.txt", "Alben\\x.mp3", "Alben\\Live\\y.mp3"})
      temp.WriteFile(name, "x");
    fw::ChDir(temp.Path());
    form.reset(fw::CreateForm<TBrowsingTestForm>(nullptr));
    drive = form->Find<TDriveComboBox>("DriveComboBox1");
    filter = form->Find<TFilterComboBox>("FilterComboBox1");
    dirs = form->Find<TDirectoryListBox>("DirectoryListBox1");
    files = form->Find<TFileListBox>("FileListBox1");
    label = form->Find<fw::TLabel>("Label1");
  }
  void Open() {
    form->Show();
    Pump();
  }
  std::string Name(const std::string& path) const { return path.substr(path.rfind('\\') + 1); }
  void Select(fw::TCustomListBox& list, const std::string& text) {
    list.SetItemIndex(list.Items().IndexOf(text));
  }
  void PressEnter(fw::TWinControl& control) {
    control.SetFocus();
    testsupport::PressKeys({VK_RETURN});
    Pump();
  }
  void ClickItem(fw::TCustomListBox& list, const std::string& text, bool twice) {
    testsupport::ClickListItem(list, list.Items().IndexOf(text), twice);
    Pump();
  }
  // The label shows the directory, shortened to the list's width.
  void ExpectLabelShows(const std::string& directory) {
    const std::string caption = label->Text();
    EXPECT_EQ(caption.substr(caption.size() - std::min(caption.size(), Name(directory).size())),
              Name(directory));
    fw::ScreenCanvas canvas;
    canvas.Font() = label->Font();
    if (caption != Name(directory)) {
      EXPECT_LE(canvas.TextWidth(caption), dirs->Width()) << caption;
    }
    if (canvas.TextWidth(directory) <= dirs->Width()) {
      EXPECT_EQ(caption, directory);
    }
  }

  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  testsupport::ErrorModeGuard errorMode;
  testsupport::ScopedDrives drives{true};
  testsupport::ScopedDialogs dialogs;
  fw::Owned<TBrowsingTestForm> form;
  TDriveComboBox* drive;
  TFilterComboBox* filter;
  TDirectoryListBox* dirs;
  TFileListBox* files;
  fw::TLabel* label;
};

TEST_F(BrowsingForm, TheLayoutLinksTheControls) {
  ASSERT_TRUE(drive && filter && dirs && files && label);
  EXPECT_EQ(drive->DirList(), dirs);
  EXPECT_EQ(dirs->LinkedDriveCombo(), drive);
  EXPECT_EQ(dirs->DirLabel(), label);
  EXPECT_EQ(dirs->FileList(), files);
  EXPECT_EQ(files->DirListLink(), dirs);
  EXPECT_EQ(filter->FileList(), files);
  EXPECT_EQ(files->FilterComboLink(), filter);
  EXPECT_EQ(form->ActiveControl(), drive);
  ASSERT_EQ(fw::ScreenPixelsPerInch(), 96);
  EXPECT_EQ(dirs->ItemHeight(), 16);
  EXPECT_EQ(files->ItemHeight(), 13);
  EXPECT_EQ(files->Mask(), "*.mp3");
  EXPECT_EQ(filter->Filter(), "MP3 Files|*.mp3");
  // The label was filled when it was linked.
  ExpectLabelShows(temp.Path());

  Open();
  EXPECT_EQ(drive->Drive(), static_cast<char>(temp.Path()[0] | 0x20));
  EXPECT_EQ(dirs->Directory(), temp.Path());
  EXPECT_EQ(dirs->Items().Strings(dirs->ItemIndex()), Name(temp.Path()));
  EXPECT_EQ(ItemTexts(*filter), Texts{"MP3 Files"});
  EXPECT_EQ(ItemTexts(*files), (Texts{"a.mp3", "B.MP3"}));
  EXPECT_GE(form->fileChanges, 1);
  EXPECT_EQ(form->fileName, "");
  ExpectLabelShows(temp.Path());
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(BrowsingForm, BrowsingEndToEnd) {
  Open();
  // Into a subdirectory with Enter: the files and the label follow.
  Select(*dirs, "Alben");
  PressEnter(*dirs);
  EXPECT_EQ(dirs->Directory(), temp / "Alben");
  EXPECT_EQ(files->Directory(), temp / "Alben");
  EXPECT_EQ(ItemTexts(*files), Texts{"x.mp3"});
  ExpectLabelShows(temp / "Alben");
  // The user picks a file.
  ClickItem(*files, "x.mp3", false);
  EXPECT_EQ(form->fileName, temp / "Alben\\x.mp3");
  // A typed file name goes through the directory list.
  files->SetFileName(temp / "Alben\\Live\\y.mp3");
  EXPECT_EQ(dirs->Directory(), temp / "Alben\\Live");
  EXPECT_EQ(files->FileName(), temp / "Alben\\Live\\y.mp3");
  EXPECT_EQ(form->fileName, temp / "Alben\\Live\\y.mp3");
  ExpectLabelShows(temp / "Alben\\Live");
  // Up two levels with a double click.
  ClickItem(*dirs, Name(temp.Path()), true);
  EXPECT_EQ(dirs->Directory(), temp.Path());
  EXPECT_EQ(ItemTexts(*files), (Texts{"a.mp3", "B.MP3"}));
  ExpectLabelShows(temp.Path());
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(BrowsingForm, AnotherDriveChosenInTheComboBox) {
  if (!fw::DirectoryExists("Z:\\")) GTEST_SKIP() << "no second drive";
  drives->Drive('Z');
  drives->Drive(temp.Path()[0]);  // the only two drives
  Open();
  drive->SetFocus();
  testsupport::PressKeys({VK_DOWN});
  Pump();
  EXPECT_EQ(drive->Drive(), 'z');
  EXPECT_EQ(dirs->Drive(), 'Z');
  EXPECT_EQ(files->Directory(), dirs->Directory());
  ExpectLabelShows(dirs->Directory());
  // Back, and into the temp directory again by its path.
  testsupport::PressKeys({VK_UP});
  Pump();
  dirs->SetDirectory(temp.Path());
  EXPECT_EQ(files->Directory(), temp.Path());
  EXPECT_EQ(ItemTexts(*files), (Texts{"a.mp3", "B.MP3"}));
  EXPECT_TRUE(dialogs->Records.empty());
}

TEST_F(BrowsingForm, FreeingAPartnerLeavesEachControlWorking) {
  for (const char* gone :
       {"DriveComboBox1", "FilterComboBox1", "DirectoryListBox1", "FileListBox1", "Label1"}) {
    SCOPED_TRACE(gone);
    fw::ChDir(temp.Path());
    form.reset(fw::CreateForm<TBrowsingTestForm>(nullptr));
    Open();
    fw::Free(form->FindComponent(gone));
    drive = form->Find<TDriveComboBox>("DriveComboBox1");
    filter = form->Find<TFilterComboBox>("FilterComboBox1");
    dirs = form->Find<TDirectoryListBox>("DirectoryListBox1");
    files = form->Find<TFileListBox>("FileListBox1");
    label = form->Find<fw::TLabel>("Label1");
    if (drive) {
      EXPECT_EQ(drive->DirList(), dirs);
      drive->SetDrive('\0');
      drive->SetDrive(temp.Path()[0]);
      EXPECT_EQ(drive->Drive(), static_cast<char>(temp.Path()[0] | 0x20));
    }
    if (filter) {
      EXPECT_EQ(filter->FileList(), files);
      filter->SetFilter("Text|*.txt");
      if (files) {
        EXPECT_EQ(files->Mask(), "*.txt");
      }
    }
    if (dirs) {
      EXPECT_EQ(dirs->FileList(), files);
      EXPECT_EQ(dirs->DirLabel(), label);
      EXPECT_EQ(dirs->LinkedDriveCombo(), drive);
      dirs->SetDirectory(temp / "Alben");
      EXPECT_EQ(dirs->Directory(), temp / "Alben");
      if (files) {
        EXPECT_EQ(files->Directory(), temp / "Alben");
      }
      if (label) ExpectLabelShows(temp / "Alben");
    }
    if (files) {
      EXPECT_EQ(files->DirListLink(), dirs);
      EXPECT_EQ(files->FilterComboLink(), filter);
      files->SetFileName(temp / "Alben\\Live\\y.mp3");
      EXPECT_EQ(files->FileName(), temp / "Alben\\Live\\y.mp3");
      if (dirs) {
        EXPECT_EQ(dirs->Directory(), temp / "Alben\\Live");
      }
    }
    EXPECT_TRUE(dialogs->Records.empty());
  }
}

TEST_F(BrowsingForm, ALinkToTheWrongKindOfControlFailsTheLayout) {
  const std::vector<std::string> layouts = {
      "form f : TBrowsingTestForm { component L : TFileListBox { }\n"
      "  component D : TDirectoryListBox { DirLabel = L } }",
      "form f : TBrowsingTestForm { component D : TDriveComboBox { DirList = L }\n"
      "  component L : TLabel { } }",
      "form f : TBrowsingTestForm { component F : TFilterComboBox { FileList = D }\n"
      "  component D : TDirectoryListBox { } }",
      "form f : TBrowsingTestForm { component D : TDriveComboBox { TextCase = tcTitleCase } }",
      "form f : TBrowsingTestForm { component D : TDirectoryListBox { Sorted = true } }",
  };
  for (const std::string& text : layouts) {
    SCOPED_TRACE(text);
    auto bare = fw::MakeOwned<TBrowsingTestForm>();
    fw::LayoutReader reader(*bare);
    EXPECT_THROW(
        {
          reader.ReadText(text, "test");
          reader.Finish();
        },
        fw::EParserError);
  }
}

}  // namespace
