#include "fw/SpeedButton.h"

#include <oleacc.h>

#include <algorithm>

#include "fw/Canvas.h"
#include "fw/Layout.h"

namespace fw {

namespace {
constexpr TColor clBtnHighlight = kSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clBtnShadow = kSystemColor | COLOR_BTNSHADOW;

enum GlyphImage { kNormal = 0, kDisabled = 1, kPressed = 2 };
}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

long TSpeedButton::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

void TSpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
  if (glyph == &glyph_) {
    GlyphLoaded();
    return;
  }
  if (!glyph || glyph->Empty()) {
    glyph_.Clear();
    Invalidate();
    return;
  }
  int width = glyph->Width(), height = glyph->Height();
  glyph_.SetSize(width, height);
  glyph_.Canvas().Draw(0, 0, *glyph);
  GlyphLoaded();
}

void TSpeedButton::LoadGlyph(HINSTANCE module, const std::string& resourceName) {
  glyph_.LoadFromResourceName(module, resourceName);
  GlyphLoaded();
}

void TSpeedButton::GlyphLoaded() {
  int width = glyph_.Width(), height = glyph_.Height();
  if (height > 0 && width % height == 0) {
    int count = width / height;
    SetNumGlyphs(count <= 4 ? count : 1);
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == numGlyphs_) return;
  numGlyphs_ = count;
  Invalidate();
}

void TSpeedButton::Click() {
  if (!Enabled()) return;
  TGraphicControl::Click();
}

void TSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  pressedOutside_ = false;
  Invalidate();
}

void TSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  if (pressed_) pressedOutside_ = true;
  Invalidate();
}

void TSpeedButton::MouseDown(int x, int y) {
  TGraphicControl::MouseDown(x, y);
  pressedOutside_ = false;
  Invalidate();
}

void TSpeedButton::MouseUp(int x, int y) {
  // Before the base: its click may free the button.
  Invalidate();
  pressedOutside_ = false;
  TGraphicControl::MouseUp(x, y);
}

void TSpeedButton::EnabledChanged() {
  if (!Enabled()) pressed_ = false;
  TGraphicControl::EnabledChanged();
}

void TSpeedButton::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  RECT r{0, 0, Width(), Height()};
  bool down = Enabled() && Pressed();
  if (!flat_) {
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(r);
    DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  } else if (down || (Enabled() && MouseInControl())) {
    DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }

  // Glyph and caption side by side, centred together; pushed in when down.
  int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_;
  int glyphHeight = glyph_.Empty() ? 0 : glyph_.Height();
  std::string caption = Text();
  RECT text{0, 0, 0, 0};
  if (!caption.empty()) canvas.DrawText(caption, text, DT_CALCRECT | DT_SINGLELINE);
  int spacing = glyphWidth > 0 && text.right > 0 ? 4 : 0;
  int shift = down ? 1 : 0;
  int x = (Width() - (glyphWidth + spacing + text.right)) / 2 + shift;
  if (glyphWidth > 0) DrawGlyph(canvas, x, (Height() - glyphHeight) / 2 + shift, glyphWidth);
  if (text.right > 0) {
    int top = (Height() - text.bottom) / 2 + shift;
    int left = x + glyphWidth + spacing;
    DrawCaption(canvas, {left, top, left + text.right, top + text.bottom});
  }
}

void TSpeedButton::DrawGlyph(TCanvas& canvas, int x, int y, int width) {
  const int height = glyph_.Height();
  int image = kNormal;
  if (!Enabled())
    image = numGlyphs_ > kDisabled ? kDisabled : -1;
  else if (Pressed() && numGlyphs_ > kPressed)
    image = kPressed;
  if (image >= 0)
    canvas.DrawTransparent(x, y, glyph_, RECT{image * width, 0, (image + 1) * width, height});
  else
    // No disabled image: the normal one's shape in the disabled look.
    canvas.DrawDisabled(x, y, glyph_, RECT{0, 0, width, height});
}

void TSpeedButton::DrawCaption(TCanvas& canvas, RECT r) {
  const UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  if (Enabled()) {
    canvas.DrawText(Text(), r, flags);
    return;
  }
  TColor color = canvas.Font().Color();
  canvas.Font().SetColor(clBtnHighlight);
  OffsetRect(&r, 1, 1);
  canvas.DrawText(Text(), r, flags);
  OffsetRect(&r, -1, -1);
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(Text(), r, flags);
  canvas.Font().SetColor(color);
}

namespace {

const ClassRegistration speedButtonClass(
    "TSpeedButton", "TGraphicControl", [](TComponent* owner) { return Make<TSpeedButton>(owner); },
    {
        {"Flat", Setter(&TSpeedButton::SetFlat)},
        {"NumGlyphs", Setter(&TSpeedButton::SetNumGlyphs)},
        {"Glyph",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TSpeedButton>(c, v, r).LoadGlyph(r.ResourceModule(), v.AsString());
         }},
    });

}  // namespace
}  // namespace fw
