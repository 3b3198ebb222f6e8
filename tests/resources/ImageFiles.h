// A strict reader for the module's bitmap and icon files, independent of Win32, so the
// generated pictures can be checked on any machine. It accepts what the module ships
// (uncompressed 4- and 24-bit DIBs, one-image 4-bit icons) and throws
// std::runtime_error, naming the fault, for anything malformed or outside that.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace restest {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::string toString(const Rgb& c);

// Lets GoogleTest print colours in failure messages.
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << toString(c); }

// A decoded picture, rows top-down whatever the file's row order.
struct Picture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<Rgb> palette;  // empty for 24-bit pictures
  std::vector<Rgb> pixels;   // width * height

  const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  Rgb bottomLeft() const { return at(0, height - 1); }
};

struct IconImage {
  int dirWidth = 0, dirHeight = 0, dirColorCount = 0;
  Picture colour;                 // the XOR part
  std::vector<bool> transparent;  // the AND mask, width * height, top-down
};

std::vector<uint8_t> readFile(const std::string& path);

// A .bmp file: BITMAPFILEHEADER + BITMAPINFOHEADER + palette + pixels.
Picture parseBmp(const std::vector<uint8_t>& bytes);

// An .ico file: the directory and every image it lists.
std::vector<IconImage> parseIco(const std::vector<uint8_t>& bytes);

// The standard 16-colour palette in Windows' index order.
const std::vector<Rgb>& standardPalette();

}  // namespace restest
