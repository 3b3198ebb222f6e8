#include "fw/Canvas.h"

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

void TCanvas::BrushCopy(const RECT& dest, const TBitmap& source, const RECT& sourceRect,
                        TColor transparent) {
  if (!dc_ || source.Empty()) return;
  FillRect(dest);
  // A bitmap can be selected into one DC only: draw from its own canvas.
  HDC src = const_cast<TBitmap&>(source).Canvas().Handle();
  TransparentBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
                 sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                 sourceRect.bottom - sourceRect.top, ColorToRGB(transparent));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (!dc_ || bitmap.Empty()) return;
  HDC src = const_cast<TBitmap&>(bitmap).Canvas().Handle();
  BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), src, 0, 0, SRCCOPY);
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

ScreenCanvas::ScreenCanvas() : screen_(GetDC(nullptr)) { Attach(screen_); }

ScreenCanvas::~ScreenCanvas() {
  Detach();
  ReleaseDC(nullptr, screen_);
}

}  // namespace fw
