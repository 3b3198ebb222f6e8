#include "fw/Control.h"

#include "ControlLinks.h"
#include "FormPlumbing.h"
#include "fw/Canvas.h"
#include "fw/Form.h"
#include "fw/Label.h"
#include "fw/Menus.h"
#include "fw/WinControl.h"

namespace fw {

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) return;
  ControlLinks::Unlink(*this);
  if (parent) {
    ControlLinks::Link(*this, *parent);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (!dynamic_cast<TWinControl*>(this) && parent_) parent_->InvalidateRectOf(this);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (!dynamic_cast<TWinControl*>(this)) Invalidate();
  if (parent_ && !anchorMoving_ && !Loading()) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  if (!Loading()) UpdateAnchorRules();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && !Loading() && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::UpdateAnchorRules() {
  if (!parent_) return;
  RECT r = parent_->ClientRect();
  anchorRight_ = (r.right - r.left) - (left_ + width_);
  anchorBottom_ = (r.bottom - r.top) - (top_ + height_);
  anchorRulesSet_ = true;
}

void TControl::AnchorTo(int parentWidth, int parentHeight) {
  if (!anchorRulesSet_ || align_ != TAlign::alNone) return;
  int l = left_, t = top_, w = width_, h = height_;
  if (anchors_ & akRight) {
    if (anchors_ & akLeft)
      w = std::max(0, parentWidth - l - anchorRight_);
    else
      l = parentWidth - anchorRight_ - w;
  }
  if (anchors_ & akBottom) {
    if (anchors_ & akTop)
      h = std::max(0, parentHeight - t - anchorBottom_);
    else
      t = parentHeight - anchorBottom_ - h;
  }
  anchorMoving_ = true;
  SetBounds(l, t, w, h);
  anchorMoving_ = false;
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (parent_) {
    parent_->InvalidateRectOf(this);
    if (align_ != TAlign::alNone) parent_->AlignControls();
  }
}

bool TControl::Showing() const {
  if (!visible_) return false;
  return parent_ ? parent_->Showing() : true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  FormPlumbing::HintChanged(*this);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  RefreshCursor();
}

// The system asks a window for the pointer's shape only when the pointer
// moves; a control that changes its cursor under a resting pointer (a list
// while it reads a file) asks on its behalf, so the change shows at once.
void TControl::RefreshCursor() {
  auto* self = dynamic_cast<TWinControl*>(this);
  TWinControl* owner = self ? self : parent_;
  if (!owner || !owner->HandleAllocated()) return;
  HWND window = owner->Handle();
  // A window holding the mouse captured answers for the pointer itself.
  const HWND capture = GetCapture();
  if (capture && capture != window) return;
  // The pointer has left the window since it last moved there: asking the
  // system where it is would cost two calls to the server (on every file
  // chosen from the keyboard) to learn just that.
  if (!capture && !owner->PointerInside()) return;
  POINT p;
  if (!GetCursorPos(&p) || WindowFromPoint(p) != window) return;
  if (!self) {
    POINT client = p;
    ScreenToClient(window, &client);
    RECT r = BoundsRect();
    if (!PtInRect(&r, client)) return;
  }
  LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(hit, WM_MOUSEMOVE));
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  parentColor_ = false;
  ColorChanged();
  // Children that take their parent's colour follow.
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentColorChanged();
  }
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  color_ = parent_->Color();
  ColorChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentColorChanged();
  }
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  font_.OnChange = nullptr;
  font_ = parent_->Font();
  font_.OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
  FontChanged();
}

void TControl::FontChanged() {
  Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentFontChanged();
  }
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_ == menu) return;
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu) FreeNotification(menu);
}

namespace {

// A caption as it reads: "&" marks the next character as the accelerator.
std::string WithoutAccelerators(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

std::string ShownCaption(const TControl& control) {
  auto* label = dynamic_cast<const TLabel*>(&control);
  return label && !label->ShowAccelChar() ? control.Text() : WithoutAccelerators(control.Text());
}

const TLabel* LabelFor(const TWinControl& container, const TControl* control) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    const TControl* child = container.Controls(i);
    if (auto* label = dynamic_cast<const TLabel*>(child); label && label->FocusControl() == control)
      return label;
    if (auto* inner = dynamic_cast<const TWinControl*>(child))
      if (const TLabel* label = LabelFor(*inner, control)) return label;
  }
  return nullptr;
}

}  // namespace

