#include "fw/Label.h"

#include <oleacc.h>

#include "TextAlignNames.h"
#include "fw/Canvas.h"
#include "fw/Layout.h"

namespace fw {

namespace {
constexpr TColor clBtnHighlight = kSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clBtnShadow = kSystemColor | COLOR_BTNSHADOW;

// DrawText measures an empty line as nothing; a label keeps one line's height.
std::string Measurable(const std::string& text, bool showAccelChar) {
  if (text.empty() || (showAccelChar && text == "&")) return text + " ";
  return text;
}
}  // namespace

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | AlignmentFlag(alignment_);
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TControl* control) {
  if (control == focusControl_) return;
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = control;
  if (control) FreeNotification(control);
}

long TLabel::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

void TLabel::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
  TGraphicControl::Notification(component, operation);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  ScreenCanvas canvas;
  canvas.Font() = Font();
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  canvas.DrawText(Measurable(Text(), showAccelChar_), r, TextFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) {
    canvas.Brush().Color = Color();
    canvas.FillRect(r);
  }
  std::string text = Text();
  UINT flags = TextFlags();
  if (layout_ != TTextLayout::tlTop) {
    RECT measured = r;
    canvas.DrawText(Measurable(text, showAccelChar_), measured, flags | DT_CALCRECT);
    int free = r.bottom - measured.bottom;
    r.top += layout_ == TTextLayout::tlBottom ? free : free / 2;
  }
  if (Enabled()) {
    canvas.DrawText(text, r, flags);
    return;
  }
  // Greyed: a light copy one pixel down and right under a shadow-coloured one.
  TColor color = canvas.Font().Color();
  canvas.Font().SetColor(clBtnHighlight);
  OffsetRect(&r, 1, 1);
  canvas.DrawText(text, r, flags);
  OffsetRect(&r, -1, -1);
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(text, r, flags);
  canvas.Font().SetColor(color);
}

namespace {

const ClassRegistration labelClass(
    "TLabel", "TGraphicControl", [](TComponent* owner) { return Make<TLabel>(owner); },
    {
        {"AutoSize", Setter(&TLabel::SetAutoSize)},
        {"Transparent", Setter(&TLabel::SetTransparent)},
        {"Alignment", EnumSetter(&TLabel::SetAlignment, alignmentNames)},
        {"Layout", EnumSetter(&TLabel::SetLayout,
                              EnumNames<TTextLayout>({{"tlTop", TTextLayout::tlTop},
                                                      {"tlCenter", TTextLayout::tlCenter},
                                                      {"tlBottom", TTextLayout::tlBottom}}))},
        {"WordWrap", Setter(&TLabel::SetWordWrap)},
        {"ShowAccelChar", Setter(&TLabel::SetShowAccelChar)},
        {"FocusControl", LinkSetter("a control", &TLabel::SetFocusControl)},
    });

}  // namespace
}  // namespace fw
