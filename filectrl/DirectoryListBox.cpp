#include "filectrl/DirectoryListBox.h"

#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Exceptions.h"
#include "fw/Layout.h"
#include "fw/PathStrings.h"
#include "fw/ScopeExit.h"
#include "fw/Services.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace filectrl {

TDirectoryListBox::TDirectoryListBox(fw::TComponent* owner) : fw::TCustomListBox(owner) {
  SetWidth(145);
  LoadGlyphBitmaps();
  directory_ = fw::GetCurrentDir();
  FitItemHeight();
}

void TDirectoryListBox::LoadGlyphBitmaps() {
  openFolderGlyph_.LoadFromResourceName(fw::ThisModule(), "OPENFOLDER");
  closedFolderGlyph_.LoadFromResourceName(fw::ThisModule(), "CLOSEDFOLDER");
  currentFolderGlyph_.LoadFromResourceName(fw::ThisModule(), "CURRENTFOLDER");
}

void TDirectoryListBox::CreateWnd() {
  fw::TCustomListBox::CreateWnd();
  // No Change: the partners started from the same process directory.
  RebuildItems();
}

void TDirectoryListBox::FontChanged() {
  fw::TCustomListBox::FontChanged();
  FitItemHeight();
}

void TDirectoryListBox::FitItemHeight() {
  int height = FontHeight(Font());
  if (height < openFolderGlyph_.Height() + 1) height = openFolderGlyph_.Height() + 1;
  SetItemHeight(height);
}

void TDirectoryListBox::ReadVolumeFlags(const std::string& root) {
  DWORD flags = 0;
  if (!fw::Drives().VolumeInformation(fw::Utf16(root).c_str(), nullptr, 0, nullptr, nullptr, &flags,
                                      nullptr, 0)) {
    // Unknown: show the names as the system reports them.
    volumePreservesCase_ = true;
    volumeCaseSensitive_ = false;
    return;
  }
  volumePreservesCase_ = (flags & (FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED)) != 0;
  volumeCaseSensitive_ = (flags & FS_CASE_SENSITIVE) != 0;
}

void TDirectoryListBox::RebuildItems() {
  int currentIndex;
  {
    fw::ListBoxUpdate update(*this);
    Items().Clear();
    ReadVolumeFlags(fw::ExtractFileDrive(directory_) + "\\");
    const DirectoryLevels levels = SplitDirectoryLevels(directory_);
    for (const std::string& level : levels.above) Items().AddObject(level, &openFolderGlyph_);
    if (levels.current) Items().AddObject(*levels.current, &currentFolderGlyph_);
    currentIndex = Items().Count() - 1;
    // Sorted before they are added: the list box itself keeps its order.
    fw::TStringList subdirectories;
    subdirectories.SetSorted(true);
    // Twins that the case-blind order holds equal (A and a; an accent
    // composed and combining) are two folders.
    subdirectories.SetDuplicates(fw::TDuplicates::dupAccept);
    CollectSubdirectories(directory_, subdirectories);
    for (int i = 0; i < subdirectories.Count(); ++i)
      Items().AddObject(subdirectories[i], &closedFolderGlyph_);
  }
  if (HandleAllocated()) SetItemIndex(currentIndex);
}

int TDirectoryListBox::CollectSubdirectories(const std::string& parent, fw::TStringList& target) {
  int count = 0;
  // The search leaves out hidden and system entries: they are outside the mask.
  for (fw::TFileSearch search(JoinPath(parent, "*.*"), fw::faDirectory); search.Found();
       search.Next()) {
    const fw::TSearchRec& entry = search.Current();
    if ((entry.Attr & fw::faDirectory) && entry.Name != "." && entry.Name != "..") {
      target.Add(entry.Name);
      ++count;
    }
  }
  return count;
}

std::string TDirectoryListBox::PathOfItem(int index) const {
  if (index < 0 || index >= Items().Count()) return std::string();
  if (index == 0) return fw::ExtractFileDrive(directory_) + "\\";
  const void* glyph = Items().Objects(index);
  if (glyph == &closedFolderGlyph_) return JoinPath(directory_, Items().Strings(index));
  if (glyph == &currentFolderGlyph_) return directory_;
  return PathOfLevel(directory_, static_cast<std::size_t>(index));
}

std::string TDirectoryListBox::ApplyDisplayCase(const std::string& text) const {
  if (volumePreservesCase_ || volumeCaseSensitive_) return text;
  return fw::AnsiLowerCase(text);
}

