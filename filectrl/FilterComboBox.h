#pragma once
// The filter selector of the browsing controls: a drop-down list of file
// type descriptions, each with its mask; choosing one hands the mask to the
// linked file list, which reads its directory again with it.
#include <string>

#include "fw/ComboBox.h"
#include "fw/StringList.h"

namespace filectrl {

class TFileListBox;

// The filter a new selector offers: descriptions and masks alternating,
// separated by "|".
inline constexpr char SDefaultFilter[] = "All files (*.*)|*.*";

class TFilterComboBox : public fw::TCustomComboBox {
 public:
  explicit TFilterComboBox(fw::TComponent* owner);
  const char* ClassName() const override { return "TFilterComboBox"; }

  // "Description|mask|Description|mask"; a mask may hold several, split by
  // ";". Compared exactly: a text differing only in letter case is taken.
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter);

  TFileListBox* FileList() const { return fileList_; }
  void SetFileList(TFileListBox* list);

  // The selected entry's mask. With no selection the last entry is
  // selected first; without entries the answer is "*.*".
  std::string SelectedMask();
  // The masks of the entries, in the order of the items.
  const fw::TStringList& FilterMasks() const { return masks_; }

  // Rebuilds entries and masks from Filter and selects the first entry.
  void ParseFilter();

  void Click() override;
  // Hands the mask to the file list, then raises OnChange.
  void Change() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  void CreateWnd() override;

 private:
  std::string filter_ = SDefaultFilter;
  TFileListBox* fileList_ = nullptr;
  fw::TStringList masks_;
};

}  // namespace filectrl
