#include "fw/StaticText.h"

#include "TextAlignNames.h"
#include "fw/Canvas.h"
#include "fw/Layout.h"

namespace fw {

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TStaticText::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = "STATIC";
  params.Style |= SS_NOPREFIX;
  switch (alignment_) {
    case TAlignment::taRightJustify:
      params.Style |= SS_RIGHT;
      break;
    case TAlignment::taCenter:
      params.Style |= SS_CENTER;
      break;
    default:
      params.Style |= SS_LEFT;
      break;
  }
}

void TStaticText::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TStaticText::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  // The static control reads its alignment from the style it was made with.
  RecreateWnd();
}

void TStaticText::Loaded() {
  TWinControl::Loaded();
  AdjustBounds();
}

void TStaticText::TextChanged() {
  TWinControl::TextChanged();
  AdjustBounds();
}

void TStaticText::FontChanged() {
  TWinControl::FontChanged();
  AdjustBounds();
}

void TStaticText::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  ScreenCanvas canvas;
  canvas.Font() = Font();
  std::string text = Text();
  RECT r{0, 0, 0, 0};
  canvas.DrawText(text.empty() ? " " : text, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  SetBounds(Left(), Top(), r.right, r.bottom);
}

namespace {

const ClassRegistration staticTextClass(
    "TStaticText", "TWinControl", [](TComponent* owner) { return Make<TStaticText>(owner); },
    {
        {"AutoSize", Setter(&TStaticText::SetAutoSize)},
        {"Alignment", EnumSetter(&TStaticText::SetAlignment, alignmentNames)},
    });

}  // namespace
}  // namespace fw
