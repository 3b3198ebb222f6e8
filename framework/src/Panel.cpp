#include "fw/Panel.h"

#include <algorithm>

#include "fw/Canvas.h"
#include "fw/Handle.h"
#include "fw/Layout.h"

namespace fw {

namespace {

// Draws `width` rings inside r, light on the top and left edges and dark on
// the others for a raised cut, the other way round for a lowered one, and
// leaves r as the area inside them.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  if (cut == TBevelCut::bvLowered) std::swap(light, dark);
  GdiObject topLeft(CreateSolidBrush(light));
  GdiObject bottomRight(CreateSolidBrush(dark));
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    RECT top{r.left, r.top, r.right - 1, r.top + 1};
    RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, static_cast<HBRUSH>(topLeft.get()));
    FillRect(dc, &left, static_cast<HBRUSH>(topLeft.get()));
    FillRect(dc, &bottom, static_cast<HBRUSH>(bottomRight.get()));
    FillRect(dc, &right, static_cast<HBRUSH>(bottomRight.get()));
    InflateRect(&r, -1, -1);
  }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == bevelOuter_) return;
  bevelOuter_ = cut;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  if (cut == bevelInner_) return;
  bevelInner_ = cut;
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  Invalidate();
}

void TPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Invalidate();
}

void TPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, BackgroundBrush());
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  std::string caption = Text();
  if (!caption.empty()) {
    TCanvas canvas(dc);
    canvas.Font() = Font();
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  }
  PaintControls(dc);
}

namespace {

constexpr auto bevelNames = EnumNames<TBevelCut>({{"bvNone", TBevelCut::bvNone},
                                                  {"bvLowered", TBevelCut::bvLowered},
                                                  {"bvRaised", TBevelCut::bvRaised}});

const ClassRegistration panelClass(
    "TPanel", "TWinControl", [](TComponent* owner) { return Make<TPanel>(owner); },
    {
        {"BevelOuter", EnumSetter(&TPanel::SetBevelOuter, bevelNames)},
        {"BevelInner", EnumSetter(&TPanel::SetBevelInner, bevelNames)},
        {"BevelWidth", Setter(&TPanel::SetBevelWidth)},
        {"BorderWidth", Setter(&TPanel::SetBorderWidth)},
    });

}  // namespace
}  // namespace fw
