#include "TagEditorForm.h"

#include <windows.h>

#include <utility>

#include "GenreTable.h"
#include "HotSpeedButton.h"
#include "TagFile.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "fw/ComboBox.h"
#include "fw/Edit.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/Layout.h"
#include "fw/PathStrings.h"
#include "fw/ScopeExit.h"
#include "fw/Services.h"
#include "fw/SpeedButton.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace {

// A light amber: the end of the text will be cut off on saving, and dark
// text stays easy to read on it.
constexpr fw::TColor kOverflowColor = 0x9CDCFF;

// The tag's text fields: the layout's edit and label, the record's text and
// its width. A new text field is a row here and an edit and a label in the
// layout.
struct TextFieldRow {
  const char* edit;
  const char* label;
  std::string tageditor::TagFields::*text;
  // 0: the comment's width, which the record on disk decides.
  std::size_t width;
};
constexpr TextFieldRow kTextFieldRows[] = {
    {"EditTitel", "Label3", &tageditor::TagFields::Title, tageditor::kTextWidth},
    {"EditKuenstler", "Label4", &tageditor::TagFields::Artist, tageditor::kTextWidth},
    {"EditAlbum", "Label5", &tageditor::TagFields::Album, tageditor::kTextWidth},
    {"EditJahr", "Label6", &tageditor::TagFields::Year, tageditor::kYearWidth},
    {"EditKommentar", "Label7", &tageditor::TagFields::Comment, 0},
};
static_assert(std::size(kTextFieldRows) == TFormOmbrik63::kTextFieldCount);

}  // namespace

TFormOmbrik63::TFormOmbrik63(fw::TComponent* owner) : TfrmTippTemplate(owner) {}

void TFormOmbrik63::Loaded() {
  fw::BindComponent(*this, DriveComboBox1, "DriveComboBox1");
  fw::BindComponent(*this, FilterComboBox1, "FilterComboBox1");
  fw::BindComponent(*this, DirectoryListBox1, "DirectoryListBox1");
  fw::BindComponent(*this, FileListBox1, "FileListBox1");
  fw::BindComponent(*this, Label1, "Label1");
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    fw::BindComponent(*this, fields_[i].edit, kTextFieldRows[i].edit);
    fw::BindComponent(*this, fields_[i].label, kTextFieldRows[i].label);
  }
  fw::BindComponent(*this, ComboBoxGenre, "ComboBoxGenre");
  fw::BindComponent(*this, EditTag, "EditTag");
  fw::BindComponent(*this, SpeedButtonPlay, "SpeedButtonPlay");
  // One list of names for the codec and the drop-down.
  for (std::string_view name : tageditor::GenreNames())
    ComboBoxGenre->Items().Add(std::string(name));
  fieldColor_ = fields_[0].edit->Color();
  TfrmTippTemplate::Loaded();
}

fw::TNotifyEvent TFormOmbrik63::MethodAddress(const std::string& name) {
  using Handler = void (TFormOmbrik63::*)(fw::TComponent*);
  static const std::pair<const char*, Handler> handlers[] = {
      {"FileListBox1Change", &TFormOmbrik63::FileListBox1Change},
      {"EditTitelChange", &TFormOmbrik63::EditTitelChange},
      {"SpeedButtonPlayClick", &TFormOmbrik63::SpeedButtonPlayClick},
  };
  for (const auto& [handlerName, handler] : handlers) {
    if (name == handlerName)
      return [this, handler](fw::TComponent* sender) { (this->*handler)(sender); };
  }
  // FormCreate, OK and Undo are the template's names; its lookup binds
  // them virtually, so they reach the overrides here.
  return TfrmTippTemplate::MethodAddress(name);
}

void TFormOmbrik63::Sprache(int32_t language) {
  TfrmTippTemplate::Sprache(language);
  const bool english = language == 1;
  // Screen readers call the browsing lists by these names, and Play, which
  // shows only a picture, by its hint; the tag fields by their labels.
  SpeedButtonPlay->SetHint(english ? "Play" : "Abspielen");
  DriveComboBox1->SetAccessibleName(english ? "Drive" : "Laufwerk");
  DirectoryListBox1->SetAccessibleName(english ? "Folders" : "Verzeichnisse");
  FileListBox1->SetAccessibleName(english ? "Files" : "Dateien");
  FilterComboBox1->SetAccessibleName(english ? "File type" : "Dateityp");
}

