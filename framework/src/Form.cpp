#include "fw/Form.h"

#include "HintTip.h"
#include "fw/Application.h"
#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/Layout.h"
#include "fw/Menus.h"
#include "fw/Unicode.h"

namespace fw {

int ScreenPixelsPerInch() {
  WindowDc screen;
  return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

TForm::TForm(TComponent* owner) : TWinControl(owner) { TControl::SetVisible(false); }

TForm::~TForm() = default;

TForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case TBorderStyle::bsNone:
      params.Style |= WS_POPUP;
      break;
    case TBorderStyle::bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TBorderStyle::bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TBorderStyle::bsDialog:
      params.Style |= WS_CAPTION | DS_MODALFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TBorderStyle::bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TBorderStyle::bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != TBorderStyle::bsNone) {
    if (borderIcons_ & biSystemMenu) params.Style |= WS_SYSMENU;
    if (borderIcons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
    if (borderIcons_ & biMaximize && borderStyle_ != TBorderStyle::bsDialog)
      params.Style |= WS_MAXIMIZEBOX;
  }
  params.WndParent = nullptr;
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  ShowIcon();
}

void TForm::ShowIcon() {
  if (!HandleAllocated() || !Icon()) return;
  const auto icon = reinterpret_cast<LPARAM>(icon_.get());
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, icon);
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, icon);
}

void TForm::FrameSize(int* dx, int* dy) const {
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
  *dx = r.right - r.left;
  *dy = r.bottom - r.top;
}

int TForm::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TForm::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

RECT TForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  int dx, dy;
  FrameSize(&dx, &dy);
  return {0, 0, std::max(0, Width() - dx), std::max(0, Height() - dy)};
}

int TForm::FrameShare(bool horizontal) const {
  // A window that exists measures its real frame (menus, themes); before
  // that the frame comes from the styles the window will have.
  if (HandleAllocated()) {
    RECT w, c;
    GetWindowRect(const_cast<TForm*>(this)->Handle(), &w);
    GetClientRect(const_cast<TForm*>(this)->Handle(), &c);
    return horizontal ? (w.right - w.left) - c.right : (w.bottom - w.top) - c.bottom;
  }
  int dx, dy;
  FrameSize(&dx, &dy);
  return horizontal ? dx : dy;
}

void TForm::SetClientWidth(int width) { SetWidth(width + FrameShare(true)); }

void TForm::SetClientHeight(int height) { SetHeight(height + FrameShare(false)); }

void TForm::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  // The client area keeps its size when the frame changes.
  int cw = ClientWidth(), ch = ClientHeight();
  borderStyle_ = style;
  if (Loading()) {
    SetClientWidth(cw);
    SetClientHeight(ch);
  }
  RecreateWnd();
}

void TForm::SetBorderIcons(uint8_t icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TForm::SetIcon(HINSTANCE module, const std::string& resourceName) {
  std::wstring name = Utf16(resourceName);
  constexpr WORD kGroupIcon = 14;  // RT_GROUP_ICON, the icon's directory
  if (!FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(kGroupIcon)))
    throw Exception("Icon " + resourceName + " not found");
  // The window lets go of the old icon before it is destroyed.
  const IconHandle old = std::exchange(icon_, IconHandle());
  iconModule_ = module;
  iconName_ = std::move(name);
  ShowIcon();
}

