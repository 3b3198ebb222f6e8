#include "fw/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "Accessible.h"
#include "fw/Application.h"
#include "fw/Bitmap.h"
#include "fw/Canvas.h"
#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Menus.h"
#include "fw/Unicode.h"

namespace fw {

LRESULT CALLBACK FrameworkWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

namespace {

struct WindowClass {
  WNDPROC baseProc;
  bool own;
};
std::map<std::string, WindowClass>& Classes() {
  static std::map<std::string, WindowClass> classes;
  return classes;
}

// Child ids, so that owner-draw notifications find their control even
// while the control is still inside CreateWindowEx.
std::unordered_map<UINT, TWinControl*>& ControlIds() {
  static std::unordered_map<UINT, TWinControl*> ids;
  return ids;
}
UINT NextControlId(TWinControl* control) {
  static UINT next = 100;
  for (;;) {
    next = next >= 0xF000 ? 100 : next + 1;
    if (!ControlIds().count(next)) {
      ControlIds()[next] = control;
      return next;
    }
  }
}

// Window to control, kept in the process: a window property would cost a
// round trip to the window server under Wine (0.1 to 0.3 ms) on every
// message, and the user-data slot of a window that is not ours may hold
// anything.
std::unordered_map<HWND, TWinControl*>& Attached() {
  static std::unordered_map<HWND, TWinControl*> attached;
  return attached;
}
TWinControl* Find(HWND window) {
  auto it = Attached().find(window);
  return it == Attached().end() ? nullptr : it->second;
}
void Attach(HWND window, TWinControl* control) { Attached()[window] = control; }

const WindowClass& EnsureClass(const TCreateParams& params) {
  auto it = Classes().find(params.WinClassName);
  if (it != Classes().end()) return it->second;
  // Unicode classes, so that every text a window holds or sends is UTF-16.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WindowClass info{DefWindowProcW, true};
  const std::wstring baseClass = Utf16(params.BaseClass);
  const std::wstring className = Utf16(params.WinClassName);
  if (!params.BaseClass.empty()) {
    if (!GetClassInfoExW(nullptr, baseClass.c_str(), &wc))
      throw Exception("Window class " + params.BaseClass + " is not available");
    info = {wc.lpfnWndProc, false};
    wc.cbSize = sizeof wc;
  } else {
    wc.style = params.ClassStyle;
    wc.hCursor = CursorHandle(crArrow);
  }
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = ThisModule();
  wc.lpszClassName = className.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception("Cannot register window class " + params.WinClassName);
  return Classes().emplace(params.WinClassName, info).first->second;
}

}  // namespace

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
    Attached().erase(window);
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
    if (id) ControlIds().erase(static_cast<UINT>(reinterpret_cast<UINT_PTR>(id)));
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
  if (!defaultProc_ || !Classes().at(ClassName()).own) text_ = Text();
  for (TWinControl* child : tabList_) child->DestroyWnd();
  DestroyHandle();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : tabList_) child->DestroyHandle();
  HWND window = handle_;
  if (TForm* form = GetParentForm(this)) form->ForgetHintWindow(window);
  LONG_PTR id = GetWindowLongPtrW(window, GWLP_ID);
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ControlIds().erase(static_cast<UINT>(id));
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
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (handle_ && !w->handle_) w->CreateWnd();
  }
  InvalidateRectOf(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (TForm* form = GetParentForm(this)) form->ForgetHint(control);
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (capturedControl_ == control) capturedControl_ = nullptr;
  InvalidateRectOf(control);
  std::erase(controls_, control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    std::erase(tabList_, w);
    // As on any other recreation: a window made for the next parent shows the same.
    w->DestroyWnd();
  }
  control->parent_ = nullptr;
}

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
  HWND after = HWND_TOP;
  for (TWinControl* child : tabList_) {
    if (!child->handle_) continue;
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
void TWinControl::FocusGained() {
  TForm* form = GetParentForm(this);
  if (form && form != this) form->ControlFocused(this);
}

void TWinControl::RelayToHint(const TMessage& m) {
  if (TForm* form = GetParentForm(this))
    form->RelayHint(*this, mouseControl_ ? mouseControl_ : this, m);
}

void TWinControl::HideHint() {
  if (TForm* form = GetParentForm(this)) form->HideHint();
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

void TWinControl::SetEnabled(bool enabled) { TControl::SetEnabled(enabled); }

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

void TWinControl::SetCursor(TCursor cursor) { TControl::SetCursor(cursor); }

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::InvalidateRectOf(const TControl* child) {
  if (!handle_ || !child) return;
  RECT r = child->BoundsRect();
  InvalidateRect(handle_, &r, TRUE);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  TControl::FontChanged();
}

void TWinControl::ColorChanged() {
  brush_.reset();
  Invalidate();
}

HBRUSH TWinControl::BackgroundBrush() {
  COLORREF c = ColorToRGB(color_);
  if (!brush_ || c != brushColor_) {
    brush_.reset(CreateSolidBrush(c));
    brushColor_ = c;
  }
  return static_cast<HBRUSH>(brush_.get());
}

void TWinControl::ChangeScale(int multiplier, int divisor) {
  if (multiplier == divisor || divisor == 0) return;
  TControl::ChangeScale(multiplier, divisor);
  for (TControl* child : std::vector<TControl*>(controls_)) child->ChangeScale(multiplier, divisor);
}

void TWinControl::AlignControls() {
  if (inAlign_ || Loading()) return;
  inAlign_ = true;
  RECT r = ClientRect();
  int width = r.right - r.left, height = r.bottom - r.top;
  RECT rest = r;
  auto place = [&](TAlign align) {
    for (TControl* c : controls_) {
      if (c->align_ != align || !c->visible_) continue;
      c->anchorMoving_ = true;
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, c->height_);
          rest.top += c->height_;
          break;
        case TAlign::alBottom:
          c->SetBounds(rest.left, rest.bottom - c->height_, rest.right - rest.left, c->height_);
          rest.bottom -= c->height_;
          break;
        case TAlign::alLeft:
          c->SetBounds(rest.left, rest.top, c->width_, rest.bottom - rest.top);
          rest.left += c->width_;
          break;
        case TAlign::alRight:
          c->SetBounds(rest.right - c->width_, rest.top, c->width_, rest.bottom - rest.top);
          rest.right -= c->width_;
          break;
        case TAlign::alClient:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
          break;
        default:
          break;
      }
      c->anchorMoving_ = false;
    }
  };
  place(TAlign::alTop);
  place(TAlign::alBottom);
  place(TAlign::alLeft);
  place(TAlign::alRight);
  place(TAlign::alClient);
  for (TControl* c : std::vector<TControl*>(controls_)) c->AnchorTo(width, height);
  inAlign_ = false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool includeDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->visible_ || (!includeDisabled && !c->enabled_)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush());
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (dynamic_cast<TWinControl*>(c) || !c->visible_) continue;
    const RECT bounds = c->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    int saved = SaveDC(dc);
    // From wherever the window's own painting put the origin.
    OffsetViewportOrgEx(dc, c->left_, c->top_, nullptr);
    IntersectClipRect(dc, 0, 0, c->width_, c->height_);
    TCanvas canvas(dc);
    canvas.Font() = c->Font();
    canvas.Brush().Color = c->Color();
    c->Paint(canvas);
    canvas.Detach();
    RestoreDC(dc, saved);
  }
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

