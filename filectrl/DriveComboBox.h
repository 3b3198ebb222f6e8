#pragma once
// The drive selector of the browsing controls: a drop-down list of the
// machine's drives, each with a glyph for its type and its letter, followed
// for all but removable drives by the volume label or the network name.
// Choosing one moves the linked directory list to that drive. The drives
// are read through fw::Drives(), so tests can script a machine.
#include <string>

#include "fw/Bitmap.h"
#include "fw/ComboBox.h"

namespace filectrl {

class TDirectoryListBox;

enum class TTextCase { tcLowerCase, tcUpperCase };

class TDriveComboBox : public fw::TCustomComboBox {
 public:
  explicit TDriveComboBox(fw::TComponent* owner);
  const char* ClassName() const override { return "TDriveComboBox"; }

  // The selected drive's letter in the case of TextCase, 0 for none.
  char Drive() const { return drive_; }
  // Selects the drive's item (the selection stays when there is none),
  // moves the directory list there and reports the change. Nothing when
  // the drive is selected already, in either case. 0 selects nothing.
  void SetDrive(char drive);

  TTextCase TextCase() const { return textCase_; }
  // Reads the drives again in the new case and keeps the drive selected.
  void SetTextCase(TTextCase textCase);

  TDirectoryListBox* DirList() const { return dirList_; }
  void SetDirList(TDirectoryListBox* list);

  // Refills the items from the machine's drives.
  virtual void ReadDrives();

  void Click() override;
  void DrawItem(int index, const RECT& rect, uint32_t state) override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  void CreateWnd() override;
  void FontChanged() override;
  // Item height from the font, at least the glyph height.
  void FitItemHeight();

  const fw::TBitmap& FloppyGlyph() const { return floppyGlyph_; }
  const fw::TBitmap& FixedGlyph() const { return fixedGlyph_; }
  const fw::TBitmap& NetworkGlyph() const { return networkGlyph_; }
  const fw::TBitmap& CDROMGlyph() const { return cdromGlyph_; }
  const fw::TBitmap& RAMGlyph() const { return ramGlyph_; }

 private:
  void LoadGlyphBitmaps();

  TDirectoryListBox* dirList_ = nullptr;
  char drive_ = '\0';
  TTextCase textCase_ = TTextCase::tcLowerCase;
  fw::TBitmap floppyGlyph_;
  fw::TBitmap fixedGlyph_;
  fw::TBitmap networkGlyph_;
  fw::TBitmap cdromGlyph_;
  fw::TBitmap ramGlyph_;
};

}  // namespace filectrl
