#pragma once
// Device contexts and the objects selected into them, each let go exactly
// once and in the right order: a selection is undone before its DC goes, so
// no bitmap, font or brush is left selected into a DC that no longer exists
// (GDI would refuse to delete it).
#include <windows.h>

#include <utility>

#include "fw/Handle.h"

namespace fw {

// A memory DC (CreateCompatibleDC), deleted with DeleteDC.
struct MemoryDcTraits {
  static HDC invalid() { return nullptr; }
  static void close(HDC dc) { ::DeleteDC(dc); }
};
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

inline MemoryDc MakeMemoryDc(HDC like = nullptr) { return MemoryDc(::CreateCompatibleDC(like)); }

// A window's DC from the system's cache (GetDC, or GetWindowDC with its
// frame), handed back with ReleaseDC. No window: the screen.
class WindowDc {
 public:
  enum class Area { kClient, kWithFrame };
  explicit WindowDc(HWND window = nullptr, Area area = Area::kClient)
      : window_(window), dc_(area == Area::kClient ? ::GetDC(window) : ::GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint around the painting of one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintDc() { ::EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const { return dc_; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() { Restore(); }
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  void Restore() {
    if (dc_ && previous_) ::SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace fw
