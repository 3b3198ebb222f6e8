#pragma once
// The directory list of the browsing controls: the levels of the current
// directory's path from the root down, one item each, then its
// subdirectories in sorted order, each with a folder glyph and indented by
// its depth. Directory is always the form the system reports for the
// process's current directory, because every change goes through it.
//
// Partners: a file list shown the same directory, a label showing it
// shortened to fit, and a drive combo box that switches the drive (it sets
// its own link here). The links are plain pointers, cleared when the
// partner goes.
#include <string>

#include "fw/Bitmap.h"
#include "fw/Label.h"
#include "fw/ListBox.h"
#include "fw/StringList.h"

namespace filectrl {

class TFileListBox;
class TDriveComboBox;

class TDirectoryListBox : public fw::TCustomListBox {
 public:
  explicit TDirectoryListBox(fw::TComponent* owner);
  const char* ClassName() const override { return "TDirectoryListBox"; }

  const std::string& Directory() const { return directory_; }
  // Takes a typed path (relative, on another drive, on a share, or ending
  // in a file name or a mask, which is ignored) and makes its directory
  // current. Raises EInOutError when it cannot be entered; nothing changes
  // then. An empty text or the directory on display does nothing.
  virtual void SetDirectory(const std::string& directory);
  // The drive letter of Directory, or a backslash for a network path.
  char Drive() const { return directory_.empty() ? '\0' : directory_[0]; }

  TFileListBox* FileList() const { return fileList_; }
  void SetFileList(TFileListBox* list);
  fw::TLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(fw::TLabel* label);
  // Written by the drive combo box whose DirList this list is.
  TDriveComboBox* LinkedDriveCombo() const { return linkedDriveCombo_; }
  void SetLinkedDriveCombo(TDriveComboBox* combo);

  // Moves to the directory the system remembers as current on that drive
  // (0: stays); nothing when Drive is that letter in either case.
  void ApplyDrive(char drive);
  // Goes to the selected item's directory; nothing without a selection.
  void OpenSelected();
  // The full path an item stands for; empty for an index out of range.
  std::string PathOfItem(int index) const;
  // How an item text is shown: in lower case on a volume that keeps no case.
  std::string ApplyDisplayCase(const std::string& text) const;
  // 0 when the two paths name the same directory on Directory's volume.
  int ComparePaths(const std::string& a, const std::string& b) const;

  fw::TNotifyEvent OnChange;

  void DblClick() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  bool VolumePreservesCase() const { return volumePreservesCase_; }
  bool VolumeCaseSensitive() const { return volumeCaseSensitive_; }
  bool ChangingDrive() const { return changingDrive_; }

  const fw::TBitmap& ClosedFolderGlyph() const { return closedFolderGlyph_; }
  const fw::TBitmap& OpenFolderGlyph() const { return openFolderGlyph_; }
  const fw::TBitmap& CurrentFolderGlyph() const { return currentFolderGlyph_; }

  // After Directory changed: the file list, the label, then OnChange.
  virtual void Change();
  virtual void LoadGlyphBitmaps();
  // Refills the items for Directory and selects the current directory's.
  virtual void RebuildItems();

  void ChangeDirectory(const std::string& path);
  void UpdateDirLabel();
  // Adds the names of the parent's subdirectories (neither "." nor "..",
  // nor hidden or system ones) to the list; answers how many were found.
  int CollectSubdirectories(const std::string& parent, fw::TStringList& target);
  // Item height from the font, at least the glyph height + 1.
  void FitItemHeight();

  void CreateWnd() override;
  void FontChanged() override;
  void KeyPress(wchar_t& key) override;
  void DrawItem(int index, const RECT& rect, UINT state) override;

  fw::TBitmap closedFolderGlyph_;
  fw::TBitmap openFolderGlyph_;
  fw::TBitmap currentFolderGlyph_;
  std::string directory_;
  bool volumePreservesCase_ = true;
  bool volumeCaseSensitive_ = false;

 private:
  void ReadVolumeFlags(const std::string& root);

  TFileListBox* fileList_ = nullptr;
  TDriveComboBox* linkedDriveCombo_ = nullptr;
  fw::TLabel* dirLabel_ = nullptr;
  bool changingDrive_ = false;
};

}  // namespace filectrl