void TFormOmbrik63::FileListBox1Change(fw::TComponent*) {
  // Back on the edited file: its fields are what the user left there.
  if (returning_) return;
  const std::string fileName = FileListBox1->FileName();
  if (edited_ && !currentFile_.empty() && fileName != currentFile_ && !MayLeaveEdits()) return;
  FileListBox1->SetCursor(fw::crHourGlass);
  // Set once: switching it off and on again would repaint it for nothing.
  SpeedButtonPlay->SetEnabled(!fileName.empty());
  // However the load ends, OK waits for an edit and the hourglass goes.
  fw::ScopeExit endLoad([this] {
    HotSpeedButtonOK->SetEnabled(false);
    FileListBox1->SetCursor(fw::crDefault);
  });
  // Nothing selected (after a re-read): the fields stay as they are.
  if (fileName.empty()) return;
  currentFile_ = fileName;
  loadedFilter_ = FilterComboBox1->ItemIndex();
  loadedMask_ = FileListBox1->Mask();
  unreadFile_.clear();
  std::optional<tageditor::Id3v1Tag> tag;
  try {
    tag = tageditor::LoadTag(fileName);
  } catch (...) {
    // The fields still show the previous file's tag; left there, OK or
    // the host's save would write it into this file.
    unreadFile_ = fileName;
    ShowTag(std::nullopt);
    throw;
  }
  ShowTag(tag);
}

bool TFormOmbrik63::MayLeaveEdits() {
  const std::string name = fw::ExtractFileName(currentFile_);
  const std::string question = Language == 1 ? "Save the changes to " + name + "?"
                                             : "\xC3\x84nderungen an " + name + " speichern?";
  switch (fw::MessageDlg(question, fw::TMsgDlgType::mtConfirmation,
                         fw::mbYes | fw::mbNo | fw::mbCancel, 0)) {
    case fw::mrYes:
      try {
        SaveInto(currentFile_, nullptr);
      } catch (...) {
        // The edits are still only in the fields: they stay with their file.
        ReturnToEditedFile();
        throw;
      }
      return true;
    case fw::mrNo:
      RestoreKeptValues();
      return true;
    default:
      ReturnToEditedFile();
      return false;
  }
}

void TFormOmbrik63::ReturnToEditedFile() {
  fw::ScopeExit returned([this] { returning_ = false; });
  returning_ = true;
  if (FileListBox1->Mask() != loadedMask_) {
    FilterComboBox1->SetItemIndex(loadedFilter_);
    FileListBox1->SetMask(loadedMask_);
  }
  DirectoryListBox1->SetDirectory(fw::ExtractFilePath(currentFile_));
  // Gone meanwhile: nothing stays selected, so that OK cannot write these
  // fields into whichever file the list now shows.
  int index = -1;
  const std::string name = fw::ExtractFileName(currentFile_);
  for (int i = 0; i < FileListBox1->Items().Count() && index < 0; ++i)
    if (FileListBox1->Items().Strings(i) == name) index = i;
  FileListBox1->SetItemIndex(index);
  FileListBox1->Click();
}