void TWinControl::KeyPress(wchar_t&) {}
void TWinControl::KeyDown(WORD&) {}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  message.Result = CallWindowProcW(defaultProc_ ? defaultProc_ : DefWindowProcW, handle_,
                                   message.Msg, message.WParam, message.LParam);
}

bool TWinControl::OwnClass() const { return defaultProc_ == DefWindowProcW || !defaultProc_; }

bool TWinControl::WmPaint() {
  if (!OwnClass()) return false;
  PaintDc paint(handle_);
  // Paint off screen so that graphic children do not flicker, and only the
  // part that needs it: a button that changes its look repaints its own
  // place, not the whole form.
  const RECT dirty = paint.Dirty();
  const int width = std::max<LONG>(dirty.right - dirty.left, 1);
  const int height = std::max<LONG>(dirty.bottom - dirty.top, 1);
  MemoryDc memory = MakeMemoryDc(paint.get());
  GdiObject bitmap(CreateCompatibleBitmap(paint.get(), width, height));
  SelectedObject selected(memory.get(), bitmap.get());
  SetViewportOrgEx(memory.get(), -dirty.left, -dirty.top, nullptr);
  PaintWindow(memory.get());
  BitBlt(paint.get(), dirty.left, dirty.top, width, height, memory.get(), dirty.left, dirty.top,
         SRCCOPY);
  return true;
}

bool TWinControl::WmEraseBkgnd(TMessage& m) {
  // Our own windows paint their background with everything else.
  if (!OwnClass()) return false;
  m.Result = 1;
  return true;
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
  auto it = ControlIds().find(id);
  if (!id || it == ControlIds().end()) return false;
  TMessage cm{CN_BASE + m.Msg, m.WParam, m.LParam, 0};
  it->second->WndProc(cm);
  m.Result = cm.Result;
  return true;
}

bool TWinControl::WmCtlColor(TMessage& m) {
  TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam));
  if (!child) return false;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(child->Enabled() ? child->Font().Color() : clGrayText));
  SetBkColor(dc, ColorToRGB(child->Color()));
  m.Result = reinterpret_cast<LRESULT>(child->BackgroundBrush());
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
  KeyPress(key);
  if (!*alive || key == 0) return true;
  m.WParam = static_cast<WPARAM>(key);
  return false;
}

bool TWinControl::WmKeyDown(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  std::shared_ptr<bool> alive = alive_;
  KeyDown(key);
  if (!*alive || key == 0 || TabKey(key)) return true;
  m.WParam = key;
  return false;
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
