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
}

RECT TImageList::Part(int index) const {
  return RECT{index * width_, 0, (index + 1) * width_, height_};
}

void TImageList::GetBitmap(int index, TBitmap& dest) const {
  dest.SetSize(width_, height_);
  TCanvas& canvas = dest.Canvas();
  canvas.Brush().Color = static_cast<TColor>(TransparentColor());
  RECT all{0, 0, width_, height_};
  canvas.FillRect(all);
  if (index < 0 || index >= Count()) return;
  canvas.Draw(0, 0, strip_, Part(index));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled)
    canvas.DrawTransparent(x, y, strip_, Part(index));
  else
    canvas.DrawDisabled(x, y, strip_, Part(index));
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