void TFormOmbrik63::ShowTag(const std::optional<tageditor::Id3v1Tag>& tag) {
  fw::ScopeExit filled([this] { filling_ = loading_ = false; });
  filling_ = loading_ = true;
  edited_ = false;
  EditTag->SetText(tag ? fw::AnsiToUtf8(tag->Marker) : "");
  commentWidth_ = tag ? tag->CommentWidth() : tageditor::kTextWidth;
  for (const TextField& field : fields_) field.edit->SetEnabled(tag.has_value());
  ComboBoxGenre->SetEnabled(tag.has_value());
  // What each edit shows, read once: every read is two messages to it.
  FieldTexts shown;
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    fw::TEdit& edit = *fields_[i].edit;
    const std::string text = tag ? fw::AnsiToUtf8((*tag).*kTextFieldRows[i].text) : std::string();
    shown[i] = edit.Text();
    // Filling a field counts as a change for the host, also where the text
    // is the last file's and the edit reports none; an empty field that
    // stays empty is none.
    if (shown[i] != text) {
      edit.SetText(text);
      shown[i] = edit.Text();
    } else if (!text.empty() && edit.OnChange) {
      edit.OnChange(&edit);
    }
    // Undo's values live in the controls' spare properties.
    edit.SetHint(shown[i]);
  }
  ComboBoxGenre->SetItemIndex(tag ? tag->Genre : -1);
  // A byte that other programs name shows as what will be kept.
  ComboBoxGenre->SetTextHint(tag ? std::string(tageditor::PeerGenreName(tag->GenreByte)) : "");
  ComboBoxGenre->SetTag(ComboBoxGenre->ItemIndex());
  // The comment's width may have changed with texts that did not.
  ShowOverflow(shown);
}

void TFormOmbrik63::EditTitelChange(fw::TComponent*) {
  // The program's own fillings show it once, when every field is written.
  if (!filling_) ShowOverflow();
  // Filling the fields before the window is shown is no change.
  if (!TippShown) return;
  // A load switches OK off when it is done; switched on meanwhile, it
  // would only be painted twice.
  if (!loading_) HotSpeedButtonOK->SetEnabled(true);
  TippSaved = false;
  TippChanged = true;
  if (!filling_) edited_ = true;
}

void TFormOmbrik63::HotSpeedButtonOKClick(fw::TComponent* sender) {
  // The selection, not CurrentFile: after a re-read nothing is selected and
  // the save fails at opening.
  SaveInto(FileListBox1->FileName(), sender);
}

void TFormOmbrik63::SaveInto(const std::string& fileName, fw::TComponent* sender) {
  if (!unreadFile_.empty() && fw::AnsiCompareFileName(fileName, unreadFile_) == 0) {
    throw fw::EInvalidOperation("The tag of \"" + fileName +
                                "\" could not be read, so there is nothing to save into it; "
                                "nothing was written.");
  }
  tageditor::TagFields fields;
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    std::optional<std::string> text = RecordText(*fields_[i].edit);
    if (!text) {
      fields_[i].edit->SetFocus();
      throw fw::EInvalidOperation("\"" + fields_[i].label->Text() +
                                  "\" holds characters that a tag cannot store (it takes those of "
                                  "the system's code page only); nothing was written.");
    }
    fields.*kTextFieldRows[i].text = std::move(*text);
  }
  fields.Genre = ComboBoxGenre->ItemIndex();
  commentWidth_ = tageditor::SaveTag(fileName, fields);
  PadToRecord();
  edited_ = false;
  HotSpeedButtonOK->SetEnabled(false);
  // On disk before the host hears of it.
  TfrmTippTemplate::HotSpeedButtonOKClick(sender);
}

std::optional<std::string> TFormOmbrik63::RecordText(const fw::TEdit& edit) {
  return fw::Utf8ToAnsi(edit.Text());
}

std::size_t TFormOmbrik63::FieldWidth(std::size_t i) const {
  const std::size_t width = kTextFieldRows[i].width;
  return width ? width : static_cast<std::size_t>(commentWidth_);
}

void TFormOmbrik63::PadToRecord() {
  fw::ScopeExit filled([this] { filling_ = false; });
  filling_ = true;
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    fw::TEdit& edit = *fields_[i].edit;
    const std::optional<std::string> text = RecordText(edit);
    const std::size_t width = FieldWidth(i);
    if (text && text->size() <= width)
      edit.SetText(edit.Text() + std::string(width + 1 - text->size(), ' '));
  }
  // The record on disk may have given the comment another width.
  ShowOverflow();
}

void TFormOmbrik63::ShowOverflow() {
  FieldTexts shown;
  for (std::size_t i = 0; i < kTextFieldCount; ++i) shown[i] = fields_[i].edit->Text();
  ShowOverflow(shown);
}

