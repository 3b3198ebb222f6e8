#include "fw/Bitmap.h"

#include "fw/Exceptions.h"

namespace fw {

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { ReleaseCanvas(); }

void TBitmap::ReleaseCanvas() {
  canvas_.reset();
  if (memoryDc_) {
    SelectObject(memoryDc_, previous_);
    DeleteDC(memoryDc_);
    memoryDc_ = nullptr;
    previous_ = nullptr;
  }
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  ReleaseCanvas();
  bitmap_.reset(bitmap);
  width_ = height_ = 0;
  BITMAP info{};
  if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::string& name) {
  HBITMAP bitmap = LoadBitmapA(module, name.c_str());
  if (!bitmap) throw Exception("Resource " + name + " not found");
  SetHandle(bitmap);
}

void TBitmap::Clear() { SetHandle(nullptr); }

void TBitmap::SetSize(int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  SetHandle(bitmap);
  RECT all{0, 0, width, height};
  Canvas().Brush().Color = clWhite;
  Canvas().FillRect(all);
}

COLORREF TBitmap::Pixel(int x, int y) const {
  if (!bitmap_) return CLR_INVALID;
  if (memoryDc_) return GetPixel(memoryDc_, x, y);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap_.get());
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    memoryDc_ = CreateCompatibleDC(nullptr);
    if (bitmap_) previous_ = SelectObject(memoryDc_, bitmap_.get());
    canvas_ = std::make_unique<TCanvas>(memoryDc_);
  }
  return *canvas_;
}

}  // namespace fw
