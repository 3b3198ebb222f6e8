#include "fw/ImageList.h"

namespace fw {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}
TImageList::~TImageList() = default;

int TImageList::Count() const {
  if (strip_.Empty() || width_ <= 0) return 0;
  return strip_.Width() / width_;
}

void TImageList::LoadStrip(HINSTANCE module, const std::string& resourceName) {
  strip_.LoadFromResourceName(module, resourceName);
  transparent_ = strip_.Pixel(0, strip_.Height() - 1);
}

void TImageList::GetBitmap(int index, TBitmap& dest) const {
  dest.SetSize(width_, height_);
  TCanvas& canvas = dest.Canvas();
  canvas.Brush().Color = static_cast<TColor>(transparent_);
  RECT all{0, 0, width_, height_};
  canvas.FillRect(all);
  if (index < 0 || index >= Count()) return;
  HDC src = const_cast<TBitmap&>(strip_).Canvas().Handle();
  BitBlt(canvas.Handle(), 0, 0, width_, height_, src, index * width_, 0, SRCCOPY);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count() || !canvas.Handle()) return;
  HDC src = const_cast<TBitmap&>(strip_).Canvas().Handle();
  if (enabled) {
    TransparentBlt(canvas.Handle(), x, y, width_, height_, src, index * width_, 0, width_, height_,
                   transparent_);
  } else {
    // A disabled image is drawn as a flat grey shadow of its shape.
    HBITMAP maskBits = CreateBitmap(width_, height_, 1, 1, nullptr);
    HDC mask = CreateCompatibleDC(canvas.Handle());
    HGDIOBJ oldMask = SelectObject(mask, maskBits);
    SetBkColor(src, transparent_);
    BitBlt(mask, 0, 0, width_, height_, src, index * width_, 0, SRCCOPY);
    HBRUSH grey = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = SelectObject(canvas.Handle(), grey);
    SetTextColor(canvas.Handle(), RGB(0, 0, 0));
    SetBkColor(canvas.Handle(), RGB(255, 255, 255));
    // Where the mask is black (picture), paint the brush; keep the rest.
    BitBlt(canvas.Handle(), x, y, width_, height_, mask, 0, 0, 0x00B8074A);
    SelectObject(canvas.Handle(), oldBrush);
    DeleteObject(grey);
    SelectObject(mask, oldMask);
    DeleteDC(mask);
    DeleteObject(maskBits);
  }
}

}  // namespace fw

#include "fw/Layout.h"

namespace fw {
namespace {

const ClassRegistration imageListClass(
    "TImageList", "", [](TComponent* owner) { return Make<TImageList>(owner); },
    {
        {"Width", Setter(&TImageList::SetWidth)},
        {"Height", Setter(&TImageList::SetHeight)},
        {"Bitmap",
         [](TComponent& c, const LayoutValue& v, LayoutReader& r) {
           Target<TImageList>(c, v, r).LoadStrip(r.ResourceModule(), v.AsString());
         }},
    });

}  // namespace
}  // namespace fw
