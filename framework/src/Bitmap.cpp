#include "fw/Bitmap.h"

#include "fw/Exceptions.h"
#include "fw/Unicode.h"

namespace fw {

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { ReleaseCanvas(); }

void TBitmap::ReleaseCanvas() {
  canvas_.reset();
  selection_.reset();
  memoryDc_.reset();
  transparent_.reset();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  ReleaseCanvas();
  bitmap_.reset(bitmap);
  width_ = height_ = 0;
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::string& name) {
  HBITMAP bitmap = LoadBitmapW(module, Utf16(name).c_str());
  if (!bitmap) throw Exception("Resource " + name + " not found");
  SetHandle(bitmap);
}

void TBitmap::Clear() { SetHandle(nullptr); }

void TBitmap::SetSize(int width, int height) {
  {
    WindowDc screen;
    SetHandle(CreateCompatibleBitmap(screen.get(), width, height));
  }
  RECT all{0, 0, width, height};
  Canvas().Brush().Color = clWhite;
  Canvas().FillRect(all);
}

HDC TBitmap::SourceDc() const {
  if (!memoryDc_) {
    memoryDc_ = MakeMemoryDc();
    if (bitmap_) selection_.emplace(memoryDc_.get(), bitmap_.get());
  }
  return memoryDc_.get();
}

COLORREF TBitmap::Pixel(int x, int y) const {
  if (!bitmap_) return CLR_INVALID;
  return GetPixel(SourceDc(), x, y);
}

COLORREF TBitmap::TransparentColor() const {
  if (!transparent_) transparent_ = Pixel(0, height_ - 1);
  return *transparent_;
}

TCanvas& TBitmap::Canvas() {
  // Whoever takes the canvas may draw: the transparent colour is read again.
  transparent_.reset();
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(SourceDc());
  return *canvas_;
}

}  // namespace fw
