#pragma once
// Images of one size cut from a horizontal strip; the strip's bottom-left
// pixel is the transparent colour.
#include <windows.h>

#include <memory>
#include <string>

#include "fw/Api.h"
#include "fw/Bitmap.h"
#include "fw/Component.h"

namespace fw {

class FW_API TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;
  const char* ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int w) { width_ = w; }
  void SetHeight(int h) { height_ = h; }
  int Count() const;

  // Takes the images from a strip bitmap in a module's resources.
  void LoadStrip(HINSTANCE module, const std::string& resourceName);
  // Makes dest an image-sized picture showing image index; its transparent
  // pixels are drawn in the colour of the strip's transparent pixel.
  // An index outside the list leaves dest blank.
  void GetBitmap(int index, TBitmap& dest) const;
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  // The strip's bottom-left pixel; magenta before a strip is loaded.
  COLORREF TransparentColor() const {
    return strip_.Empty() ? RGB(255, 0, 255) : strip_.TransparentColor();
  }

 private:
  RECT Part(int index) const;

  int width_ = 16;
  int height_ = 16;
  TBitmap strip_;
};

}  // namespace fw
