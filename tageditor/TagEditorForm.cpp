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
#include "fw/ScopeExit.h"
#include "fw/Services.h"
#include "fw/SpeedButton.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace {

// A light amber: the end of the text will be cut off on saving, and dark
// text stays easy to read on it.
constexpr fw::TColor kOverflowColor = 0x9CDCFF;

}  // namespace

TFormOmbrik63::TFormOmbrik63(fw::TComponent* owner) : TfrmTippTemplate(owner) {}

void TFormOmbrik63::Loaded() {
  fw::BindComponent(*this, DriveComboBox1, "DriveComboBox1");
  fw::BindComponent(*this, FilterComboBox1, "FilterComboBox1");
  fw::BindComponent(*this, DirectoryListBox1, "DirectoryListBox1");
  fw::BindComponent(*this, FileListBox1, "FileListBox1");
  fw::BindComponent(*this, Label1, "Label1");
  fw::BindComponent(*this, Label3, "Label3");
  fw::BindComponent(*this, Label4, "Label4");
  fw::BindComponent(*this, Label5, "Label5");
  fw::BindComponent(*this, Label6, "Label6");
  fw::BindComponent(*this, Label7, "Label7");
  fw::BindComponent(*this, Label8, "Label8");
  fw::BindComponent(*this, EditTitel, "EditTitel");
  fw::BindComponent(*this, EditKuenstler, "EditKuenstler");
  fw::BindComponent(*this, EditAlbum, "EditAlbum");
  fw::BindComponent(*this, EditJahr, "EditJahr");
  fw::BindComponent(*this, EditKommentar, "EditKommentar");
  fw::BindComponent(*this, ComboBoxGenre, "ComboBoxGenre");
  fw::BindComponent(*this, EditTag, "EditTag");
  fw::BindComponent(*this, SpeedButtonPlay, "SpeedButtonPlay");
  // One list of names for the codec and the drop-down.
  for (std::string_view name : tageditor::GenreNames())
    ComboBoxGenre->Items().Add(std::string(name));
  fieldColor_ = EditTitel->Color();
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

void TFormOmbrik63::FormCreate(fw::TComponent* sender) { TfrmTippTemplate::FormCreate(sender); }

void TFormOmbrik63::FileListBox1Change(fw::TComponent*) {
  FileListBox1->SetCursor(fw::crHourGlass);
  SpeedButtonPlay->SetEnabled(false);
  // However the load ends, OK waits for an edit and the hourglass goes.
  fw::ScopeExit endLoad([this] {
    HotSpeedButtonOK->SetEnabled(false);
    FileListBox1->SetCursor(fw::crDefault);
  });
  // Nothing selected (after a re-read): the fields stay as they are.
  const std::string fileName = FileListBox1->FileName();
  if (fileName.empty()) return;
  SpeedButtonPlay->SetEnabled(true);
  currentFile_ = fileName;
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

void TFormOmbrik63::ShowTag(const std::optional<tageditor::Id3v1Tag>& tag) {
  EditTag->SetText(tag ? fw::AnsiToUtf8(tag->Marker) : "");
  commentWidth_ = tag ? tag->CommentWidth() : tageditor::kTextWidth;
  const auto edits = TextEdits();
  for (fw::TEdit* edit : edits) edit->SetEnabled(tag.has_value());
  ComboBoxGenre->SetEnabled(tag.has_value());
  if (tag) {
    const std::string* texts[] = {&tag->Title, &tag->Artist, &tag->Album, &tag->Year,
                                  &tag->Comment};
    for (std::size_t i = 0; i < edits.size(); ++i) {
      edits[i]->SetText("");
      edits[i]->SetText(fw::AnsiToUtf8(*texts[i]));
    }
    ComboBoxGenre->SetItemIndex(tag->Genre);
  } else {
    for (fw::TEdit* edit : edits) edit->SetText("");
    ComboBoxGenre->SetItemIndex(-1);
  }
  // Undo's values live in the controls' spare properties.
  for (fw::TEdit* edit : edits) edit->SetHint(edit->Text());
  ComboBoxGenre->SetTag(ComboBoxGenre->ItemIndex());
  // The comment's width may have changed with texts that did not.
  ShowOverflow();
}

void TFormOmbrik63::EditTitelChange(fw::TComponent*) {
  ShowOverflow();
  // Filling the fields before the window is shown is no change.
  if (!TippShown) return;
  HotSpeedButtonOK->SetEnabled(true);
  TippSaved = false;
  TippChanged = true;
}

void TFormOmbrik63::HotSpeedButtonOKClick(fw::TComponent* sender) {
  // The selection, not CurrentFile: after a re-read nothing is selected and
  // the save fails at opening.
  const std::string fileName = FileListBox1->FileName();
  if (!unreadFile_.empty() && fw::AnsiCompareFileName(fileName, unreadFile_) == 0) {
    throw fw::EInvalidOperation("The tag of \"" + fileName +
                                "\" could not be read, so there is nothing to save into it; "
                                "nothing was written.");
  }
  std::array<std::string, 5> texts;
  const auto edits = TextEdits();
  for (std::size_t i = 0; i < edits.size(); ++i) {
    std::optional<std::string> text = RecordText(*edits[i]);
    if (!text) {
      edits[i]->SetFocus();
      throw fw::EInvalidOperation("\"" + FieldLabels()[i]->Text() +
                                  "\" holds characters that a tag cannot store (it takes those of "
                                  "the system's code page only); nothing was written.");
    }
    texts[i] = std::move(*text);
  }
  const tageditor::TagFields fields{texts[0], texts[1], texts[2],
                                    texts[3], texts[4], ComboBoxGenre->ItemIndex()};
  commentWidth_ = tageditor::SaveTag(fileName, fields);
  PadToRecord();
  HotSpeedButtonOK->SetEnabled(false);
  // On disk before the host hears of it.
  TfrmTippTemplate::HotSpeedButtonOKClick(sender);
}

std::optional<std::string> TFormOmbrik63::RecordText(const fw::TEdit& edit) {
  return fw::Utf8ToAnsi(edit.Text());
}

std::array<std::size_t, 5> TFormOmbrik63::FieldWidths() const {
  using namespace tageditor;
  return {kTextWidth, kTextWidth, kTextWidth, kYearWidth, static_cast<std::size_t>(commentWidth_)};
}

void TFormOmbrik63::PadToRecord() {
  const auto edits = TextEdits();
  const auto widths = FieldWidths();
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const std::optional<std::string> text = RecordText(*edits[i]);
    if (text && text->size() <= widths[i])
      edits[i]->SetText(edits[i]->Text() + std::string(widths[i] + 1 - text->size(), ' '));
  }
  // The record on disk may have given the comment another width.
  ShowOverflow();
}

void TFormOmbrik63::ShowOverflow() {
  const auto edits = TextEdits();
  const auto widths = FieldWidths();
  for (std::size_t i = 0; i < edits.size(); ++i) {
    // Blanks past the field are what OK pads with; only they may be lost
    // unseen. A character that the record cannot hold at all is a loss too.
    const std::optional<std::string> text = RecordText(*edits[i]);
    const bool cut = !text || text->find_first_not_of(' ', widths[i]) != std::string::npos;
    edits[i]->SetColor(cut ? kOverflowColor : fieldColor_);
  }
}

void TFormOmbrik63::HotSpeedButtonUndoClick(fw::TComponent* sender) {
  for (fw::TEdit* edit : TextEdits()) edit->SetText(edit->Hint());
  ComboBoxGenre->SetItemIndex(ComboBoxGenre->Tag());
  TfrmTippTemplate::HotSpeedButtonUndoClick(sender);
}

void TFormOmbrik63::SpeedButtonPlayClick(fw::TComponent*) {
  // The file type's default action; what the shell makes of it is its own.
  fw::Shell().Execute(Handle(), nullptr, fw::Utf16(currentFile_).c_str(), nullptr, nullptr,
                      SW_SHOW);
}

namespace {
const fw::ClassRegistration formClass("TFormOmbrik63", "TfrmTippTemplate", nullptr, {});
}  // namespace
