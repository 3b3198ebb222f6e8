#pragma once
// Helpers of the standard controls' tests: what a window shows on screen,
// text widths measured independently of the controls, and the mouse pointer.
#include <windows.h>

#include <string>
#include <vector>

#include "fw/WinControl.h"
#include "testsupport/Pump.h"

namespace stdctrls {

using testsupport::Pump;

// The client area of a window as it is on screen, once painting is done.
class Capture {
 public:
  explicit Capture(HWND window) {
    Pump();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    pixels_.resize(static_cast<size_t>(width_) * height_);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height_, pixels_.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
  }

  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];  // 0x00RRGGBB
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

inline int TextWidth(const char* face, int height, bool bold, const std::string& text) {
  HFONT font = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0,
                           0, DEFAULT_QUALITY, 0, face);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return size.cx;
}

// Puts the real pointer at a client point, so that the system's own mouse
// tracking agrees with the messages a test posts. The move reaches the
// window through the display server a moment later: handled once it is in
// the thread's queue (or after a second, when the pointer was there
// already). The program is registered as REAL_INPUT.
inline void CursorAt(fw::TWinControl& control, int x, int y) {
  POINT p{x, y};
  ClientToScreen(control.Handle(), &p);
  SetCursorPos(p.x, p.y);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_MOUSEMOVE);
  Pump();
}

}  // namespace stdctrls
