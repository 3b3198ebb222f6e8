#include "filectrl/FileListBox.h"

#include <string_view>
#include <vector>

#include "filectrl/PathHelpers.h"
#include "fw/Application.h"
#include "fw/Exceptions.h"
#include "fw/Layout.h"
#include "fw/PathStrings.h"
#include "fw/ScopeExit.h"
#include "fw/SysUtils.h"

namespace filectrl {
namespace {

// The attribute word of a search: one bit per attribute element, the same
// bits as the system's; ftNormal adds none.
uint32_t SearchAttributes(TFileType fileType) {
  uint32_t attr = 0;
  for (int bit = ftReadOnly; bit <= ftArchive; ++bit)
    if (fileType & (1u << bit)) attr |= 1u << bit;
  return attr;
}

// Where the hourglass comes on: a long list is under way.
constexpr size_t kHourglassPosition = 100;

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// A resource message with its one "%s" filled in.
std::string FillIn(std::string_view format, std::string_view text) {
  const size_t at = format.find("%s");
  if (at == std::string_view::npos) return std::string(format);
  std::string message(format.substr(0, at));
  message += text;
  message += format.substr(at + 2);
  return message;
}

}  // namespace

TFileListBox::TFileListBox(fw::TComponent* owner) : fw::TCustomListBox(owner) {
  SetWidth(145);
  directory_ = fw::GetCurrentDir();
  LoadGlyphBitmaps();
  SetSorted(true);
  FitItemHeight();
}

void TFileListBox::LoadGlyphBitmaps() {
  executableGlyph_.LoadFromResourceName(fw::ThisModule(), "EXECUTABLE");
  closedFolderGlyph_.LoadFromResourceName(fw::ThisModule(), "CLOSEDFOLDER");
  unknownGlyph_.LoadFromResourceName(fw::ThisModule(), "UNKNOWNFILE");
}

void TFileListBox::CreateWnd() {
  fw::TCustomListBox::CreateWnd();
  ReadEntries();
}

void TFileListBox::ReadEntries() {
  if (!HandleAllocated()) return;
  const uint32_t attr = SearchAttributes(fileType_);
  const bool everyEntry = fileType_ & FileTypeOf({ftNormal});
  // A directory that cannot be entered leaves the list as it was. The
  // search names the directory in full: the process may stand elsewhere.
  EnterDirectory(directory_);
  {
    fw::ListBoxUpdate update(*this);
    Items().Clear();
    // The screen cursor as it was, however the read ends.
    fw::ScopeExit restoreCursor([saved = fw::Screen().Cursor()] { fw::Screen().SetCursor(saved); });
    // The entries go in together: the list sorts them once instead of
    // searching its place for each (see TListBoxItems::AddObjects). The
    // hourglass comes on when the read has an item for position 100.
    std::vector<fw::TListBoxItem> found;
    for (const std::string& piece : SplitMask(mask_)) {
      if (piece.empty()) continue;  // matches nothing
      for (fw::TFileSearch search(JoinPath(directory_, piece), attr); search.Found();
           search.Next()) {
        const fw::TSearchRec& entry = search.Current();
        if (!everyEntry && !(entry.Attr & attr)) continue;
        if (entry.Attr & fw::faDirectory) {
          found.push_back({Bracketed(entry.Name), showGlyphs_ ? &closedFolderGlyph_ : nullptr});
        } else {
          fw::TBitmap* glyph = IsExecutableName(entry.Name) ? &executableGlyph_ : &unknownGlyph_;
          found.push_back({entry.Name, glyph});
        }
        if (found.size() == kHourglassPosition + 1) fw::Screen().SetCursor(fw::crHourGlass);
      }
    }
    Items().AddObjects(std::move(found));
  }
  Change();
}

void TFileListBox::Change() {
  lastSelection_ = ItemIndex();
  if (fileEdit_) ShowInEdit(true);
  if (OnChange) OnChange(this);
}

void TFileListBox::ShowInEdit(bool selectAll) {
  const std::string selected = SelectedItem();
  fileEdit_->SetText(selected.empty() ? mask_ : selected);
  // Without a window the edit has no selection to show yet.
  if (selectAll && fileEdit_->HandleAllocated()) fileEdit_->SelectAll();
}

void TFileListBox::Click() {
  fw::TCustomListBox::Click();
  if (ItemIndex() != lastSelection_) Change();
}

std::string TFileListBox::SelectedItem() const {
  const int index = ItemIndex();
  if (index >= 0 && Items().Count() > 0 && Selected(index)) return Items().Strings(index);
  return std::string();
}

void TFileListBox::SelectItem(const std::string& name) {
  if (SelectedAlready(name)) return;
  const int exact = ExactIndex(name);
  // The system's search starts after the first item and wraps round to it.
  SetItemIndex(exact >= 0 ? exact : FindStringExact(name, 0));
  Change();
}

int TFileListBox::ExactIndex(const std::string& name) const {
  for (int i = 0; i < Items().Count(); ++i)
    if (Items().Strings(i) == name) return i;
  return -1;
}

bool TFileListBox::SelectedAlready(const std::string& name) const {
  // Names that differ in case only, or in the composed and decomposed form
  // of a letter, are different files (the file system may hold both): a name
  // spelt exactly as an item means that item, and only a name that none
  // matches so is taken without regard to case.
  const std::string selected = SelectedItem();
  if (selected.empty()) return false;
  if (name == selected) return true;
  return ExactIndex(name) < 0 && fw::AnsiCompareFileName(name, selected) == 0;
}

void TFileListBox::SetDirectory(const std::string& directory) {
  if (fw::AnsiCompareFileName(directory, directory_) == 0) return;
  // A relative path is taken from the directory on display.
  directory_ = EnterDirectory(directory, directory_);
  ReadEntries();
}

std::string TFileListBox::FileName() { return SelectedPath(); }

std::string TFileListBox::SelectedPath() const {
  const std::string selected = SelectedItem();
  if (selected.empty()) return selected;
  return JoinPath(directory_, selected);
}

void TFileListBox::SetFileName(const std::string& fileName) {
  if (fileName.empty()) return;
  if (fw::AnsiCompareFileName(fw::ExtractFilePath(fileName), fw::ExtractFilePath(SelectedPath())) ==
          0 &&
      SelectedAlready(fw::ExtractFileName(fileName)))
    return;
  const ResolvedPath parts = ResolvePath(fileName, directory_);
  if (writeDirList_) {
    // The directory list splits the text itself and then sets Directory.
    writeDirList_(fileName);
  } else if (parts.drive != '\0') {
    SetDirectory(std::string(1, parts.drive) + ":" + parts.directory);
  } else {
    SetDirectory(parts.directory);
  }
  if (IsPattern(parts.file)) {
    SetMask(parts.file);
    return;
  }
  if (parts.file.empty()) return;
  SelectItem(parts.file);
  // Looked for in Directory itself: the process may stand elsewhere when
  // Directory did not change.
  if (fw::FileExists(JoinPath(directory_, parts.file))) {
    if (SelectedItem().empty()) {
      // Hidden by the mask: show just this file.
      SetMask(parts.file);
      SelectItem(parts.file);
    }
  } else {
    throw fw::EInvalidOperation(FillIn(SInvalidFileName, fileName));
  }
}

void TFileListBox::SetMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  ReadEntries();
}

