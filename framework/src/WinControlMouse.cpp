// The pointer: graphic children under it, their clicks, hints and the
// context menu.
#include <windowsx.h>

#include <utility>

#include "FormPlumbing.h"
#include "fw/Application.h"
#include "fw/Form.h"
#include "fw/Menus.h"
#include "fw/WinControl.h"

namespace fw {

void TWinControl::RelayToHint(const TMessage& m) {
  FormPlumbing::RelayHint(*this, mouseControl_ ? mouseControl_ : this, m);
}

void TWinControl::HideHint() { FormPlumbing::HideHint(*this); }

TControl* TWinControl::ControlAtPos(POINT p, bool includeDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!includeDisabled && !c->Enabled())) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::UpdateMouseControl(POINT p) {
  TControl* now = ControlAtPos(p, true);
  if (dynamic_cast<TWinControl*>(now)) now = nullptr;
  if (now == mouseControl_) return;
  TControl* before = std::exchange(mouseControl_, now);
  if (auto* g = dynamic_cast<TGraphicControl*>(before)) {
    g->SetMouseInControl(false);
    g->MouseLeave();
  }
  if (auto* g = dynamic_cast<TGraphicControl*>(now)) {
    g->SetMouseInControl(true);
    g->MouseEnter();
  }
}

bool TWinControl::WmSetCursor(TMessage& m) {
  if (LOWORD(m.LParam) != HTCLIENT) return false;
  TCursor c = Screen().Cursor();
  if (c == crDefault && reinterpret_cast<HWND>(m.WParam) == handle_) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(handle_, &p);
    TControl* under = ControlAtPos(p, true);
    c = under && !dynamic_cast<TWinControl*>(under) ? under->Cursor() : Cursor();
  }
  if (c == crDefault) return false;
  ::SetCursor(CursorHandle(c));
  m.Result = TRUE;
  return true;
}

bool TWinControl::WmMouseMove(const TMessage& m) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&t);
  }
  if (!mouseInside_) {
    mouseInside_ = true;
    MouseEnter();
  }
  UpdateMouseControl({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  RelayToHint(m);
  return false;
}

bool TWinControl::WmMouseLeave() {
  HideHint();
  trackingLeave_ = false;
  UpdateMouseControl({-1, -1});
  if (mouseInside_) {
    mouseInside_ = false;
    MouseLeave();
  }
  return false;
}

bool TWinControl::WmLButtonDown(const TMessage& m) {
  RelayToHint(m);
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  auto* g = dynamic_cast<TGraphicControl*>(ControlAtPos(p, false));
  if (!g) return false;
  capturedControl_ = g;
  SetCapture(handle_);
  g->MouseDown(p.x - g->Left(), p.y - g->Top());
  return true;
}

bool TWinControl::WmLButtonUp(const TMessage& m) {
  RelayToHint(m);
  TGraphicControl* g = std::exchange(capturedControl_, nullptr);
  if (!g) return false;
  ReleaseCapture();
  g->MouseUp(GET_X_LPARAM(m.LParam) - g->Left(), GET_Y_LPARAM(m.LParam) - g->Top());
  return true;
}

// From the keyboard there is no pointer position: the menu opens where the
// user is working, at the caret of the focused control or else in its middle,
// as the system's own controls do.
POINT TWinControl::KeyboardMenuPoint() const {
  HWND focus = GetFocus();
  if (focus != handle_ && !IsChild(handle_, focus)) focus = handle_;
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  POINT p;
  RECT client;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && gui.hwndCaret == focus) {
    p = {gui.rcCaret.left, gui.rcCaret.bottom};
  } else if (GetClientRect(focus, &client)) {
    p = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  } else {
    p = {0, 0};
  }
  ClientToScreen(focus, &p);
  return p;
}

bool TWinControl::WmContextMenu(const TMessage& m) {
  if (!PopupMenu()) return false;
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (p.x == -1 && p.y == -1) p = KeyboardMenuPoint();
  PopupMenu()->Popup(p.x, p.y, handle_);
  return true;
}

}  // namespace fw
