#pragma once
// A font description whose GDI font is made on first use and remade after
// every change; whoever shows it hears of changes through OnChange. Fonts
// of the same face, size, style and character set share one GDI font.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "fw/Api.h"
#include "fw/Graphics.h"
#include "fw/Handle.h"

namespace fw {

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class FW_API TFont {
 public:
  TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);  // takes the description, keeps OnChange

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  uint8_t Style() const { return style_; }
  void SetStyle(uint8_t style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t charset);

  HFONT Handle() const;

  std::function<void()> OnChange;

 private:
  void Changed();

  std::string name_ = "Tahoma";
  int height_ = -11;
  uint8_t style_ = 0;
  TColor color_ = clWindowText;
  uint8_t charset_ = DEFAULT_CHARSET;
  mutable std::shared_ptr<const GdiObject> handle_;
};

}  // namespace fw