HICON TForm::Icon() const {
  if (!icon_ && !iconName_.empty())
    icon_.reset(static_cast<HICON>(
        LoadImageW(iconModule_, iconName_.c_str(), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  return icon_.get();
}

void TForm::SetActiveControl(TWinControl* control) {
  if (activeControl_ == control) return;
  if (activeControl_) RemoveFreeNotification(activeControl_);
  activeControl_ = control;
  if (control) {
    FreeNotification(control);
    if (Visible() && HandleAllocated() && control->CanFocus()) control->SetFocus();
  }
}

void TForm::ControlFocused(TWinControl* control) {
  if (activeControl_ == control) return;
  if (activeControl_) RemoveFreeNotification(activeControl_);
  activeControl_ = control;
  if (control) FreeNotification(control);
}

void TForm::RelayHint(TWinControl& window, TControl* target, const TMessage& message) {
  if (!hintTip_) {
    // Most forms never show a hint: no tooltip until one is asked for.
    if (!target || !target->ShowHint() || target->Hint().empty() || !HandleAllocated()) return;
    hintTip_ = std::make_unique<HintTip>(Handle());
  }
  hintTip_->Relay(window, target, message);
}

void TForm::HideHint() {
  if (hintTip_) hintTip_->Hide();
}

void TForm::HintChanged(TControl* control) {
  if (hintTip_) hintTip_->HintChanged(control);
}

void TForm::ForgetHint(TControl* control) {
  if (hintTip_) hintTip_->Forget(control);
}

void TForm::ForgetHintWindow(HWND window) {
  if (!hintTip_) return;
  // The tooltip is owned by the form's window and goes with it.
  if (HandleAllocated() && window == Handle())
    hintTip_.reset();
  else
    hintTip_->ForgetWindow(window);
}

HWND TForm::HintWindow() const { return hintTip_ ? hintTip_->Handle() : nullptr; }

void TForm::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
  TWinControl::Notification(component, operation);
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    HandleNeeded();
    TControl::SetVisible(true);
    DoShow();
    if (!HandleAllocated()) return;
    ShowWindow(Handle(), SW_SHOW);
    if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
  } else {
    if (OnHide) OnHide(this);
    TControl::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::Hide() { SetVisible(false); }

void TForm::BringToFront() {
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      Free(this);
      break;
    case TCloseAction::caNone:
      break;
  }
}

void TForm::ChangeScale(int multiplier, int divisor) {
  if (multiplier == divisor || divisor == 0) return;
  int cw = MulDiv(ClientWidth(), multiplier, divisor);
  int ch = MulDiv(ClientHeight(), multiplier, divisor);
  if (!ParentFont()) {
    auto change = Font().OnChange;
    Font().OnChange = nullptr;
    Font().SetHeight(MulDiv(Font().Height(), multiplier, divisor));
    Font().OnChange = change;
    FontChanged();
  }
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(multiplier, divisor);
  SetClientWidth(cw);
  SetClientHeight(ch);
}

void TForm::ScaleBy(int multiplier, int divisor) { ChangeScale(multiplier, divisor); }

void TForm::Refresh() {
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TForm::IsShortCut(WORD key) {
  TShortCut shortCut = ShortCutFromKey(key);
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<TPopupMenu*>(Components(i)))
      if (menu->IsShortCut(shortCut)) return true;
  return false;
}

void TForm::InitializeForm() {
  ReadLayout(*this);
  int screen = ScreenPixelsPerInch();
  if (pixelsPerInch_ != screen && pixelsPerInch_ > 0) {
    ScaleBy(screen, pixelsPerInch_);
    pixelsPerInch_ = screen;
  }
  DoCreate();
}

void TForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    Application().HandleException();
  }
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      DefaultHandler(m);
      if (LOWORD(m.WParam) != WA_INACTIVE && activeControl_ && activeControl_->HandleAllocated() &&
          activeControl_->CanFocus())
        activeControl_->SetFocus();
      return;
    case WM_GETMINMAXINFO:
      DefaultHandler(m);
      // Sizes come from the program as given; no minimum of our own.
      reinterpret_cast<MINMAXINFO*>(m.LParam)->ptMinTrackSize = {0, 0};
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application().HandleException();
    }
  }
  TWinControl::BeforeDestruction();
  hintTip_.reset();
  icon_.reset();
}

}  // namespace fw

namespace fw {
namespace {

const ClassRegistration formClass(
    "TForm", "TWinControl", nullptr,
    {
        {"ClientWidth", Setter(&TForm::SetClientWidth)},
        {"ClientHeight", Setter(&TForm::SetClientHeight)},
        {"PixelsPerInch", Setter(&TForm::SetPixelsPerInch)},
        {"KeyPreview", Setter(&TForm::SetKeyPreview)},
        {"BorderStyle",
         EnumSetter(&TForm::SetBorderStyle,
                    EnumNames<TBorderStyle>({{"bsNone", TBorderStyle::bsNone},
                                             {"bsSingle", TBorderStyle::bsSingle},
                                             {"bsSizeable", TBorderStyle::bsSizeable},
                                             {"bsDialog", TBorderStyle::bsDialog},
                                             {"bsToolWindow", TBorderStyle::bsToolWindow},
                                             {"bsSizeToolWin", TBorderStyle::bsSizeToolWin}}))},
        {"BorderIcons",
         SetSetter(&TForm::SetBorderIcons, FlagNames<TBorderIcon>({{"biSystemMenu", biSystemMenu},
                                                                   {"biMinimize", biMinimize},
                                                                   {"biMaximize", biMaximize},
                                                                   {"biHelp", biHelp}}))},
        {"Icon",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TForm>(c, v, r).SetIcon(r.ResourceModule(), v.AsString());
         }},
        {"ActiveControl",
         LinkSetter("a control that can take the focus", &TForm::SetActiveControl)},
        {"OnCreate", EventSetter(&TForm::OnCreate)},
        {"OnShow", EventSetter(&TForm::OnShow)},
        {"OnHide", EventSetter(&TForm::OnHide)},
        {"OnDestroy", EventSetter(&TForm::OnDestroy)},
    });

}  // namespace
}  // namespace fw
