// Painting: the window off screen with its graphic children, and the colours
// a parent gives its standard child windows.
#include <algorithm>

#include "fw/Canvas.h"
#include "fw/DeviceContext.h"
#include "fw/WinControl.h"

namespace fw {

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::InvalidateRectOf(const TControl* child) {
  if (!handle_ || !child) return;
  RECT r = child->BoundsRect();
  InvalidateRect(handle_, &r, TRUE);
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

void TWinControl::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush());
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    const RECT bounds = c->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    int saved = SaveDC(dc);
    // From wherever the window's own painting put the origin.
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    TCanvas canvas(dc);
    canvas.Font() = c->Font();
    canvas.Brush().Color = c->Color();
    c->Paint(canvas);
    canvas.Detach();
    RestoreDC(dc, saved);
  }
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

bool TWinControl::WmCtlColor(TMessage& m) {
  TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam));
  if (!child) return false;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(child->Enabled() ? child->Font().Color() : clGrayText));
  SetBkColor(dc, ColorToRGB(child->Color()));
  m.Result = reinterpret_cast<LRESULT>(child->BackgroundBrush());
  return true;
}

}  // namespace fw
