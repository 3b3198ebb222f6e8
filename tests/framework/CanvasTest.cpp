// Drawing from bitmaps that are in use by their own canvas, as image-list
// pictures are right after GetBitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "fw/Bitmap.h"
#include "fw/Canvas.h"

namespace {

// 4 x 4 red with a blue bottom-left pixel, the transparent colour.
void Paint(fw::TBitmap& source, COLORREF body, COLORREF corner) {
  source.SetSize(4, 4);
  RECT all{0, 0, 4, 4};
  source.Canvas().Brush().Color = static_cast<fw::TColor>(body);
  source.Canvas().FillRect(all);
  RECT bottomLeft{0, 3, 1, 4};
  source.Canvas().Brush().Color = static_cast<fw::TColor>(corner);
  source.Canvas().FillRect(bottomLeft);
}

TEST(Canvas, DrawsBitmapsWhoseCanvasIsInUse) {
  const COLORREF red = RGB(200, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 160, 0);
  const RECT all{0, 0, 4, 4};
  struct Case {
    const char* what;
    std::function<void(fw::TCanvas&, const fw::TBitmap&)> draw;
    COLORREF picture, transparent;  // what lands at (1, 1) and at (0, 3)
  } cases[] = {
      {"as it is", [](fw::TCanvas& c, const fw::TBitmap& b) { c.Draw(0, 0, b); }, red, blue},
      {"transparent",
       [&](fw::TCanvas& c, const fw::TBitmap& b) { c.DrawTransparent(0, 0, b, all); }, red, green},
      // The shape in the shadow colour; the highlight copy lies one pixel down and right.
      {"disabled", [&](fw::TCanvas& c, const fw::TBitmap& b) { c.DrawDisabled(0, 0, b, all); },
       GetSysColor(COLOR_BTNSHADOW), green},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fw::TBitmap source;
    Paint(source, red, blue);
    fw::TBitmap target;
    target.SetSize(4, 4);
    target.Canvas().Brush().Color = static_cast<fw::TColor>(green);
    target.Canvas().FillRect(all);
    c.draw(target.Canvas(), source);
    EXPECT_EQ(target.Pixel(1, 1), c.picture);
    EXPECT_EQ(target.Pixel(0, 3), c.transparent);
  }
}

// The colour is kept between paints, and read again once the picture changes.
TEST(Canvas, TransparentColourFollowsThePicture) {
  fw::TBitmap bitmap;
  Paint(bitmap, RGB(200, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(bitmap.TransparentColor(), RGB(0, 0, 255));
  Paint(bitmap, RGB(200, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(bitmap.TransparentColor(), RGB(0, 255, 0));
  RECT corner{0, 3, 1, 4};
  bitmap.Canvas().Brush().Color = fw::clWhite;
  bitmap.Canvas().FillRect(corner);
  EXPECT_EQ(bitmap.TransparentColor(), RGB(255, 255, 255));
}

}  // namespace
