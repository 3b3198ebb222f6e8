#include "ImageFiles.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace restest {

namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

uint32_t u16(const std::vector<uint8_t>& b, size_t at) {
  if (at + 2 > b.size()) fail("read past the end at offset " + std::to_string(at));
  return b[at] | b[at + 1] << 8;
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  if (at + 4 > b.size()) fail("read past the end at offset " + std::to_string(at));
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

size_t rowBytes(int width, int bpp) { return ((static_cast<size_t>(width) * bpp + 31) / 32) * 4; }

struct InfoHeader {
  int width, height, bpp;
  uint32_t imageSize, colorsUsed;
};

// Reads the BITMAPINFOHEADER at `at`; `height` is returned as stored (icons double it).
InfoHeader readInfoHeader(const std::vector<uint8_t>& b, size_t at) {
  if (u32(b, at) != 40) fail("info header size is not 40");
  InfoHeader h{static_cast<int32_t>(u32(b, at + 4)), static_cast<int32_t>(u32(b, at + 8)),
               static_cast<int>(u16(b, at + 14)), u32(b, at + 20), u32(b, at + 32)};
  if (u16(b, at + 12) != 1) fail("planes is not 1");
  if (u32(b, at + 16) != 0) fail("compressed (only BI_RGB is shipped)");
  if (h.width <= 0 || h.width > 4096) fail("bad width " + std::to_string(h.width));
  if (h.height == 0 || h.height > 4096 || h.height < -4096) fail("bad height");
  if (h.bpp != 4 && h.bpp != 24) fail("unexpected bits per pixel " + std::to_string(h.bpp));
  return h;
}

// Decodes `height` rows stored bottom-up at `pixelsAt` with the palette at `paletteAt`.
Picture decode(const std::vector<uint8_t>& b, const InfoHeader& h, int height, size_t paletteAt,
               size_t pixelsAt) {
  Picture p;
  p.width = h.width;
  p.height = height;
  p.bitsPerPixel = h.bpp;
  if (h.bpp == 4) {
    const uint32_t count = h.colorsUsed == 0 ? 16 : h.colorsUsed;
    if (count > 16) fail("more than 16 palette entries");
    for (uint32_t i = 0; i < count; ++i) {
      const size_t e = paletteAt + 4 * i;
      if (e + 4 > b.size()) fail("palette runs past the end");
      p.palette.push_back({b[e + 2], b[e + 1], b[e]});
    }
  }
  const size_t stride = rowBytes(h.width, h.bpp);
  if (pixelsAt + stride * height > b.size()) fail("pixel data runs past the end");
  p.pixels.resize(static_cast<size_t>(h.width) * height);
  for (int y = 0; y < height; ++y) {
    const size_t row = pixelsAt + stride * (height - 1 - y);
    for (int x = 0; x < h.width; ++x) {
      Rgb& out = p.pixels[static_cast<size_t>(y) * h.width + x];
      if (h.bpp == 24) {
        out = {b[row + 3 * x + 2], b[row + 3 * x + 1], b[row + 3 * x]};
      } else {
        const uint8_t pair = b[row + x / 2];
        const size_t index = x % 2 == 0 ? pair >> 4 : pair & 15;
        if (index >= p.palette.size()) fail("pixel index outside the palette");
        out = p.palette[index];
      }
    }
  }
  return p;
}

}  // namespace

std::string toString(const Rgb& c) {
  char text[32];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", c.r, c.g, c.b);
  return text;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture parseBmp(const std::vector<uint8_t>& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') fail("no BM signature");
  if (u32(b, 2) != b.size()) fail("file size field does not match the file");
  const uint32_t pixelsAt = u32(b, 10);
  const InfoHeader h = readInfoHeader(b, 14);
  if (h.height < 0) fail("top-down bitmap (the module's bitmaps are bottom-up)");
  const size_t paletteEntries = h.bpp == 4 ? (h.colorsUsed == 0 ? 16 : h.colorsUsed) : 0;
  if (pixelsAt != 14 + 40 + 4 * paletteEntries) fail("pixel offset does not follow the palette");
  const size_t expected = rowBytes(h.width, h.bpp) * h.height;
  if (h.imageSize != 0 && h.imageSize != expected) fail("image size field is wrong");
  if (pixelsAt + expected != b.size()) fail("file length does not match the pixel data");
  return decode(b, h, h.height, 54, pixelsAt);
}

std::vector<IconImage> parseIco(const std::vector<uint8_t>& b) {
  if (b.size() < 6 || u16(b, 0) != 0 || u16(b, 2) != 1) fail("not an icon directory");
  const uint32_t count = u16(b, 4);
  if (count == 0) fail("icon directory is empty");
  std::vector<IconImage> images;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t e = 6 + 16 * i;
    if (e + 16 > b.size()) fail("directory entry runs past the end");
    IconImage img;
    img.dirWidth = b[e] == 0 ? 256 : b[e];
    img.dirHeight = b[e + 1] == 0 ? 256 : b[e + 1];
    img.dirColorCount = b[e + 2];
    if (b[e + 3] != 0) fail("reserved byte of a directory entry is not 0");
    const uint32_t size = u32(b, e + 8), offset = u32(b, e + 12);
    if (offset < 6 + 16 * count || offset + static_cast<uint64_t>(size) > b.size())
      fail("image " + std::to_string(i) + " lies outside the file");
    const InfoHeader h = readInfoHeader(b, offset);
    if (h.height != 2 * h.width) fail("icon DIB height is not twice its width");
    const int height = h.height / 2;
    const size_t paletteEntries = h.bpp == 4 ? (h.colorsUsed == 0 ? 16 : h.colorsUsed) : 0;
    const size_t xorAt = offset + 40 + 4 * paletteEntries;
    const size_t xorSize = rowBytes(h.width, h.bpp) * height;
    const size_t andStride = rowBytes(h.width, 1);
    if (xorAt + xorSize + andStride * height != offset + static_cast<uint64_t>(size))
      fail("directory size does not match header, palette, colour and mask");
    img.colour = decode(b, h, height, offset + 40, xorAt);
    img.transparent.resize(static_cast<size_t>(h.width) * height);
    for (int y = 0; y < height; ++y) {
      const size_t row = xorAt + xorSize + andStride * (height - 1 - y);
      for (int x = 0; x < h.width; ++x)
        img.transparent[static_cast<size_t>(y) * h.width + x] = (b[row + x / 8] >> (7 - x % 8)) & 1;
    }
    images.push_back(std::move(img));
  }
  return images;
}

const std::vector<Rgb>& standardPalette() {
  static const std::vector<Rgb> palette = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  return palette;
}

}  // namespace restest
