#pragma once
// What a window shows on screen: its client area read back once painting is
// done, as the tests look at colours, frames and glyphs.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "fw/DeviceContext.h"
#include "testsupport/Pump.h"

namespace testsupport {

class Capture {
 public:
  explicit Capture(HWND window) {
    Pump();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const fw::WindowDc screen(window);
    const fw::MemoryDc memory = fw::MakeMemoryDc(screen.get());
    const fw::GdiObject bitmap(CreateCompatibleBitmap(screen.get(), width_, height_));
    {
      const fw::SelectedObject selected(memory.get(), bitmap.get());
      BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
    }
    GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, height_, pixels_.data(), &info,
              DIB_RGB_COLORS);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // CLR_INVALID outside the client area.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD p = pixels_[static_cast<std::size_t>(y) * width_ + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Count(COLORREF color) const { return Count(color, {0, 0, width_, height_}); }
  int Count(COLORREF color, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
    return n;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<DWORD> pixels_;
};

}  // namespace testsupport
