#include "filectrl/FilterComboBox.h"

#include "filectrl/FileListBox.h"
#include "filectrl/PathHelpers.h"
#include "fw/Layout.h"
#include "fw/SysUtils.h"

namespace filectrl {

TFilterComboBox::TFilterComboBox(fw::TComponent* owner) : fw::TCustomComboBox(owner) {
  SetStyle(fw::TComboBoxStyle::csDropDownList);
  // The entries exist before the window does, so that a change reported
  // while a layout is read hands on the mask of the filter read, not "*.*".
  ParseFilter();
}

void TFilterComboBox::CreateWnd() {
  fw::TCustomComboBox::CreateWnd();
  ParseFilter();
}

void TFilterComboBox::ParseFilter() {
  Items().Clear();
  masks_.Clear();
  for (const FilterEntry& entry : filectrl::ParseFilter(filter_)) {
    Items().Add(entry.description);
    masks_.Add(entry.mask);
  }
  SetItemIndex(0);
}

std::string TFilterComboBox::SelectedMask() {
  if (ItemIndex() < 0) SetItemIndex(Items().Count() - 1);
  const int index = ItemIndex();
  if (index < 0 || index >= masks_.Count()) return "*.*";
  return masks_[index];
}

void TFilterComboBox::SetFilter(const std::string& filter) {
  // Compared as file names: a filter that differs only in letter case is the same filter.
  if (fw::AnsiCompareFileName(filter, filter_) == 0) return;
  filter_ = filter;
  ParseFilter();
  Change();
}

void TFilterComboBox::Change() {
  // The list reads its directory again only when the mask really differs.
  if (fileList_) fileList_->SetMask(SelectedMask());
  fw::TCustomComboBox::Change();
}

void TFilterComboBox::Click() {
  fw::TCustomComboBox::Click();
  Change();
}

void TFilterComboBox::SetFileList(TFileListBox* list) {
  if (list == fileList_) return;
  if (fileList_) fileList_->SetFilterComboLink(nullptr);
  fileList_ = list;
  if (!list) return;
  // The mask follows at the next Change.
  FreeNotification(list);
  list->SetFilterComboLink(this);
}

void TFilterComboBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomComboBox::Notification(component, operation);
  if (operation == fw::TOperation::opRemove && component == fileList_) fileList_ = nullptr;
}

namespace {

// Under TWinControl in layouts, not its C++ base: the layout base decides which
// properties a layout may set. The box's items come from Filter and it raises
// its own OnChange, so it publishes none of TCustomComboBox's properties.
const fw::ClassRegistration filterComboBoxClass(
    "TFilterComboBox", "TWinControl",
    [](fw::TComponent* owner) { return fw::Make<TFilterComboBox>(owner); },
    {
        {"FileList", fw::LinkSetter("a file list", &TFilterComboBox::SetFileList)},
        {"Filter", fw::Setter(&TFilterComboBox::SetFilter)},
        {"OnChange", fw::EventSetter(&TFilterComboBox::OnChange)},
    });

}  // namespace
}  // namespace filectrl
