// A control with a window: creation, destruction, properties that live in
// the window, and the window procedure that hands each message to its
// handler (focus and keys, painting, the pointer and alignment have files of
// their own).
#include "fw/WinControl.h"

#include <algorithm>

#include "Accessible.h"
#include "FormPlumbing.h"
#include "WindowRegistry.h"
#include "fw/Application.h"
#include "fw/Bitmap.h"
#include "fw/Canvas.h"
#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Menus.h"
#include "fw/Unicode.h"

namespace fw {

LRESULT CALLBACK FrameworkWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* control = Find(window);
  if (!control && msg == WM_NCCREATE) {
    // The control comes with the create parameters. From here on it gets
    // every message, also those of CreateWindowEx itself (an owner-drawn
    // fixed list box asks for its item height inside WM_CREATE).
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (control) {
      control->handle_ = window;
      Attach(window, control);
    }
  }
  if (!control) return DefWindowProcW(window, msg, wp, lp);
  TMessage message{msg, wp, lp, 0};
  std::shared_ptr<bool> alive = control->alive_;
  try {
    control->WndProc(message);
  } catch (...) {
    Application().HandleException();
  }
  if (msg == WM_NCDESTROY) {
    Detach(window);
    if (*alive && control->handle_ == window) control->handle_ = nullptr;
  }
  return message.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() { *alive_ = false; }

TWinControl* TWinControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  return Find(window);
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent()) Parent()->HandleNeeded();
    // The parent's creation may have made this window already.
    if (!handle_) CreateWnd();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Parent()) params.Style |= WS_CHILD;
  if (visible_ && Parent()) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = Parent() ? Parent()->Handle() : nullptr;
  params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  const WindowClass& cls = EnsureClass(params);
  defaultProc_ = cls.baseProc;
  HMENU id = nullptr;
  if (params.Style & WS_CHILD)
    id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId(this)));
  HWND window =
      CreateWindowExW(params.ExStyle, Utf16(params.WinClassName).c_str(),
                      Utf16(params.Caption).c_str(), params.Style, params.X, params.Y, params.Width,
                      params.Height, params.WndParent, id, ThisModule(), this);
  if (!window) {
    if (id) ReleaseControlId(static_cast<UINT>(reinterpret_cast<UINT_PTR>(id)));
    throw Exception(std::string("Error creating window of class ") + ClassName());
  }
  handle_ = window;
  // A top-level window hears WM_GETMINMAXINFO before WM_NCCREATE, so the
  // system's minimum size may have been applied to it.
  if (!(params.Style & WS_CHILD)) {
    RECT r;
    GetWindowRect(window, &r);
    if (r.right - r.left != params.Width || r.bottom - r.top != params.Height)
      SetWindowPos(window, nullptr, 0, 0, params.Width, params.Height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
  CreateChildHandles();
  AlignControls();
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* child : tabList_)
    if (!child->handle_) child->CreateWnd();
  ApplyTabOrder();
}

void TWinControl::DestroyWnd() {
  if (!handle_) return;
  // Keep what the windows held so that re-created ones show the same.
  if (!defaultProc_ || !RegisteredClass(ClassName()).own) text_ = Text();
  for (TWinControl* child : tabList_) child->DestroyWnd();
  DestroyHandle();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : tabList_) child->DestroyHandle();
  HWND window = handle_;
  FormPlumbing::ForgetHintWindow(*this, window);
  LONG_PTR id = GetWindowLongPtrW(window, GWLP_ID);
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ReleaseControlId(static_cast<UINT>(id));
  DestroyWindow(window);
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyWnd();
  CreateWnd();
}

void TWinControl::BeforeDestruction() {
  if (handle_) {
    // Out of sight first, as DestroyWindow would hide it (no WM_SHOWWINDOW):
    // its child windows then go without each one making the system work out
    // and repaint what it uncovers.
    if (IsWindowVisible(handle_))
      SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Nothing of the windows needs keeping: the controls go with them.
    DestroyHandle();
  }
  // Controls placed on this one go with it, whoever owns them.
  while (!controls_.empty()) Free(controls_.back());
  TControl::BeforeDestruction();
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (handle_ && !w->handle_) w->CreateWnd();
  }
  InvalidateRectOf(control);
}

void TWinControl::RemoveControl(TControl* control) {
  FormPlumbing::ForgetHint(*this, control);
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (capturedControl_ == control) capturedControl_ = nullptr;
  InvalidateRectOf(control);
  std::erase(controls_, control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    std::erase(tabList_, w);
    // As on any other recreation: a window made for the next parent shows the same.
    w->DestroyWnd();
  }
}

bool TWinControl::Ctl3D() const {
  if (parentCtl3D_ && Parent()) return Parent()->Ctl3D();
  return ctl3D_;
}

