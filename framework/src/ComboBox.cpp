#include "fw/ComboBox.h"

#include <oleacc.h>

#include <algorithm>

#include "fw/Exceptions.h"
#include "fw/Layout.h"
#include "fw/ScopeExit.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace fw {

long TCustomComboBox::AccessibleRole() const { return ROLE_SYSTEM_COMBOBOX; }

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

const std::string& TCustomComboBox::ItemList::Strings(int index) const {
  if (index < 0 || index >= Count())
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
  return box_.items_[static_cast<size_t>(index)].text;
}

void* TCustomComboBox::ItemList::Objects(int index) const {
  if (index < 0 || index >= Count())
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
  return box_.items_[static_cast<size_t>(index)].object;
}

int TCustomComboBox::ItemList::AddObject(const std::string& text, void* object) {
  box_.items_.push_back({text, object});
  int index = Count() - 1;
  if (box_.HandleAllocated()) {
    HWND h = box_.Handle();
    SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(text).c_str()));
    SendMessageW(h, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
  }
  return index;
}

void TCustomComboBox::ItemList::Delete(int index) {
  Strings(index);
  box_.items_.erase(box_.items_.begin() + index);
  if (box_.itemIndex_ >= Count()) box_.itemIndex_ = -1;
  if (box_.HandleAllocated()) SendMessageW(box_.Handle(), CB_DELETESTRING, index, 0);
}

void TCustomComboBox::ItemList::Clear() {
  box_.items_.clear();
  box_.itemIndex_ = -1;
  if (box_.HandleAllocated()) SendMessageW(box_.Handle(), CB_RESETCONTENT, 0, 0);
}

int TCustomComboBox::ItemList::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(box_.items_[static_cast<size_t>(i)].text, text) == 0) return i;
  return -1;
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
  if (HandleAllocated())
    return static_cast<int>(
        SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items().Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

void TCustomComboBox::SetItemHeight(int height) {
  if (height <= 0) return;
  itemHeight_ = height;
  if (HandleAllocated()) {
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
    if (style_ == TComboBoxStyle::csOwnerDrawFixed)
      SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  }
}

int TCustomComboBox::DroppedHeight() const {
  return Height() + itemHeight_ * std::max(dropDownCount_, 1) + 2;
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  // The window's height includes the dropped list; the control's is the closed box's.
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, left, top, width, DroppedHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = "COMBOBOX";
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown:
      params.Style |= CBS_DROPDOWN;
      break;
    case TComboBoxStyle::csSimple:
      params.Style |= CBS_SIMPLE;
      break;
    case TComboBoxStyle::csDropDownList:
      params.Style |= CBS_DROPDOWNLIST;
      break;
    case TComboBoxStyle::csOwnerDrawFixed:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
  }
  params.Height = DroppedHeight();
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  HWND h = Handle();
  for (size_t i = 0; i < items_.size(); ++i) {
    SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(items_[i].text).c_str()));
    SendMessageW(h, CB_SETITEMDATA, i, reinterpret_cast<LPARAM>(items_[i].object));
  }
  SetItemHeight(itemHeight_);
  SendMessageW(h, CB_SETCURSEL, itemIndex_, 0);
}

void TCustomComboBox::DestroyWnd() {
  if (HandleAllocated()) itemIndex_ = ItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::SetTextHint(const std::string& hint) {
  if (hint == textHint_) return;
  textHint_ = hint;
  Invalidate();
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, uint32_t state) {
  if (index >= 0 && index < Items().Count()) {
    canvas_.DrawItem(rect, Items().Strings(index));
  } else if ((state & odComboBoxEdit) && !textHint_.empty()) {
    // The closed box without a selection asks for no item. The hint is no
    // choice, so it is never highlighted; the focus still shows round it.
    canvas_.Brush().Color = Color();
    canvas_.Font().SetColor(clGrayText);
    canvas_.DrawItem(rect, textHint_);
  } else {
    canvas_.FillRect(rect);
  }
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
          itemIndex_ = ItemIndex();
          Click();
          return;
        case CBN_EDITCHANGE:
          Change();
          return;
        default:
          return;
      }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      m.Result = TRUE;
      return;
    case CN_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      uint32_t state = 0;
      if (d->itemState & ODS_SELECTED) state |= odSelected;
      if (d->itemState & ODS_FOCUS) state |= odFocused;
      if (d->itemState & ODS_DISABLED) state |= odDisabled;
      if (d->itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
      // A combo box shows the focus on its selected item only.
      DRAWITEMSTRUCT item = *d;
      if (!(state & odSelected)) item.itemState &= ~ODS_FOCUS;
      canvas_.PaintItem(item, Font(), Color(),
                        [&] { DrawItem(static_cast<int>(d->itemID), d->rcItem, state); });
      m.Result = TRUE;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TComboBox::Click() {
  TCustomComboBox::Click();
  Change();
}

namespace {

const ClassRegistration customComboClass(
    "TCustomComboBox", "TWinControl", nullptr,
    {
        {"ItemHeight", Setter(&TCustomComboBox::SetItemHeight)},
        {"DropDownCount", Setter(&TCustomComboBox::SetDropDownCount)},
        {"OnChange", EventSetter(&TCustomComboBox::OnChange)},
    });

const ClassRegistration comboClass(
    "TComboBox", "TCustomComboBox", [](TComponent* owner) { return Make<TComboBox>(owner); },
    {
        {"Style", EnumSetter(&TComboBox::SetStyle,
                             EnumNames<TComboBoxStyle>(
                                 {{"csDropDown", TComboBoxStyle::csDropDown},
                                  {"csSimple", TComboBoxStyle::csSimple},
                                  {"csDropDownList", TComboBoxStyle::csDropDownList},
                                  {"csOwnerDrawFixed", TComboBoxStyle::csOwnerDrawFixed}}))},
        {"Items",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           TComboBox& box = Target<TComboBox>(c, v, r);
           box.Items().Clear();
           for (const std::string& item : v.AsList()) box.Items().Add(item);
         }},
        {"ItemIndex", Setter(&TComboBox::SetItemIndex)},
    });

}  // namespace
}  // namespace fw
