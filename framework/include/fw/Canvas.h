#pragma once
// Drawing on a device context. A canvas saves the DC's state when it takes
// the DC and restores it when it lets go, so callers never leak selections.
#include <windows.h>

#include <functional>
#include <string>

#include "fw/Api.h"
#include "fw/DeviceContext.h"
#include "fw/Font.h"
#include "fw/Graphics.h"
#include "fw/Handle.h"

namespace fw {

class TBitmap;

struct TBrush {
  TColor Color = clWhite;
};

class FW_API TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) { Attach(dc); }
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas() { Detach(); }

  void Attach(HDC dc);
  void Detach();
  HDC Handle() const { return dc_; }

  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }

  void FillRect(const RECT& rect);
  void Draw(int x, int y, const TBitmap& bitmap);
  // The bitmap's part at (x, y), as it is.
  void Draw(int x, int y, const TBitmap& bitmap, const RECT& part);
  // The bitmap's part at (x, y); its pixels of the bitmap's transparent
  // colour leave what is there.
  void DrawTransparent(int x, int y, const TBitmap& bitmap, const RECT& part);
  // The look of a disabled image: the shape of the part's non-transparent
  // pixels, embossed in the 3-D highlight and shadow colours.
  void DrawDisabled(int x, int y, const TBitmap& bitmap, const RECT& part);
  void TextOut(int x, int y, const std::string& text);
  int DrawText(const std::string& text, RECT& rect, UINT format);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  // Selects the font and colours into the DC; drawing calls do it themselves.
  void Prepare();

  // The one way lists and combo boxes paint an owner-drawn item. Takes the
  // item's DC for the call of `draw` with the control's font and colour, the
  // highlight colours when it is selected and grey text when disabled, then
  // draws the focus rectangle over it when it has the focus.
  void PaintItem(const DRAWITEMSTRUCT& item, const TFont& font, TColor color,
                 const std::function<void()>& draw);
  // An item's content: the background, a glyph `indent` pixels in and
  // centred vertically, and the text on one line centred vertically, 4
  // pixels after the glyph.
  void DrawItem(const RECT& rect, const std::string& text, const TBitmap* glyph = nullptr,
                int indent = 0);

 private:
  HDC dc_ = nullptr;
  int saved_ = 0;
  TFont font_;
  TBrush brush_;
  // The GDI brush FillRect last made, kept while the colour stays: a list
  // fills every item it draws.
  GdiObject fillBrush_;
  COLORREF fillColor_ = 0;
};

// A canvas on the screen's DC, released when it goes.
class FW_API ScreenCanvas : public TCanvas {
 public:
  ScreenCanvas();
  ~ScreenCanvas();

 private:
  WindowDc screen_;
};

}  // namespace fw
