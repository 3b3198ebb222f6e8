#pragma once
// A device-dependent bitmap with a memory canvas of its own.
#include <windows.h>

#include <memory>
#include <string>

#include "fw/Api.h"
#include "fw/Canvas.h"
#include "fw/Handle.h"

namespace fw {

class FW_API TBitmap {
 public:
  TBitmap();
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Raises EResNotFound-like fw::Exception when the module has no such bitmap.
  void LoadFromResourceName(HINSTANCE module, const std::string& name);
  // Takes ownership of a bitmap handle (as LoadBitmapA returns it).
  void SetHandle(HBITMAP bitmap);
  HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap_.get()); }
  // Empties the picture (no handle, size 0 x 0).
  void Clear();
  bool Empty() const { return !bitmap_; }
  // A fresh picture of the given size, filled white.
  void SetSize(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF Pixel(int x, int y) const;
  // The canvas draws into the bitmap; valid while the bitmap lives.
  TCanvas& Canvas();

 private:
  void ReleaseCanvas();
  GdiObject bitmap_;
  int width_ = 0;
  int height_ = 0;
  HDC memoryDc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace fw

// The instance handle of the binary this code is compiled into.
extern "C" IMAGE_DOS_HEADER __ImageBase;
namespace fw {
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
}  // namespace fw
