// Tab order, the focus and the keys a control sees first.
#include <algorithm>

#include "FormPlumbing.h"
#include "fw/Form.h"
#include "fw/WinControl.h"

namespace fw {

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (Loading()) {
    requestedTabOrder_ = order;
    return;
  }
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
  Parent()->ApplyTabOrder();
}

void TWinControl::Loaded() {
  std::vector<std::pair<int, TWinControl*>> keyed;
  for (size_t i = 0; i < tabList_.size(); ++i) {
    TWinControl* c = tabList_[i];
    keyed.emplace_back(c->requestedTabOrder_ >= 0 ? c->requestedTabOrder_ : static_cast<int>(i), c);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) tabList_[i] = keyed[i].second;
  TControl::Loaded();
  ApplyTabOrder();
  AlignControls();
}

void TWinControl::ApplyTabOrder() {
  // Windows walks tab stops in z-order; keep it the same as the tab order.
  // Windows made in tab order are in it already (a new child goes below its
  // siblings), and a move costs a round of position messages.
  HWND after = HWND_TOP;
  for (TWinControl* child : tabList_) {
    if (!child->handle_) continue;
    if (GetWindow(child->handle_, GW_HWNDPREV) != (after == HWND_TOP ? nullptr : after))
      SetWindowPos(child->handle_, after, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = child->handle_;
  }
}

void TWinControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (handle_) {
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, v ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (HWND h = Handle()) ::SetFocus(h);
}

void TWinControl::ListTabOrder(std::vector<TWinControl*>& out) const {
  for (TWinControl* child : tabList_) {
    // A hidden or disabled container hides its controls from the keyboard too.
    if (!child->visible_ || !child->enabled_ || !child->handle_) continue;
    out.push_back(child);
    child->ListTabOrder(out);
  }
}

void TWinControl::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> order;
  ListTabOrder(order);
  const int n = static_cast<int>(order.size());
  auto it = std::find(order.begin(), order.end(), current);
  int i = it != order.end() ? static_cast<int>(it - order.begin()) : forward ? -1 : n;
  for (int step = 0; step < n; ++step) {
    i = ((forward ? i + 1 : i - 1) % n + n) % n;
    TWinControl* next = order[i];
    if (!next->tabStop_ || next == current) continue;
    next->SetFocus();
    // An edit entered from the keyboard has its text selected, as in dialogs.
    if (next->DialogCode() & DLGC_HASSETSEL) SendMessageW(next->handle_, EM_SETSEL, 0, -1);
    return;
  }
}

UINT TWinControl::DialogCode() {
  TMessage query{WM_GETDLGCODE, 0, 0, 0};
  WndProc(query);
  return static_cast<UINT>(query.Result);
}

// The host's message loop is not a dialog's (it may not call
// IsDialogMessage), so the windows move the focus themselves, unless the
// control keeps Tab for itself.
bool TWinControl::TabKey(WORD key) {
  if (key != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  if (DialogCode() & DLGC_WANTTAB) return false;
  TWinControl* top = this;
  while (top->Parent()) top = top->Parent();
  top->SelectNext(this, GetKeyState(VK_SHIFT) >= 0);
  return true;
}

// The form gives the focus back to this control when it is activated again.
void TWinControl::FocusGained() { FormPlumbing::ControlFocused(*this); }

void TWinControl::KeyPress(wchar_t&) {}

void TWinControl::KeyDown(WORD&) {}

TWinControl* TWinControl::KeyPreviewer() {
  TForm* form = GetParentForm(this);
  return form && form != this && form->KeyPreview() ? form : nullptr;
}

bool TWinControl::WmSetFocus(TMessage& m) {
  DefaultHandler(m);
  FocusGained();
  return true;
}

bool TWinControl::WmChar(TMessage& m) {
  // The Tab that moved the focus away still sends its character here.
  if (m.WParam == '\t' && !(DialogCode() & DLGC_WANTTAB)) return true;
  wchar_t key = static_cast<wchar_t>(m.WParam);
  std::shared_ptr<bool> alive = alive_;
  if (TWinControl* form = KeyPreviewer()) {
    form->KeyPress(key);
    if (!*alive || key == 0) return true;
  }
  KeyPress(key);
  if (!*alive || key == 0) return true;
  m.WParam = static_cast<WPARAM>(key);
  return false;
}

bool TWinControl::WmKeyDown(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  std::shared_ptr<bool> alive = alive_;
  if (TWinControl* form = KeyPreviewer()) {
    form->KeyDown(key);
    if (!*alive || key == 0) return true;
  }
  KeyDown(key);
  if (!*alive || key == 0 || TabKey(key)) return true;
  m.WParam = key;
  return false;
}

}  // namespace fw
