#pragma once
// The module's tip window: the template's frame with the MP3 tag editor. The
// user browses to a file, its ID3v1 tag fills six fields, OK writes them
// back, Undo brings back what was read, Play hands the file to the shell.
#include <array>
#include <optional>
#include <string>

#include "Id3v1Tag.h"
#include "TipTemplate.h"
#include "fw/Graphics.h"

namespace fw {
class TComboBox;
class TEdit;
class TLabel;
class TSpeedButton;
}  // namespace fw

namespace filectrl {
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TFilterComboBox;
}  // namespace filectrl

class TFormOmbrik63 : public TfrmTippTemplate {
 public:
  explicit TFormOmbrik63(fw::TComponent* owner);
  const char* ClassName() const override { return "TFormOmbrik63"; }

  // Made by the layout; bound by name when it has been read.
  filectrl::TDriveComboBox* DriveComboBox1 = nullptr;
  filectrl::TFilterComboBox* FilterComboBox1 = nullptr;
  filectrl::TDirectoryListBox* DirectoryListBox1 = nullptr;
  filectrl::TFileListBox* FileListBox1 = nullptr;
  fw::TLabel* Label1 = nullptr;
  fw::TLabel* Label3 = nullptr;
  fw::TLabel* Label4 = nullptr;
  fw::TLabel* Label5 = nullptr;
  fw::TLabel* Label6 = nullptr;
  fw::TLabel* Label7 = nullptr;
  fw::TLabel* Label8 = nullptr;
  fw::TEdit* EditTitel = nullptr;
  fw::TEdit* EditKuenstler = nullptr;
  fw::TEdit* EditAlbum = nullptr;
  fw::TEdit* EditJahr = nullptr;
  fw::TEdit* EditKommentar = nullptr;
  fw::TComboBox* ComboBoxGenre = nullptr;
  fw::TEdit* EditTag = nullptr;
  fw::TSpeedButton* SpeedButtonPlay = nullptr;

  // Published methods. Sprache, FormCreate, OK and Undo replace the
  // template's and run them: Sprache and FormCreate first, OK and Undo last.
  void Sprache(int32_t language) override;
  void FormCreate(fw::TComponent* sender) override;
  virtual void FileListBox1Change(fw::TComponent* sender);
  void HotSpeedButtonUndoClick(fw::TComponent* sender) override;
  virtual void EditTitelChange(fw::TComponent* sender);
  void HotSpeedButtonOKClick(fw::TComponent* sender) override;
  virtual void SpeedButtonPlayClick(fw::TComponent* sender);

  fw::TNotifyEvent MethodAddress(const std::string& name) override;
  void Loaded() override;

 protected:
  // Ctrl+S saves anywhere; Esc puts back what was read and Page Up and Page
  // Down go to the neighbouring files while the focus is in a tag field.
  void KeyDown(WORD& key) override;
  void KeyPress(wchar_t& key) override;

 private:
  // Writes the fields into a file as OK does: padded, then the host hears.
  void SaveInto(const std::string& fileName, fw::TComponent* sender);
  // The selection is leaving the file whose fields hold edits: the user
  // saves them, drops them or stays. False: the selection went back to the
  // edited file and its fields stay as they are.
  bool MayLeaveEdits();
  // Selects the edited file again in the folder and mask it was loaded
  // from, without loading it.
  void ReturnToEditedFile();
  // The tag field or the closed genre list that has the focus, if any.
  fw::TWinControl* FocusedField() const;
  // The five tag edits in record order: title, artist, album, year, comment.
  std::array<fw::TEdit*, 5> TextEdits() const {
    return {EditTitel, EditKuenstler, EditAlbum, EditJahr, EditKommentar};
  }
  // Their labels, which name them in messages.
  std::array<fw::TLabel*, 5> FieldLabels() const {
    return {Label3, Label4, Label5, Label6, Label7};
  }
  // An edit's text as the record holds it, in the system's code page; nothing
  // when it has a character that the code page lacks.
  static std::optional<std::string> RecordText(const fw::TEdit& edit);
  // Fills and enables the fields from a tag, or disables and empties them
  // without one; either way the shown values become the kept ones.
  void ShowTag(const std::optional<tageditor::Id3v1Tag>& tag);
  // The record's width for each of TextEdits().
  std::array<std::size_t, 5> FieldWidths() const;
  // Pads each edit's text with blanks to one more than the record's field
  // width, so the text shows what went to disk.
  void PadToRecord();
  // Gives each edit whose text runs past its field with more than blanks the
  // overflow colour, and the others the colour they were laid out with.
  void ShowOverflow();

  // The file last selected in the file list, even when it could not be
  // read; what Play opens.
  std::string currentFile_;
  // The comment's width in the record last read or written: 28 where the
  // record carries a track number.
  int commentWidth_ = tageditor::kTextWidth;
  fw::TColor fieldColor_ = 0;
  // The selected file whose tag could not be read: a save into it is
  // refused until another file is selected, since the fields do not hold
  // its tag.
  std::string unreadFile_;
  // The user typed or picked since the fields were filled, saved or put
  // back; what the fields show for the program's own reasons never counts.
  bool edited_ = false;
  // Set while the program itself writes into the fields.
  bool filling_ = false;
  // Set while the selection goes back to the edited file.
  bool returning_ = false;
  // Where currentFile_ was listed: the filter's item and the mask.
  int loadedFilter_ = -1;
  std::string loadedMask_;
};
