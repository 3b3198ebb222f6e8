#pragma once
// An owner-drawn list box over the standard list box: fixed item height,
// single selection, sorted by the system's own order or kept in insertion
// order. Each item is a text with an object pointer (never owned).
//
// Before the control has a window its items live in the control; when the
// window is made (again) they are put into it, and from then on the window
// holds them, so that a sorted list answers with the index the system chose.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/Api.h"
#include "fw/Canvas.h"
#include "fw/WinControl.h"

namespace fw {

class TCustomListBox;

// A key typed into a control; set the key to 0 to swallow it.
using TKeyPressEvent = std::function<void(TComponent* sender, wchar_t& key)>;

// One item: its text and an object pointer that the list does not own.
struct TListBoxItem {
  std::string text;
  void* object = nullptr;
};

// The items of a list box, in the manner of TStringList. Index checks raise
// ERangeError.
class FW_API TListBoxItems {
 public:
  TListBoxItems(const TListBoxItems&) = delete;
  TListBoxItems& operator=(const TListBoxItems&) = delete;

  int Count() const;
  std::string Strings(int index) const;
  void* Objects(int index) const;
  void SetObjects(int index, void* object);

  // Answer the index the item went to: its sorted place in a sorted list,
  // the end otherwise.
  int Add(const std::string& s) { return AddObject(s, nullptr); }
  int AddObject(const std::string& s, void* object);
  // Many items at once, as if added one by one. An empty sorted list with a
  // window sorts them by the locale's sort keys without regard to case (its
  // own order, computed once per item instead of compared at every step of a
  // search) and appends them; equal texts keep their order.
  void AddObjects(std::vector<TListBoxItem> items);
  // At exactly that place (0 <= index <= Count()), sorted list or not.
  void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
  void InsertObject(int index, const std::string& s, void* object);
  void Delete(int index);
  void Clear();

  // The first item equal to s without regard to case; -1 when there is none.
  int IndexOf(const std::string& s) const;

 private:
  friend class TCustomListBox;
  explicit TListBoxItems(TCustomListBox& box) : box_(box) {}
  void CheckIndex(int index, int limit) const;
  TCustomListBox& box_;
};

class FW_API TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomListBox"; }
  // What the system's own control is; Wine's objects do not see it
  // through the framework's window class.
  long AccessibleRole() const override;

  TListBoxItems& Items() { return items_; }
  const TListBoxItems& Items() const { return items_; }

  // The selected item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  bool Selected(int index) const;

  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  bool Sorted() const { return sorted_; }
  // Re-makes the window, so the system sorts the items it is given.
  void SetSorted(bool sorted);
  // Only single selection is offered; asking for more raises EInvalidOperation.
  bool MultiSelect() const { return false; }
  void SetMultiSelect(bool multiSelect);

  // The exact-text search of the system: without regard to case, starting
  // after `after` and wrapping round (-1: from the top). -1 when not found.
  int FindStringExact(const std::string& s, int after = -1) const;
  // Where an item is drawn, in client coordinates (empty without a window).
  RECT ItemRect(int index) const;

  // Painting is held back between the outermost pair (WM_SETREDRAW).
  void BeginUpdate();
  void EndUpdate();

  // The canvas that DrawItem paints on; bound to a device only while an
  // item is drawn.
  TCanvas& Canvas() { return canvas_; }

  TKeyPressEvent OnKeyPress;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyPress(wchar_t& key) override;
  // Paints one item. The canvas' brush and font colour are already those of
  // the item's state (highlight when selected); the focus rectangle follows.
  virtual void DrawItem(int index, const RECT& rect, UINT state);

 private:
  friend class TListBoxItems;
  using Item = TListBoxItem;
  LRESULT Send(UINT msg, WPARAM wp, LPARAM lp) const;
  void PutItems();
  void TakeItems();
  void OnDrawItem(const DRAWITEMSTRUCT& item);

  TListBoxItems items_{*this};
  // The items while there is no window.
  std::vector<Item> held_;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  bool sorted_ = false;
  int updateCount_ = 0;
  bool redrawOff_ = false;
  TCanvas canvas_;
};

// Brackets changes to a list box with BeginUpdate/EndUpdate; the end runs
// however the scope is left.
class ListBoxUpdate {
 public:
  explicit ListBoxUpdate(TCustomListBox& box) : box_(box) { box_.BeginUpdate(); }
  ~ListBoxUpdate() { box_.EndUpdate(); }
  ListBoxUpdate(const ListBoxUpdate&) = delete;
  ListBoxUpdate& operator=(const ListBoxUpdate&) = delete;

 private:
  TCustomListBox& box_;
};

}  // namespace fw
