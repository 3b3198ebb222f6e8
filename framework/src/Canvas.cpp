#include "fw/Canvas.h"

#include <utility>

#include "fw/Bitmap.h"
#include "fw/Handle.h"
#include "fw/ScopeExit.h"
#include "fw/Unicode.h"

namespace fw {

void TCanvas::Attach(HDC dc) {
  Detach();
  dc_ = dc;
  if (dc_) saved_ = SaveDC(dc_);
}

void TCanvas::Detach() {
  if (dc_ && saved_) RestoreDC(dc_, saved_);
  dc_ = nullptr;
  saved_ = 0;
}

void TCanvas::Prepare() {
  if (!dc_) return;
  SelectObject(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(brush_.Color));
  SetBkMode(dc_, TRANSPARENT);
}

void TCanvas::FillRect(const RECT& rect) {
  if (!dc_) return;
  const COLORREF color = ColorToRGB(brush_.Color);
  if (!fillBrush_ || color != fillColor_) {
    fillBrush_.reset(CreateSolidBrush(color));
    fillColor_ = color;
  }
  ::FillRect(dc_, &rect, static_cast<HBRUSH>(fillBrush_.get()));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  Draw(x, y, bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  BitBlt(dc_, x, y, part.right - part.left, part.bottom - part.top, bitmap.SourceDc(), part.left,
         part.top, SRCCOPY);
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  const int width = part.right - part.left, height = part.bottom - part.top;
  TransparentBlt(dc_, x, y, width, height, bitmap.SourceDc(), part.left, part.top, width, height,
                 bitmap.TransparentColor());
}

void TCanvas::DrawDisabled(int x, int y, const TBitmap& bitmap, const RECT& part) {
  if (!dc_ || bitmap.Empty()) return;
  const int width = part.right - part.left, height = part.bottom - part.top;
  // A monochrome copy: black where the picture is, white where it is transparent.
  HDC source = bitmap.SourceDc();
  GdiObject maskBits(CreateBitmap(width, height, 1, 1, nullptr));
  MemoryDc mask = MakeMemoryDc(dc_);
  {
    SelectedObject maskSelection(mask.get(), maskBits.get());
    const COLORREF sourceBack = SetBkColor(source, bitmap.TransparentColor());
    BitBlt(mask.get(), 0, 0, width, height, source, part.left, part.top, SRCCOPY);
    SetBkColor(source, sourceBack);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    // The brush where the mask is black, the destination where it is white.
    constexpr DWORD kBrushThroughMask = 0x00B8074A;
    const std::pair<int, int> layers[] = {{COLOR_BTNHIGHLIGHT, 1}, {COLOR_BTNSHADOW, 0}};
    for (auto [color, offset] : layers) {
      GdiObject brush(CreateSolidBrush(GetSysColor(color)));
      SelectedObject brushSelection(dc_, brush.get());
      BitBlt(dc_, x + offset, y + offset, width, height, mask.get(), 0, 0, kBrushThroughMask);
    }
  }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!dc_) return;
  Prepare();
  const std::wstring wide = Utf16(text);
  ::TextOutW(dc_, x, y, wide.data(), static_cast<int>(wide.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
  if (!dc_) return 0;
  Prepare();
  const std::wstring wide = Utf16(text);
  return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

int TCanvas::TextWidth(const std::string& text) {
  if (!dc_) return 0;
  Prepare();
  SIZE size{};
  const std::wstring wide = Utf16(text);
  GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& text) {
  if (!dc_) return 0;
  Prepare();
  SIZE size{};
  const std::wstring wide = Utf16(text);
  GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
  return size.cy;
}

void TCanvas::PaintItem(const DRAWITEMSTRUCT& item, const TFont& font, TColor color,
                        const std::function<void()>& draw) {
  Attach(item.hDC);
  ScopeExit detach([this] { Detach(); });
  font_ = font;
  brush_.Color = color;
  if (item.itemState & ODS_SELECTED) {
    brush_.Color = clHighlight;
    font_.SetColor(clHighlightText);
  } else if (item.itemState & ODS_DISABLED) {
    font_.SetColor(clGrayText);
  }
  draw();
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
}

void TCanvas::DrawItem(const RECT& rect, const std::string& text, const TBitmap* glyph,
                       int indent) {
  FillRect(rect);
  int left = rect.left + 2 + indent;
  if (glyph && !glyph->Empty()) {
    const int width = glyph->Width(), height = glyph->Height();
    DrawTransparent(left, (rect.top + rect.bottom - height) / 2, *glyph, RECT{0, 0, width, height});
    left += width + 4;
  }
  RECT textRect{left, rect.top, rect.right, rect.bottom};
  // "&" is a character of a file name, not a mnemonic.
  DrawText(text, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

ScreenCanvas::ScreenCanvas() { Attach(screen_.get()); }

// Before the DC goes back to the system.
ScreenCanvas::~ScreenCanvas() { Detach(); }

}  // namespace fw
