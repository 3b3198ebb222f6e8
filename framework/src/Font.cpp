#include "fw/Font.h"

#include <map>
#include <tuple>

#include "fw/Unicode.h"

namespace fw {
namespace {

// The GDI fonts in use, by face, height, style and character set. A form's
// controls mostly show one font, and a plain program makes it once: under
// Wine making one costs a search among the installed faces. A font goes when
// the last description that uses it changes or goes.
using FontKey = std::tuple<std::string, int, uint8_t, uint8_t>;
std::map<FontKey, std::weak_ptr<const GdiObject>>& FontsInUse() {
  static std::map<FontKey, std::weak_ptr<const GdiObject>> fonts;
  return fonts;
}

}  // namespace

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      style_(other.style_),
      color_(other.color_),
      charset_(other.charset_),
      handle_(other.handle_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other) return *this;
  // The same face, size and style keep the GDI font made for them: an
  // owner-drawn list takes its font anew for every item it draws.
  if (other.handle_ || name_ != other.name_ || height_ != other.height_ || style_ != other.style_ ||
      charset_ != other.charset_)
    handle_ = other.handle_;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  charset_ = other.charset_;
  if (OnChange) OnChange();
  return *this;
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}
void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}
void TFont::SetStyle(uint8_t style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}
void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // The colour is drawn with, not part of the GDI font.
  if (OnChange) OnChange();
}
void TFont::SetCharset(uint8_t charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    const FontKey key(name_, height_, style_, charset_);
    auto& fonts = FontsInUse();
    if (const auto found = fonts.find(key); found != fonts.end()) handle_ = found->second.lock();
    if (!handle_) {
      std::erase_if(fonts, [](const auto& font) { return font.second.expired(); });
      LOGFONTW lf{};
      lf.lfHeight = height_;
      lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
      lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
      lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
      lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
      lf.lfCharSet = charset_;
      lf.lfQuality = DEFAULT_QUALITY;
      lstrcpynW(lf.lfFaceName, Utf16(name_).c_str(), LF_FACESIZE);
      handle_ = std::make_shared<const GdiObject>(CreateFontIndirectW(&lf));
      fonts[key] = handle_;
    }
  }
  return static_cast<HFONT>(handle_->get());
}

}  // namespace fw