std::string TControl::AccessibleName() const {
  if (!accessibleName_.empty()) return accessibleName_;
  // A label names a control anywhere on its form, as it moves the focus there.
  const TControl* top = this;
  while (top->Parent()) top = top->Parent();
  if (auto* container = dynamic_cast<const TWinControl*>(top))
    if (const TLabel* label = LabelFor(*container, this)) return ShownCaption(*label);
  if (dynamic_cast<const TWinControl*>(this)) return "";
  std::string caption = ShownCaption(*this);
  return caption.empty() ? hint_ : caption;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::ChangeScale(int multiplier, int divisor) {
  if (multiplier == divisor || divisor == 0) return;
  int l = MulDiv(left_, multiplier, divisor);
  int t = MulDiv(top_, multiplier, divisor);
  int w = MulDiv(left_ + width_, multiplier, divisor) - l;
  int h = MulDiv(top_ + height_, multiplier, divisor) - t;
  if (!parentFont_) {
    auto change = font_.OnChange;
    font_.OnChange = nullptr;
    font_.SetHeight(MulDiv(font_.Height(), multiplier, divisor));
    font_.OnChange = change;
    FontChanged();
  }
  anchorMoving_ = true;
  SetBounds(l, t, w, h);
  anchorMoving_ = false;
  anchorRight_ = MulDiv(anchorRight_, multiplier, divisor);
  anchorBottom_ = MulDiv(anchorBottom_, multiplier, divisor);
}

void TControl::Invalidate() {
  if (parent_) parent_->InvalidateRectOf(this);
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::Paint(TCanvas&) {}

void TControl::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
  TComponent::Notification(component, operation);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::SetParentComponent(TComponent* parent) {
  SetParent(dynamic_cast<TWinControl*>(parent));
}

void TControl::BeforeDestruction() {
  ControlLinks::Unlink(*this);
  TComponent::BeforeDestruction();
}

void TGraphicControl::MouseDown(int, int) { pressed_ = true; }

void TGraphicControl::MouseUp(int x, int y) {
  bool wasPressed = pressed_;
  pressed_ = false;
  if (wasPressed && x >= 0 && y >= 0 && x < Width() && y < Height() && Enabled()) Click();
}

}  // namespace fw

#include "fw/Layout.h"

namespace fw {
namespace {

constexpr auto kAnchorNames = FlagNames<TAnchorKind>(
    {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
constexpr auto kAlignNames = EnumNames<TAlign>({{"alNone", TAlign::alNone},
                                                {"alTop", TAlign::alTop},
                                                {"alBottom", TAlign::alBottom},
                                                {"alLeft", TAlign::alLeft},
                                                {"alRight", TAlign::alRight},
                                                {"alClient", TAlign::alClient}});
constexpr auto kCursorNames = EnumNames<TCursor>({{"crDefault", crDefault},
                                                  {"crArrow", crArrow},
                                                  {"crIBeam", crIBeam},
                                                  {"crHourGlass", crHourGlass},
                                                  {"crHandPoint", crHandPoint}});
constexpr auto kCharsetNames =
    EnumNames<int>({{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}});
constexpr auto kFontStyleNames = FlagNames<TFontStyle>({{"fsBold", fsBold},
                                                        {"fsItalic", fsItalic},
                                                        {"fsUnderline", fsUnderline},
                                                        {"fsStrikeOut", fsStrikeOut}});

const ClassRegistration controlClass(
    "TControl", "", nullptr,
    {
        {"Left", Setter(&TControl::SetLeft)},
        {"Top", Setter(&TControl::SetTop)},
        {"Width", Setter(&TControl::SetWidth)},
        {"Height", Setter(&TControl::SetHeight)},
        {"Anchors", SetSetter(&TControl::SetAnchors, kAnchorNames)},
        {"Align", EnumSetter(&TControl::SetAlign, kAlignNames)},
        {"Visible", Setter(&TControl::SetVisible)},
        {"Enabled", Setter(&TControl::SetEnabled)},
        {"Hint", Setter(&TControl::SetHint)},
        {"ShowHint", Setter(&TControl::SetShowHint)},
        {"ParentShowHint", Setter(&TControl::SetParentShowHint)},
        {"Cursor", EnumSetter(&TControl::SetCursor, kCursorNames)},
        {"Color", [](TComponent& c, const LayoutValue& v,
                     LayoutReader& r) { Target<TControl>(c, v, r).SetColor(ColorValue(v, r)); }},
        {"ParentColor", Setter(&TControl::SetParentColor)},
        {"ParentFont", Setter(&TControl::SetParentFont)},
        {"Font.Name",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TControl>(c, v, r).Font().SetName(v.AsString());
         }},
        {"Font.Height",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TControl>(c, v, r).Font().SetHeight(v.AsInt());
         }},
        {"Font.Color",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TControl>(c, v, r).Font().SetColor(ColorValue(v, r));
         }},
        {"Font.Charset",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           const int charset =
               v.kind == LayoutValue::Kind::Number ? v.AsInt() : NamedValue(v, r, kCharsetNames);
           Target<TControl>(c, v, r).Font().SetCharset(static_cast<uint8_t>(charset));
         }},
        {"Font.Style",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TControl>(c, v, r).Font().SetStyle(
               static_cast<uint8_t>(NamedFlags(v, r, kFontStyleNames)));
         }},
        {"Caption", Setter(&TControl::SetText)},
        {"Text", Setter(&TControl::SetText)},
        {"PopupMenu", LinkSetter("a pop-up menu", &TControl::SetPopupMenu)},
        {"AccessibleName", Setter(&TControl::SetAccessibleName)},
        {"OnClick", EventSetter(&TControl::OnClick)},
        {"OnDblClick", EventSetter(&TControl::OnDblClick)},
    });

const ClassRegistration graphicControlClass("TGraphicControl", "TControl", nullptr, {});

const ClassRegistration winControlClass("TWinControl", "TControl", nullptr,
                                        {
                                            {"TabOrder", Setter(&TWinControl::SetTabOrder)},
                                            {"TabStop", Setter(&TWinControl::SetTabStop)},
                                            {"Ctl3D", Setter(&TWinControl::SetCtl3D)},
                                            {"ParentCtl3D", Setter(&TWinControl::SetParentCtl3D)},
                                        });

}  // namespace
}  // namespace fw
