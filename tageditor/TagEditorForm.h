#pragma once
// The module's tip window: the template's frame with the MP3 tag editor. The
// user browses to a file, its ID3v1 tag fills six fields, OK writes them
// back, Undo brings back what was read, Play hands the file to the shell.
#include <array>
#include <cstddef>
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
  fw::TComboBox* ComboBoxGenre = nullptr;
  fw::TEdit* EditTag = nullptr;
  fw::TSpeedButton* SpeedButtonPlay = nullptr;

  // The tag's text fields in record order (title, artist, album, year,
  // comment), as the table in TagEditorForm.cpp names them.
  static constexpr std::size_t kTextFieldCount = 5;
  struct TextField {
    fw::TEdit* edit = nullptr;
    // Names the field in messages and for screen readers.
    fw::TLabel* label = nullptr;
  };
  const std::array<TextField, kTextFieldCount>& TextFields() const { return fields_; }

  // Published methods. Sprache replaces the template's and runs it first,
  // OK and Undo run it last.
  void Sprache(int32_t language) override;
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
  // Undo and a "No" to the question: the values read from the file come
  // back, which is no edit.
  void RestoreKeptValues();
  // The tag field or the closed genre list that has the focus, if any.
  fw::TWinControl* FocusedField() const;
  // An edit's text as the record holds it, in the system's code page; nothing
  // when it has a character that the code page lacks.
  static std::optional<std::string> RecordText(const fw::TEdit& edit);
  // Fills and enables the fields from a tag, or disables and empties them
  // without one; either way the shown values become the kept ones.
  void ShowTag(const std::optional<tageditor::Id3v1Tag>& tag);
  // The record's width of text field i.
  std::size_t FieldWidth(std::size_t i) const;
  // Pads each edit's text with blanks to one more than the record's field
  // width, so the text shows what went to disk.
  void PadToRecord();
  // Gives each edit whose text runs past its field with more than blanks the
  // overflow colour, and the others the colour they were laid out with.
  void ShowOverflow();
  using FieldTexts = std::array<std::string, kTextFieldCount>;
  // The same for the texts the edits show, read already.
  void ShowOverflow(const FieldTexts& shown);

  std::array<TextField, kTextFieldCount> fields_{};
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
  // Set while they show a newly selected file's tag.
  bool loading_ = false;
  // Set while the selection goes back to the edited file.
  bool returning_ = false;
  // Where currentFile_ was listed: the filter's item and the mask.
  int loadedFilter_ = -1;
  std::string loadedMask_;
};