void TFileListBox::SetFileType(TFileType fileType) {
  if (fileType == fileType_) return;
  fileType_ = fileType;
  ReadEntries();
}

void TFileListBox::SetFileEdit(fw::TEdit* edit) {
  if (edit == fileEdit_) return;
  fileEdit_ = edit;
  if (!edit) return;
  FreeNotification(edit);
  ShowInEdit(false);
}

void TFileListBox::SetFilterComboLink(fw::TComponent* combo) {
  filterCombo_ = combo;
  if (combo) FreeNotification(combo);
}

void TFileListBox::SetShowGlyphs(bool show) {
  if (show == showGlyphs_) return;
  showGlyphs_ = show;
  if (show && ItemHeight() < executableGlyph_.Height() + 1) FitItemHeight();
  Invalidate();
}

void TFileListBox::FitItemHeight() {
  int height = FontHeight(Font());
  const int glyphHeight = executableGlyph_.Height() + 1;
  if (showGlyphs_ && height < glyphHeight) height = glyphHeight;
  SetItemHeight(height);
}

void TFileListBox::FontChanged() {
  fw::TCustomListBox::FontChanged();
  FitItemHeight();
}

void TFileListBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomListBox::Notification(component, operation);
  if (operation != fw::TOperation::opRemove) return;
  if (component == fileEdit_) {
    fileEdit_ = nullptr;
  } else if (component == dirList_) {
    dirList_ = nullptr;
    writeDirList_ = nullptr;
  } else if (component == filterCombo_) {
    filterCombo_ = nullptr;
  }
}

void TFileListBox::DrawItem(int index, const RECT& rect, UINT) { PaintItem(index, rect); }

void TFileListBox::PaintItem(int index, const RECT& rect) {
  const auto* glyph = static_cast<const fw::TBitmap*>(Items().Objects(index));
  Canvas().DrawItem(rect, Items().Strings(index), showGlyphs_ ? glyph : nullptr);
}

namespace {

const fw::ClassRegistration fileListBoxClass(
    "TFileListBox", "TCustomListBox",
    [](fw::TComponent* owner) { return fw::Make<TFileListBox>(owner); },
    {
        {"Mask", fw::Setter(&TFileListBox::SetMask)},
        {"ShowGlyphs", fw::Setter(&TFileListBox::SetShowGlyphs)},
        {"FileType", fw::SetSetter(&TFileListBox::SetFileType,
                                   fw::FlagNames<uint32_t>({{"ftReadOnly", 1u << ftReadOnly},
                                                            {"ftHidden", 1u << ftHidden},
                                                            {"ftSystem", 1u << ftSystem},
                                                            {"ftVolumeID", 1u << ftVolumeID},
                                                            {"ftDirectory", 1u << ftDirectory},
                                                            {"ftArchive", 1u << ftArchive},
                                                            {"ftNormal", 1u << ftNormal}}))},
        {"FileEdit", fw::LinkSetter("an edit", &TFileListBox::SetFileEdit)},
        {"OnChange", fw::EventSetter(&TFileListBox::OnChange)},
    });

}  // namespace
}  // namespace filectrl
