#include "fw/Canvas.h"

#include <utility>

#include "fw/Bitmap.h"
#include "fw/Handle.h"

namespace fw {

void TCanvas::Attach(HDC dc) {
  Detach();
  dc_ = dc;
  if (dc_) saved_ = SaveDC(dc_);
}

void TCanvas::Detach() {
  if (dc_ && saved_) RestoreDC(dc_, saved_);
  dc_ = nullptr;
  saved_ = 0;
}

void TCanvas::Prepare() {
  if (!dc_) return;
  SelectObject(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(brush_.Color));
  SetBkMode(dc_, TRANSPARENT);
}

void TCanvas::FillRect(const RECT& rect) {
  if (!dc_) return;
  GdiObject brush(CreateSolidBrush(ColorToRGB(brush_.Color)));
  ::FillRect(dc_, &rect, static_cast<HBRUSH>(brush.get()));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  Draw(x, y, bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  BitBlt(dc_, x, y, part.right - part.left, part.bottom - part.top, bitmap.SourceDc(), part.left,
         part.top, SRCCOPY);
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  const int width = part.right - part.left, height = part.bottom - part.top;
  TransparentBlt(dc_, x, y, width, height, bitmap.SourceDc(), part.left, part.top, width, height,
                 bitmap.TransparentColor());
}

void TCanvas::DrawDisabled(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  const int width = part.right - part.left, height = part.bottom - part.top;
  // A monochrome copy: black where the picture is, white where it is transparent.
  HDC source = bitmap.SourceDc();
  GdiObject maskBits(CreateBitmap(width, height, 1, 1, nullptr));
  MemoryDc mask = MakeMemoryDc(dc_);
  {
    SelectedObject maskSelection(mask.get(), maskBits.get());
    const COLORREF sourceBack = SetBkColor(source, bitmap.TransparentColor());
    BitBlt(mask.get(), 0, 0, width, height, source, part.left, part.top, SRCCOPY);
    SetBkColor(source, sourceBack);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    // The brush where the mask is black, the destination where it is white.
    constexpr DWORD kBrushThroughMask = 0x00B8074A;
    const std::pair<int, int> layers[] = {{COLOR_BTNHIGHLIGHT, 1}, {COLOR_BTNSHADOW, 0}};
    for (auto [color, offset] : layers) {
      GdiObject brush(CreateSolidBrush(GetSysColor(color)));
      SelectedObject brushSelection(dc_, brush.get());
      BitBlt(dc_, x + offset, y + offset, width, height, mask.get(), 0, 0, kBrushThroughMask);
    }
  }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!dc_) return;
  Prepare();
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
  if (!dc_) return 0;
  Prepare();
  return ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

int TCanvas::TextWidth(const std::string& text) {
  if (!dc_) return 0;
  Prepare();
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& text) {
  if (!dc_) return 0;
  Prepare();
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cy;
}

ScreenCanvas::ScreenCanvas() { Attach(screen_.get()); }

// Before the DC goes back to the system.
ScreenCanvas::~ScreenCanvas() { Detach(); }

}  // namespace fw
