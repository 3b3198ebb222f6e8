#pragma once
// A device-dependent bitmap with a memory canvas of its own.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "fw/Api.h"
#include "fw/Canvas.h"
#include "fw/DeviceContext.h"
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
  // The colour of the bottom-left pixel, which the glyphs and image strips
  // leave transparent. Read once and kept until the picture changes (a new
  // handle, or a drawing through Canvas()), not on every paint.
  COLORREF TransparentColor() const;
  // The canvas draws into the bitmap; valid while the bitmap lives.
  TCanvas& Canvas();

 private:
  friend class TCanvas;
  // The memory DC that holds the bitmap, for drawing from it: a bitmap can
  // be selected into one DC only, so every read goes through this one.
  HDC SourceDc() const;
  void ReleaseCanvas();

  GdiObject bitmap_;
  int width_ = 0;
  int height_ = 0;
  // Made on first use and kept: the lists draw their glyphs on every paint.
  // Declared in the order they must go: canvas, selection, DC.
  mutable MemoryDc memoryDc_;
  mutable std::optional<SelectedObject> selection_;
  mutable std::unique_ptr<TCanvas> canvas_;
  mutable std::optional<COLORREF> transparent_;
};

}  // namespace fw

// The instance handle of the binary this code is compiled into.
extern "C" IMAGE_DOS_HEADER __ImageBase;
namespace fw {
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
}  // namespace fw
