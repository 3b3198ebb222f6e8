#include "fw/ListBox.h"

#include <oleacc.h>

#include <algorithm>

#include "fw/Exceptions.h"
#include "fw/Layout.h"
#include "fw/ScopeExit.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace fw {

long TCustomListBox::AccessibleRole() const { return ROLE_SYSTEM_LIST; }

// ---------------------------------------------------------------- items

int TListBoxItems::Count() const {
  if (box_.HandleAllocated()) return static_cast<int>(box_.Send(LB_GETCOUNT, 0, 0));
  return static_cast<int>(box_.held_.size());
}

void TListBoxItems::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TListBoxItems::Strings(int index) const {
  CheckIndex(index, Count());
  if (!box_.HandleAllocated()) return box_.held_[static_cast<size_t>(index)].text;
  LRESULT length = box_.Send(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length = box_.Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
  return Utf8(text);
}

void* TListBoxItems::Objects(int index) const {
  CheckIndex(index, Count());
  if (!box_.HandleAllocated()) return box_.held_[static_cast<size_t>(index)].object;
  return reinterpret_cast<void*>(box_.Send(LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TListBoxItems::SetObjects(int index, void* object) {
  CheckIndex(index, Count());
  if (!box_.HandleAllocated()) {
    box_.held_[static_cast<size_t>(index)].object = object;
    return;
  }
  box_.Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

namespace {

// What the list box answers when it cannot take an item.
void CheckInserted(LRESULT result) {
  if (result == LB_ERRSPACE) throw EOutOfMemory();
  if (result < 0) throw EInvalidOperation("The list box refused the item");
}

}  // namespace

int TListBoxItems::AddObject(const std::string& s, void* object) {
  if (box_.HandleAllocated()) {
    LRESULT index = box_.Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(s).c_str()));
    CheckInserted(index);
    if (object)
      box_.Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
    return static_cast<int>(index);
  }
  auto& held = box_.held_;
  auto at = held.end();
  // Near the system's order; the window sorts again when it takes the items.
  if (box_.sorted_)
    at = std::lower_bound(held.begin(), held.end(), s, [](const auto& item, const std::string& t) {
      return AnsiCompareText(item.text, t) < 0;
    });
  at = held.insert(at, {s, object});
  return static_cast<int>(at - held.begin());
}

namespace {

// The locale's sort key of a text without regard to case: comparing keys
// byte by byte orders as the locale's case-blind comparison does. Texts that
// the locale holds equal (A.mp3 and a.mp3; an accent composed and the same
// accent as a combining mark) then follow their UTF-16 units, so that the
// order never depends on the order they were added in.
std::string SortKey(const std::wstring& text) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = static_cast<int>(text.size());
  std::string key(text.size() * 4 + 16, '\0');
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), length,
                       reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()));
  if (n == 0) {
    n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
    key.assign(static_cast<size_t>(std::max(n, 0)), '\0');
    n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), length,
                     reinterpret_cast<LPWSTR>(key.data()), n);
  }
  key.resize(static_cast<size_t>(std::max(n, 0)));
  return key;
}

}  // namespace

void TListBoxItems::AddObjects(std::vector<TListBoxItem> items) {
  if (!box_.sorted_ || !box_.HandleAllocated() || Count() > 0) {
    for (const TListBoxItem& item : items) AddObject(item.text, item.object);
    return;
  }
  // A search per item would compare texts log2(n) times each; a key per
  // item and one sort is cheaper, and appending in order moves nothing.
  struct Keyed {
    std::wstring text;
    std::string key;
    size_t index;
  };
  std::vector<Keyed> keys;
  keys.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    std::wstring text = Utf16(items[i].text);
    std::string key = SortKey(text);
    keys.push_back({std::move(text), std::move(key), i});
  }
  std::sort(keys.begin(), keys.end(), [](const Keyed& a, const Keyed& b) {
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.text < b.text;
  });
  // Room for all of them at once; the window would grow its table in small
  // steps, copying it each time.
  box_.Send(LB_INITSTORAGE, keys.size(), 0);
  for (const Keyed& keyed : keys) {
    const size_t i = keyed.index;
    LRESULT at = box_.Send(LB_INSERTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(keyed.text.c_str()));
    CheckInserted(at);
    if (items[i].object)
      box_.Send(LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(items[i].object));
  }
}

void TListBoxItems::InsertObject(int index, const std::string& s, void* object) {
  CheckIndex(index, Count() + 1);
  if (box_.HandleAllocated()) {
    LRESULT at = box_.Send(LB_INSERTSTRING, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(Utf16(s).c_str()));
    CheckInserted(at);
    if (object)
      box_.Send(LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(object));
    return;
  }
  box_.held_.insert(box_.held_.begin() + index, {s, object});
}

