// Drawing from bitmaps that are in use by their own canvas, as image-list
// pictures are right after GetBitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/Bitmap.h"
#include "fw/Canvas.h"

namespace {

TEST(Canvas, DrawAndBrushCopyTakeBitmapsWhoseCanvasIsInUse) {
  fw::TBitmap source;
  source.SetSize(4, 4);
  RECT all{0, 0, 4, 4};
  source.Canvas().Brush().Color = RGB(200, 0, 0);
  source.Canvas().FillRect(all);
  RECT corner{0, 3, 1, 4};
  source.Canvas().Brush().Color = RGB(0, 0, 255);
  source.Canvas().FillRect(corner);  // bottom-left: the transparent colour

  fw::TBitmap target;
  target.SetSize(8, 4);
  target.Canvas().Draw(0, 0, source);
  EXPECT_EQ(target.Pixel(1, 1), RGB(200, 0, 0));
  EXPECT_EQ(target.Pixel(0, 3), RGB(0, 0, 255));

  target.Canvas().Brush().Color = RGB(0, 160, 0);
  RECT dest{4, 0, 8, 4};
  target.Canvas().BrushCopy(dest, source, all, source.Pixel(0, 3));
  EXPECT_EQ(target.Pixel(5, 1), RGB(200, 0, 0));
  EXPECT_EQ(target.Pixel(4, 3), RGB(0, 160, 0));  // transparent pixel in the brush colour
}

}  // namespace
