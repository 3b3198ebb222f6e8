#pragma once
// The file list of the browsing controls: the entries of one directory that
// match a list of masks and an attribute filter, sorted, with a glyph in
// front of each when asked. Directories show as "[name]". Reading moves the
// process's current directory to Directory.
//
// Partners: a directory list writes Directory and FileName goes through it
// when it is linked; a filter combo box writes Mask; an edit mirrors the
// selected name. The links are plain pointers, cleared when the partner
// goes.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "fw/Bitmap.h"
#include "fw/Edit.h"
#include "fw/ListBox.h"

namespace filectrl {

// The framework's message for a file name that names nothing; "%s" is the
// typed text.
inline constexpr char SInvalidFileName[] = "Invalid file name - %s";

enum TFileAttr : uint8_t {
  ftReadOnly,
  ftHidden,
  ftSystem,
  ftVolumeID,
  ftDirectory,
  ftArchive,
  ftNormal,
};
// A set of TFileAttr, bit n for element n; [ftNormal] is 0x40.
using TFileType = uint8_t;
constexpr TFileType FileTypeOf(std::initializer_list<TFileAttr> attrs) {
  TFileType set = 0;
  for (TFileAttr a : attrs) set = static_cast<TFileType>(set | (1u << a));
  return set;
}

class TFileListBox : public fw::TCustomListBox {
 public:
  explicit TFileListBox(fw::TComponent* owner);
  const char* ClassName() const override { return "TFileListBox"; }

  const std::string& Directory() const { return directory_; }
  // Changes the process's current directory to the path (relative to the
  // old Directory), keeps the form the system reports and reads it. Raises
  // EInOutError when it cannot be entered; nothing changes then.
  void SetDirectory(const std::string& directory);

  // The selected item joined to Directory, spelt as the file system spells
  // it; empty with nothing selected.
  virtual std::string FileName();
  // Goes to the directory of a typed path and selects its file, or takes
  // its mask. Raises EInvalidOperation (SInvalidFileName) for a file that
  // does not exist.
  virtual void SetFileName(const std::string& fileName);

  // Masks separated by ";"; compared exactly.
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);
  TFileType FileType() const { return fileType_; }
  void SetFileType(TFileType fileType);
  bool ShowGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool show);
  fw::TEdit* FileEdit() const { return fileEdit_; }
  void SetFileEdit(fw::TEdit* edit);

  // Set and cleared by the directory list: FileName writes go to its
  // Directory then. Any class with SetDirectory(const std::string&) will do.
  template <typename DirList>
  void SetDirListLink(DirList* list) {
    dirList_ = list;
    writeDirList_ = nullptr;
    if (list) {
      writeDirList_ = [list](const std::string& path) { list->SetDirectory(path); };
      FreeNotification(list);
    }
  }
  fw::TComponent* DirListLink() const { return dirList_; }
  // Set and cleared by the filter combo box.
  void SetFilterComboLink(fw::TComponent* combo);
  fw::TComponent* FilterComboLink() const { return filterCombo_; }

  // Reads Directory's entries into the list; nothing without a window.
  virtual void ReadEntries();

  fw::TNotifyEvent OnChange;

  void Click() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  int LastSelection() const { return lastSelection_; }
  const fw::TBitmap& ExecutableGlyph() const { return executableGlyph_; }
  const fw::TBitmap& ClosedFolderGlyph() const { return closedFolderGlyph_; }
  const fw::TBitmap& UnknownGlyph() const { return unknownGlyph_; }

  virtual void LoadGlyphBitmaps();
  // After the selection or the contents changed: the edit, then OnChange.
  virtual void Change();
  void CreateWnd() override;
  void FontChanged() override;
  void DrawItem(int index, const RECT& rect, UINT state) override;
  void PaintItem(int index, const RECT& rect);

  // Text of the selected item, or empty.
  std::string SelectedItem() const;
  // Selects the item of that name (ignoring case), none if it is not
  // listed, and reports the change; nothing when it is selected already.
  void SelectItem(const std::string& name);
  // The item spelt exactly so; -1 for none.
  int ExactIndex(const std::string& name) const;
  // Whether selecting this name would leave the selection where it is.
  bool SelectedAlready(const std::string& name) const;
  // Item height from the font, raised to hold the glyphs when they show.
  void FitItemHeight();

  fw::TBitmap executableGlyph_;
  fw::TBitmap closedFolderGlyph_;
  fw::TBitmap unknownGlyph_;

 private:
  void ShowInEdit(bool selectAll);
  // FileName without the check of the name.
  std::string SelectedPath() const;

  std::string directory_;
  std::string mask_ = "*.*";
  TFileType fileType_ = FileTypeOf({ftNormal});
  fw::TEdit* fileEdit_ = nullptr;
  fw::TComponent* dirList_ = nullptr;
  std::function<void(const std::string&)> writeDirList_;
  fw::TComponent* filterCombo_ = nullptr;
  int lastSelection_ = -1;
  bool showGlyphs_ = false;
};

}  // namespace filectrl