void TListBoxItems::Delete(int index) {
  CheckIndex(index, Count());
  if (box_.HandleAllocated()) {
    box_.Send(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    return;
  }
  box_.held_.erase(box_.held_.begin() + index);
  if (box_.itemIndex_ == index)
    box_.itemIndex_ = -1;
  else if (box_.itemIndex_ > index)
    --box_.itemIndex_;
}

void TListBoxItems::Clear() {
  if (box_.HandleAllocated()) {
    box_.Send(LB_RESETCONTENT, 0, 0);
    return;
  }
  box_.held_.clear();
  box_.itemIndex_ = -1;
}

int TListBoxItems::IndexOf(const std::string& s) const {
  if (box_.HandleAllocated()) {
    // Searching from the last item wraps round to the first.
    int count = Count();
    if (count == 0) return -1;
    return box_.FindStringExact(s, count - 1);
  }
  for (size_t i = 0; i < box_.held_.size(); ++i)
    if (AnsiCompareText(box_.held_[i].text, s) == 0) return static_cast<int>(i);
  return -1;
}

// ---------------------------------------------------------------- list box

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

LRESULT TCustomListBox::Send(UINT msg, WPARAM wp, LPARAM lp) const {
  if (!HandleAllocated()) return LB_ERR;
  // Straight to the window procedure, as SendMessage would on this thread,
  // without the system's dispatch: filling a list sends two messages an item.
  // Failures reach the caller instead of the dispatch's error box.
  TMessage m{msg, wp, lp, 0};
  const_cast<TCustomListBox*>(this)->WndProc(m);
  return m.Result;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = "LISTBOX";
  params.Style |=
      WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
  if (sorted_) params.Style |= LBS_SORT;
  BorderParams(params);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  Send(LB_SETITEMHEIGHT, 0, itemHeight_);
  if (updateCount_ > 0) {
    Send(WM_SETREDRAW, FALSE, 0);
    redrawOff_ = true;
  }
  PutItems();
}

void TCustomListBox::DestroyWnd() {
  if (HandleAllocated()) TakeItems();
  TWinControl::DestroyWnd();
}

void TCustomListBox::PutItems() {
  std::vector<Item> items = std::move(held_);
  held_.clear();
  // Items taken from a sorted window come in its order, so each one lands at
  // the end and the window does no moving. The selection stays with its item
  // when the window sorts them anew.
  int selected = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    int at = items_.AddObject(items[i].text, items[i].object);
    if (static_cast<int>(i) == itemIndex_) {
      selected = at;
    } else if (selected >= 0 && at <= selected) {
      ++selected;
    }
  }
  Send(LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void TCustomListBox::TakeItems() {
  int count = items_.Count();
  std::vector<Item> items;
  items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) items.push_back({items_.Strings(i), items_.Objects(i)});
  itemIndex_ = ItemIndex();
  held_ = std::move(items);
  redrawOff_ = false;
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(Send(LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (!HandleAllocated()) {
    itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
    return;
  }
  Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomListBox::Selected(int index) const {
  if (!HandleAllocated()) return index >= 0 && index == itemIndex_;
  return Send(LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  if (HandleAllocated()) {
    Send(LB_SETITEMHEIGHT, 0, height);
    Invalidate();
  }
}

void TCustomListBox::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (HandleAllocated()) {
    RecreateWnd();
  } else if (sorted) {
    std::stable_sort(held_.begin(), held_.end(), [](const Item& a, const Item& b) {
      return AnsiCompareText(a.text, b.text) < 0;
    });
  }
}

void TCustomListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect) throw EInvalidOperation("A list box here selects one item at a time");
}

int TCustomListBox::FindStringExact(const std::string& s, int after) const {
  if (HandleAllocated()) {
    LRESULT found = Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(after),
                         reinterpret_cast<LPARAM>(Utf16(s).c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
  }
  int count = static_cast<int>(held_.size());
  int start = after >= 0 && after < count ? after + 1 : 0;
  for (int n = 0; n < count; ++n) {
    int i = (start + n) % count;
    if (AnsiCompareText(held_[static_cast<size_t>(i)].text, s) == 0) return i;
  }
  return -1;
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (HandleAllocated())
    Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::BeginUpdate() {
  if (updateCount_++ > 0 || !HandleAllocated()) return;
  Send(WM_SETREDRAW, FALSE, 0);
  redrawOff_ = true;
}

void TCustomListBox::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  if (!redrawOff_ || !HandleAllocated()) return;
  redrawOff_ = false;
  HWND window = Handle();
  // Turning drawing back on may mark the window visible (the default
  // handling does); a hidden list box must stay hidden.
  LONG style = GetWindowLongW(window, GWL_STYLE);
  Send(WM_SETREDRAW, TRUE, 0);
  if (!(style & WS_VISIBLE)) {
    LONG now = GetWindowLongW(window, GWL_STYLE);
    if (now & WS_VISIBLE) SetWindowLongW(window, GWL_STYLE, now & ~WS_VISIBLE);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void TCustomListBox::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TCustomListBox::DrawItem(int index, const RECT& rect, UINT) {
  canvas_.DrawItem(rect, items_.Strings(index));
}

void TCustomListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.itemID);
  canvas_.PaintItem(item, Font(), Color(), [&] {
    if (index >= 0)
      DrawItem(index, item.rcItem, item.itemState);
    else
      canvas_.FillRect(item.rcItem);
  });
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      // Only the user's selections notify; LB_SETCURSEL does not.
      if (HIWORD(m.WParam) == LBN_SELCHANGE)
        Click();
      else if (HIWORD(m.WParam) == LBN_DBLCLK)
        DblClick();
      return;
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      m.Result = TRUE;
      return;
    case CN_DRAWITEM:
      OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case CN_DELETEITEM:
      // Items own nothing; clearing a long list sends one of these an item.
      m.Result = TRUE;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

namespace {

const ClassRegistration listBoxClass("TCustomListBox", "TWinControl", nullptr,
                                     {
                                         {"ItemHeight", Setter(&TCustomListBox::SetItemHeight)},
                                         {"Sorted", Setter(&TCustomListBox::SetSorted)},
                                         {"MultiSelect",
                                          [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
                                            if (v.AsBool())
                                              r.Fail(v.line, "MultiSelect is not supported");
                                            Target<TCustomListBox>(c, v, r).SetMultiSelect(false);
                                          }},
                                     });

}  // namespace
}  // namespace fw