int TDirectoryListBox::ComparePaths(const std::string& a, const std::string& b) const {
  // On a case-sensitive volume only the same spelling is the same folder.
  return volumeCaseSensitive_ ? a.compare(b) : fw::AnsiCompareFileName(a, b);
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
  if (directory.empty() || ComparePaths(directory, directory_) == 0) return;
  const ResolvedPath parts = ResolvePath(directory, directory_);
  if (parts.drive != Drive()) {
    changingDrive_ = true;
    fw::ScopeExit changed([this] { changingDrive_ = false; });
    if (linkedDriveCombo_) linkedDriveCombo_->SetDrive(parts.drive);
    // A combo box that shows this drive already (its last switch failed)
    // leaves the drive alone; the directory part below is relative to it.
    ApplyDrive(parts.drive);
  }
  ChangeDirectory(parts.directory);
}

void TDirectoryListBox::ChangeDirectory(const std::string& path) {
  // A relative path is taken from the directory on display.
  directory_ = EnterDirectory(path, directory_);
  RebuildItems();
  Change();
}

void TDirectoryListBox::ApplyDrive(char drive) {
  if (fw::AsciiUpper(drive) == fw::AsciiUpper(Drive())) return;
  if (drive != '\0') {
    // The combo box's letter may be in lower case; the system would keep
    // that case in the directory it reports from then on.
    directory_ = EnterDirectory(std::string{fw::AsciiUpper(drive), ':'}, directory_);
  }
  if (changingDrive_) return;  // the assignment's own change follows
  RebuildItems();
  Change();
}

void TDirectoryListBox::Change() {
  if (fileList_) fileList_->SetDirectory(directory_);
  UpdateDirLabel();
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::UpdateDirLabel() {
  if (!dirLabel_) return;
  // A label that sizes itself may grow to the list's width.
  const int width = dirLabel_->AutoSize() ? Width() : dirLabel_->Width();
  fw::ScreenCanvas canvas;
  canvas.Font() = dirLabel_->Font();
  dirLabel_->SetText(ShortenPath(directory_, canvas, width));
}

void TDirectoryListBox::OpenSelected() {
  const std::string path = PathOfItem(ItemIndex());
  SetDirectory(path);
}

void TDirectoryListBox::KeyPress(wchar_t& key) {
  fw::TCustomListBox::KeyPress(key);
  if (key == '\r') OpenSelected();
}

void TDirectoryListBox::DblClick() {
  fw::TCustomListBox::DblClick();
  OpenSelected();
}

void TDirectoryListBox::DrawItem(int index, const RECT& rect, UINT) {
  const auto* glyph = static_cast<const fw::TBitmap*>(Items().Objects(index));
  // Each level one step right of the one above; subdirectories one step
  // right of the deepest level.
  const int level = glyph == &closedFolderGlyph_ ? PathDepth(directory_) + 1 : index;
  Canvas().DrawItem(rect, ApplyDisplayCase(Items().Strings(index)), glyph, 4 * level);
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
  if (list == fileList_) return;
  if (fileList_) fileList_->SetDirListLink(static_cast<TDirectoryListBox*>(nullptr));
  fileList_ = list;
  if (!list) return;
  // Its Directory follows at the next Change.
  list->SetDirListLink(this);
  FreeNotification(list);
}

void TDirectoryListBox::SetDirLabel(fw::TLabel* label) {
  dirLabel_ = label;
  if (label) FreeNotification(label);
  UpdateDirLabel();
}

void TDirectoryListBox::SetLinkedDriveCombo(TDriveComboBox* combo) { linkedDriveCombo_ = combo; }

void TDirectoryListBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomListBox::Notification(component, operation);
  if (operation != fw::TOperation::opRemove) return;
  if (component == fileList_) {
    fileList_ = nullptr;
  } else if (component == linkedDriveCombo_) {
    linkedDriveCombo_ = nullptr;
  } else if (component == dirLabel_) {
    dirLabel_ = nullptr;
  }
}

namespace {

// Under TWinControl in layouts, not its C++ base: the layout base decides which
// properties a layout may set, and the list keeps the tree's order, so of
// TCustomListBox's only ItemHeight is published again (Sorted would break it).
const fw::ClassRegistration directoryListBoxClass(
    "TDirectoryListBox", "TWinControl",
    [](fw::TComponent* owner) { return fw::Make<TDirectoryListBox>(owner); },
    {
        {"ItemHeight", fw::Setter(&fw::TCustomListBox::SetItemHeight)},
        {"DirLabel", fw::LinkSetter("a label", &TDirectoryListBox::SetDirLabel)},
        {"FileList", fw::LinkSetter("a file list", &TDirectoryListBox::SetFileList)},
        {"OnChange", fw::EventSetter(&TDirectoryListBox::OnChange)},
    });

}  // namespace
}  // namespace filectrl
