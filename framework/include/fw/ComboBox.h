#pragma once
// Combo boxes over the standard control. Items (text and an object pointer
// each) live in the control and go into its window whenever the window is
// made. A pick by the user raises Click; a change of the edit text raises
// Change; setting ItemIndex from code raises nothing.
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Api.h"
#include "fw/Canvas.h"
#include "fw/WinControl.h"

namespace fw {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };

// What DrawItem is asked to draw.
enum TOwnerDrawState : uint32_t {
  odSelected = 1,
  odFocused = 2,
  odDisabled = 4,
  odComboBoxEdit = 8
};

class FW_API TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomComboBox"; }
  // What the system's own control is; Wine's objects do not see it
  // through the framework's window class.
  long AccessibleRole() const override;

  // The item list, as the string lists of the framework name things.
  class FW_API ItemList {
   public:
    explicit ItemList(TCustomComboBox& box) : box_(box) {}
    int Count() const { return static_cast<int>(box_.items_.size()); }
    const std::string& Strings(int index) const;
    void* Objects(int index) const;
    int Add(const std::string& text) { return AddObject(text, nullptr); }
    int AddObject(const std::string& text, void* object);
    void Delete(int index);
    void Clear();
    // Exact text, case-insensitive; -1 when absent.
    int IndexOf(const std::string& text) const;

   private:
    TCustomComboBox& box_;
  };
  ItemList& Items() { return itemList_; }
  const ItemList& Items() const { return itemList_; }

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }
  // Shown in grey in the closed box while no item is selected; empty: nothing.
  const std::string& TextHint() const { return textHint_; }
  void SetTextHint(const std::string& hint);

  void SetBounds(int left, int top, int width, int height) override;

  // Click: the user picked an item.
  TNotifyEvent OnChange;
  // The text changed.
  virtual void Change();
  // Paints one owner-drawn item; the canvas has the item's colours set.
  virtual void DrawItem(int index, const RECT& rect, uint32_t state);
  TCanvas& Canvas() { return canvas_; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  struct Item {
    std::string text;
    void* object;
  };
  int DroppedHeight() const;
  std::vector<Item> items_;
  ItemList itemList_{*this};
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
  std::string textHint_;
  TCanvas canvas_;
};

// The combo box that layouts use directly: items from the layout, OnChange
// when the user picks one.
class FW_API TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
  const char* ClassName() const override { return "TComboBox"; }
  void Click() override;
};

}  // namespace fw