void TFormOmbrik63::ShowOverflow(const FieldTexts& shown) {
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    // Blanks past the field are what OK pads with; only they may be lost
    // unseen. A character that the record cannot hold at all is a loss too.
    const std::optional<std::string> text = fw::Utf8ToAnsi(shown[i]);
    const bool cut = !text || text->find_first_not_of(' ', FieldWidth(i)) != std::string::npos;
    fields_[i].edit->SetColor(cut ? kOverflowColor : fieldColor_);
  }
}

void TFormOmbrik63::RestoreKeptValues() {
  {
    fw::ScopeExit filled([this] { filling_ = false; });
    filling_ = true;
    for (const TextField& field : fields_) field.edit->SetText(field.edit->Hint());
    ComboBoxGenre->SetItemIndex(ComboBoxGenre->Tag());
  }
  ShowOverflow();
  edited_ = false;
}

void TFormOmbrik63::HotSpeedButtonUndoClick(fw::TComponent* sender) {
  RestoreKeptValues();
  TfrmTippTemplate::HotSpeedButtonUndoClick(sender);
}

fw::TWinControl* TFormOmbrik63::FocusedField() const {
  const HWND focus = GetFocus();
  for (const TextField& field : fields_)
    if (field.edit->HandleAllocated() && focus == field.edit->Handle()) return field.edit;
  // An open list keeps its keys: Esc closes it, the page keys page it.
  if (ComboBoxGenre->HandleAllocated() && focus == ComboBoxGenre->Handle() &&
      !SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0))
    return ComboBoxGenre;
  return nullptr;
}

void TFormOmbrik63::KeyDown(WORD& key) {
  TfrmTippTemplate::KeyDown(key);
  const bool control = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  if (key == 'S' && control && !alt) {
    key = 0;
    if (HotSpeedButtonOK->Enabled()) HotSpeedButtonOKClick(HotSpeedButtonOK);
    return;
  }
  fw::TWinControl* field = control || alt ? nullptr : FocusedField();
  if (key == VK_ESCAPE && field) {
    key = 0;
    if (edited_) HotSpeedButtonUndoClick(HotSpeedButtonUndo);
  } else if ((key == VK_DOWN || key == VK_UP) && field == ComboBoxGenre) {
    // The list itself would step from the last genre it showed, not from the
    // none it shows now, and report a change at either end where nothing
    // changed: an edit that was none, and a question about it.
    const int index = ComboBoxGenre->ItemIndex();
    const int next = index < 0 ? 0 : index + (key == VK_DOWN ? 1 : -1);
    key = 0;
    if (next < 0 || next >= ComboBoxGenre->Items().Count()) return;
    ComboBoxGenre->SetItemIndex(next);
    EditTitelChange(ComboBoxGenre);
  } else if ((key == VK_PRIOR || key == VK_NEXT) && field && field != ComboBoxGenre) {
    const int index = FileListBox1->ItemIndex() + (key == VK_NEXT ? 1 : -1);
    key = 0;
    if (index < 0 || index >= FileListBox1->Items().Count()) return;
    // As if the user had clicked the neighbour, with the focus left where it is.
    FileListBox1->SetItemIndex(index);
    FileListBox1->Click();
  }
}

void TFormOmbrik63::KeyPress(wchar_t& key) {
  TfrmTippTemplate::KeyPress(key);
  // The characters of the keys KeyDown took; an edit would beep at them.
  if (key == 0x13 || (key == 0x1B && FocusedField())) key = 0;
}

void TFormOmbrik63::SpeedButtonPlayClick(fw::TComponent*) {
  // The file type's default action; what the shell makes of it is its own.
  fw::Shell().Execute(Handle(), nullptr, fw::Utf16(currentFile_).c_str(), nullptr, nullptr,
                      SW_SHOW);
}

namespace {
const fw::ClassRegistration formClass("TFormOmbrik63", "TfrmTippTemplate", nullptr, {});
}  // namespace
