#include "filectrl/DriveComboBox.h"

#include "filectrl/DirectoryListBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Layout.h"
#include "fw/PathStrings.h"
#include "fw/Services.h"
#include "fw/SysUtils.h"

namespace filectrl {
namespace {

// Letters a to z only: the mask has no bits for others.
constexpr int kDriveLetters = 26;

// One line, centred vertically, "&" shown as itself.
constexpr UINT kItemTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

}  // namespace

TDriveComboBox::TDriveComboBox(fw::TComponent* owner) : fw::TCustomComboBox(owner) {
  SetStyle(fw::TComboBoxStyle::csOwnerDrawFixed);
  LoadGlyphBitmaps();
  // A network directory (\\SERVER\SHARE) has no drive letter.
  const std::string current = fw::GetCurrentDir();
  drive_ = current.empty() || current[0] == '\\' ? '\0' : current[0];
  FitItemHeight();
}

void TDriveComboBox::LoadGlyphBitmaps() {
  floppyGlyph_.LoadFromResourceName(fw::ThisModule(), "FLOPPY");
  fixedGlyph_.LoadFromResourceName(fw::ThisModule(), "HARD");
  networkGlyph_.LoadFromResourceName(fw::ThisModule(), "NETWORK");
  cdromGlyph_.LoadFromResourceName(fw::ThisModule(), "CDROM");
  ramGlyph_.LoadFromResourceName(fw::ThisModule(), "RAM");
}

void TDriveComboBox::CreateWnd() {
  fw::TCustomComboBox::CreateWnd();
  ReadDrives();
  // Nothing is selected yet, so this selects the drive's item.
  SetDrive(drive_);
}

void TDriveComboBox::ReadDrives() {
  Items().Clear();
  const DWORD mask = fw::Drives().LogicalDrives();
  for (int i = 0; i < kDriveLetters; ++i) {
    if (!(mask & (1u << i))) continue;
    char letter = static_cast<char>('a' + i);
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    const UINT type = fw::Drives().DriveType(root);
    if (textCase_ == TTextCase::tcUpperCase) letter = fw::AsciiUpper(letter);
    const std::string prefix = std::string{letter, ':'};
    switch (type) {
      case DRIVE_REMOVABLE:
        // Not touched: reading it could wait for a disk.
        Items().AddObject(prefix, &floppyGlyph_);
        break;
      case DRIVE_FIXED:
        Items().AddObject(prefix + " " + VolumeLabel(letter), &fixedGlyph_);
        break;
      case DRIVE_REMOTE:
        Items().AddObject(prefix + " " + NetworkName(letter), &networkGlyph_);
        break;
      case DRIVE_CDROM:
        Items().AddObject(prefix + " " + VolumeLabel(letter), &cdromGlyph_);
        break;
      case DRIVE_RAMDISK:
        Items().AddObject(prefix + " " + VolumeLabel(letter), &ramGlyph_);
        break;
      default:
        break;  // unknown or without a root directory: not listed
    }
  }
}

void TDriveComboBox::SetDrive(char drive) {
  if (ItemIndex() >= 0 && fw::AsciiUpper(drive) == fw::AsciiUpper(drive_)) return;
  if (drive == '\0') {
    drive_ = '\0';
    SetItemIndex(-1);
  } else {
    drive_ = textCase_ == TTextCase::tcUpperCase ? fw::AsciiUpper(drive) : fw::AsciiLower(drive);
    for (int i = 0; i < Items().Count(); ++i) {
      const std::string& text = Items().Strings(i);
      if (text.size() >= 2 && fw::AsciiUpper(text[0]) == fw::AsciiUpper(drive_) && text[1] == ':') {
        SetItemIndex(i);
        break;
      }
    }
  }
  // A drive that cannot be entered raises here: the box shows it, the
  // list stays where it was, and no change is reported.
  if (dirList_) dirList_->ApplyDrive(drive_);
  Change();
}

void TDriveComboBox::Click() {
  fw::TCustomComboBox::Click();
  const int index = ItemIndex();
  if (index >= 0) {
    const std::string& text = Items().Strings(index);
    if (!text.empty()) SetDrive(text[0]);
  }
}

void TDriveComboBox::SetTextCase(TTextCase textCase) {
  if (textCase == textCase_) return;
  textCase_ = textCase;
  const char drive = drive_;
  ReadDrives();
  SetDrive(drive);
}

void TDriveComboBox::DrawItem(int index, const RECT& rect, uint32_t) {
  fw::TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  // The closed box without a selection asks for no item.
  if (index < 0 || index >= Items().Count()) return;
  int glyphWidth = 16;
  if (const auto* glyph = static_cast<const fw::TBitmap*>(Items().Objects(index))) {
    glyphWidth = glyph->Width();
    const int height = glyph->Height();
    const int top = (rect.top + rect.bottom - height) / 2;
    canvas.DrawTransparent(rect.left + 2, top, *glyph, RECT{0, 0, glyphWidth, height});
  }
  RECT textRect = rect;
  textRect.left += glyphWidth + 6;
  canvas.DrawText(Items().Strings(index), textRect, kItemTextFormat);
}

void TDriveComboBox::FitItemHeight() {
  int height = FontHeight(Font());
  if (height < floppyGlyph_.Height()) height = floppyGlyph_.Height();
  SetItemHeight(height);
}

void TDriveComboBox::FontChanged() {
  fw::TCustomComboBox::FontChanged();
  FitItemHeight();
  // The new window reads the drives again at the new height.
  RecreateWnd();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (list == dirList_) return;
  if (dirList_) dirList_->SetLinkedDriveCombo(nullptr);
  dirList_ = list;
  if (!list) return;
  // The drive is not pushed now; the list follows the next selection.
  list->SetLinkedDriveCombo(this);
  FreeNotification(list);
}

void TDriveComboBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomComboBox::Notification(component, operation);
  if (operation == fw::TOperation::opRemove && component == dirList_) dirList_ = nullptr;
}

namespace {

// Under TWinControl in layouts, not its C++ base: the layout base decides which
// properties a layout may set, and the box fits its item height to its font
// and lists the drives itself, so TCustomComboBox's are not its user's.
const fw::ClassRegistration driveComboBoxClass(
    "TDriveComboBox", "TWinControl",
    [](fw::TComponent* owner) { return fw::Make<TDriveComboBox>(owner); },
    {
        {"DirList", fw::LinkSetter("a directory list", &TDriveComboBox::SetDirList)},
        {"TextCase",
         fw::EnumSetter(&TDriveComboBox::SetTextCase,
                        fw::EnumNames<TTextCase>({{"tcLowerCase", TTextCase::tcLowerCase},
                                                  {"tcUpperCase", TTextCase::tcUpperCase}}))},
        {"OnChange", fw::EventSetter(&TDriveComboBox::OnChange)},
    });

}  // namespace
}  // namespace filectrl