void TWinControl::SetCtl3D(bool v) {
  bool before = Ctl3D();
  ctl3D_ = v;
  parentCtl3D_ = false;
  if (Ctl3D() != before) RecreateWnd();
}

void TWinControl::SetParentCtl3D(bool v) {
  bool before = Ctl3D();
  parentCtl3D_ = v;
  if (Ctl3D() != before) RecreateWnd();
}

void TWinControl::BorderParams(TCreateParams& params) const {
  if (Ctl3D())
    params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    params.Style |= WS_BORDER;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool sized = width != width_ || height != height_;
  TControl::SetBounds(left, top, width, height);
  if (handle_) {
    RECT r;
    GetWindowRect(handle_, &r);
    if (Parent()) MapWindowPoints(nullptr, Parent()->handle_, reinterpret_cast<POINT*>(&r), 2);
    if (r.left != left || r.top != top || r.right - r.left != width || r.bottom - r.top != height)
      SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (sized) {
    AlignControls();
  }
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, width_, height_};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  TControl::SetVisible(visible);
  if (handle_ && Parent()) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, enabled_);
  Invalidate();
}

void TWinControl::SetText(const std::string& text) {
  if (handle_) {
    if (text == Text()) return;
    text_ = text;
    SetWindowTextW(handle_, Utf16(text).c_str());
    TextChanged();
    return;
  }
  TControl::SetText(text);
}

std::string TWinControl::Text() const {
  if (!handle_) return text_;
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length = GetWindowTextW(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return Utf8(text);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  TControl::FontChanged();
}

void TWinControl::ChangeScale(int multiplier, int divisor) {
  if (multiplier == divisor || divisor == 0) return;
  TControl::ChangeScale(multiplier, divisor);
  for (TControl* child : std::vector<TControl*>(controls_)) child->ChangeScale(multiplier, divisor);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  message.Result = CallWindowProcW(defaultProc_ ? defaultProc_ : DefWindowProcW, handle_,
                                   message.Msg, message.WParam, message.LParam);
}

bool TWinControl::WmCommand(TMessage& m) {
  TWinControl* child = m.LParam ? FromHandle(reinterpret_cast<HWND>(m.LParam)) : nullptr;
  if (!child) return false;
  TMessage cm{CN_COMMAND, m.WParam, m.LParam, 0};
  child->WndProc(cm);
  m.Result = cm.Result;
  return true;
}

bool TWinControl::WmItemNotice(TMessage& m) {
  UINT id = static_cast<UINT>(m.WParam);
  if (m.Msg == WM_MEASUREITEM) id = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlID;
  TWinControl* child = ControlById(id);
  if (!child) return false;
  TMessage cm{CN_BASE + m.Msg, m.WParam, m.LParam, 0};
  child->WndProc(cm);
  m.Result = cm.Result;
  return true;
}

bool TWinControl::WmWindowPosChanged(TMessage& m) {
  DefaultHandler(m);
  RECT r;
  GetWindowRect(handle_, &r);
  if (Parent() && Parent()->handle_)
    MapWindowPoints(nullptr, Parent()->handle_, reinterpret_cast<POINT*>(&r), 2);
  bool sized = r.right - r.left != width_ || r.bottom - r.top != height_;
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  if (sized || !(reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_NOSIZE)) AlignControls();
  return true;
}

bool TWinControl::WmAccessiblePress(const TMessage& m) {
  auto* target = reinterpret_cast<TControl*>(m.LParam);
  // The reader's press was posted: the control may have gone since.
  if (std::find(controls_.begin(), controls_.end(), target) == controls_.end()) return true;
  if (target->Enabled()) target->Click();
  return true;
}

bool TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      return WmPaint();
    case WM_ERASEBKGND:
      return WmEraseBkgnd(m);
    case WM_COMMAND:
      return WmCommand(m);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
      return WmItemNotice(m);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return WmCtlColor(m);
    case WM_WINDOWPOSCHANGED:
      return WmWindowPosChanged(m);
    case WM_SETCURSOR:
      return WmSetCursor(m);
    case WM_MOUSEMOVE:
      return WmMouseMove(m);
    case WM_MOUSELEAVE:
      return WmMouseLeave();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return WmLButtonDown(m);
    case WM_LBUTTONUP:
      return WmLButtonUp(m);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      RelayToHint(m);
      return false;
    case WM_CONTEXTMENU:
      return WmContextMenu(m);
    case WM_SETFOCUS:
      return WmSetFocus(m);
    case WM_CHAR:
      return WmChar(m);
    case WM_KEYDOWN:
      return WmKeyDown(m);
    case WM_GETOBJECT:
      return AnswerAccessibleObject(*this, m);
    default:
      return m.Msg == AccessiblePressMessage() && WmAccessiblePress(m);
  }
}

void TWinControl::WndProc(TMessage& m) {
  if (!Dispatch(m)) DefaultHandler(m);
}

}  // namespace fw
