// Checks the committed bitmaps and icons that the module links in: the controls load
// them by name and take each glyph's transparent colour from its bottom-left pixel, so a
// wrong size, colour depth or corner pixel shows up as a broken picture at run time.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ImageFiles.h"

namespace {

using restest::Picture;
using restest::Rgb;

const Rgb kBlue{0, 0, 255};
const Rgb kMagenta{255, 0, 255};

std::string resourcePath(const std::string& file) {
  return std::string(OMBRIK_RESOURCES_DIR) + "/" + file;
}

Picture loadBmp(const std::string& file) {
  return restest::parseBmp(restest::readFile(resourcePath(file)));
}

Picture crop(const Picture& p, int left, int top, int width, int height) {
  Picture out;
  out.width = width;
  out.height = height;
  out.bitsPerPixel = p.bitsPerPixel;
  out.palette = p.palette;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.pixels.push_back(p.at(left + x, top + y));
  return out;
}

int countDrawn(const Picture& p, const Rgb& background) {
  int n = 0;
  for (const Rgb& c : p.pixels) n += !(c == background);
  return n;
}

size_t distinctColours(const Picture& p) {
  std::set<uint32_t> seen;
  for (const Rgb& c : p.pixels) seen.insert(c.r << 16 | c.g << 8 | c.b);
  return seen.size();
}

// Pixels of the background colour that cannot be reached from the edge through other
// background pixels: holes that a transparent blit would punch into the picture.
int enclosedBackground(const Picture& p, const Rgb& background) {
  std::vector<bool> reached(p.pixels.size());
  std::vector<std::pair<int, int>> todo;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
    const size_t i = static_cast<size_t>(y) * p.width + x;
    if (reached[i] || !(p.pixels[i] == background)) return;
    reached[i] = true;
    todo.emplace_back(x, y);
  };
  for (int x = 0; x < p.width; ++x) visit(x, 0), visit(x, p.height - 1);
  for (int y = 0; y < p.height; ++y) visit(0, y), visit(p.width - 1, y);
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  int holes = 0;
  for (size_t i = 0; i < p.pixels.size(); ++i) holes += p.pixels[i] == background && !reached[i];
  return holes;
}

double meanBrightness(const Picture& p, const Rgb& background) {
  double sum = 0;
  int n = 0;
  for (const Rgb& c : p.pixels) {
    if (c == background) continue;
    sum += 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    ++n;
  }
  return n ? sum / n : 0;
}

double meanSaturation(const Picture& p, const Rgb& background) {
  double sum = 0;
  int n = 0;
  for (const Rgb& c : p.pixels) {
    if (c == background) continue;
    sum += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
    ++n;
  }
  return n ? sum / n : 0;
}

// Common checks for one picture on a keyed background.
void expectKeyedPicture(const Picture& p, const Rgb& key, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(p.bottomLeft(), key) << "bottom-left pixel " << restest::toString(p.bottomLeft());
  const int drawn = countDrawn(p, key);
  EXPECT_GE(drawn, p.width * p.height / 5) << "too little is drawn";
  EXPECT_LT(drawn, p.width * p.height) << "no background left";
  EXPECT_GE(distinctColours(p), 4u) << "flat picture";
  EXPECT_EQ(enclosedBackground(p, key), 0) << "transparent colour used inside the picture";
}

struct GlyphCase {
  const char* file;
  int width, height;
};

TEST(GlyphBitmaps, SixteenColourPicturesOnPureBlue) {
  const GlyphCase cases[] = {
      {"OPENFOLDER.bmp", 16, 15}, {"CLOSEDFOLDER.bmp", 16, 15}, {"CURRENTFOLDER.bmp", 16, 15},
      {"EXECUTABLE.bmp", 16, 15}, {"UNKNOWNFILE.bmp", 16, 15},  {"KNOWNFILE.bmp", 16, 15},
      {"FLOPPY.bmp", 16, 11},     {"HARD.bmp", 16, 11},         {"NETWORK.bmp", 16, 11},
      {"CDROM.bmp", 16, 11},      {"RAM.bmp", 16, 11},
  };
  std::set<std::vector<uint32_t>> seen;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Picture p;
    ASSERT_NO_THROW(p = loadBmp(c.file));
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    EXPECT_EQ(p.bitsPerPixel, 4);
    EXPECT_EQ(p.palette, restest::standardPalette());
    expectKeyedPicture(p, kBlue, c.file);
    std::vector<uint32_t> key;
    for (const Rgb& px : p.pixels) key.push_back(px.r << 16 | px.g << 8 | px.b);
    EXPECT_TRUE(seen.insert(key).second) << "same picture as another glyph";
  }
}

TEST(ButtonStrip, TwelveImagesOnMagentaWithBrighterHotImages) {
  Picture strip;
  ASSERT_NO_THROW(strip = loadBmp("TIPPBUTTONS.bmp"));
  ASSERT_EQ(strip.width, 12 * 32);
  ASSERT_EQ(strip.height, 32);
  EXPECT_EQ(strip.bitsPerPixel, 24);
  // The image list takes its mask colour from the whole strip's bottom-left pixel.
  EXPECT_EQ(strip.bottomLeft(), kMagenta);

  std::vector<Picture> images;
  for (int i = 0; i < 12; ++i) images.push_back(crop(strip, 32 * i, 0, 32, 32));
  for (int i = 0; i < 12; ++i)
    expectKeyedPicture(images[i], kMagenta, "image " + std::to_string(i));

  const char* names[] = {"OK", "Undo", "Info", "Registry"};
  for (int b = 0; b < 4; ++b) {
    SCOPED_TRACE(names[b]);
    const Picture& normal = images[2 * b];
    const Picture& hot = images[2 * b + 1];
    EXPECT_FALSE(normal.pixels == hot.pixels) << "hot image is the normal one";
    EXPECT_GT(meanBrightness(hot, kMagenta), meanBrightness(normal, kMagenta) + 5);
    // The glow ring reaches further out than the picture itself.
    EXPECT_GT(countDrawn(hot, kMagenta), countDrawn(normal, kMagenta));
  }
}

TEST(PlayGlyph, NormalAndGreyDisabledImageSideBySide) {
  Picture p;
  ASSERT_NO_THROW(p = loadBmp("PLAY.bmp"));
  ASSERT_EQ(p.width, 32);
  ASSERT_EQ(p.height, 16);
  EXPECT_EQ(p.bitsPerPixel, 4);
  EXPECT_EQ(p.palette, restest::standardPalette());
  // The speed button keys both halves with the bitmap's bottom-left pixel.
  EXPECT_EQ(p.bottomLeft(), kMagenta);
  const Picture normal = crop(p, 0, 0, 16, 16), disabled = crop(p, 16, 0, 16, 16);
  expectKeyedPicture(normal, kMagenta, "normal");
  expectKeyedPicture(disabled, kMagenta, "disabled");
  EXPECT_GT(meanSaturation(normal, kMagenta), 60.0) << "normal image should be coloured";
  EXPECT_EQ(meanSaturation(disabled, kMagenta), 0.0) << "disabled image should be grey";
}

TEST(Icons, OneSixteenColourImageOf32WithMask) {
  for (const char* file : {"TIPP.ico", "OMBRIK63.ico"}) {
    SCOPED_TRACE(file);
    std::vector<restest::IconImage> images;
    ASSERT_NO_THROW(images = restest::parseIco(restest::readFile(resourcePath(file))));
    ASSERT_EQ(images.size(), 1u);
    const auto& img = images[0];
    EXPECT_EQ(img.dirWidth, 32);
    EXPECT_EQ(img.dirHeight, 32);
    EXPECT_EQ(img.dirColorCount, 16);
    EXPECT_EQ(img.colour.width, 32);
    EXPECT_EQ(img.colour.height, 32);
    EXPECT_EQ(img.colour.bitsPerPixel, 4);
    EXPECT_EQ(img.colour.palette, restest::standardPalette());

    int clear = 0;
    std::set<uint32_t> opaqueColours;
    for (size_t i = 0; i < img.transparent.size(); ++i) {
      const Rgb& c = img.colour.pixels[i];
      if (img.transparent[i]) {
        ++clear;
        // A non-black pixel under a set mask bit would invert the screen behind it.
        EXPECT_EQ(c, (Rgb{0, 0, 0})) << "transparent pixel " << i << " is not black";
      } else {
        opaqueColours.insert(c.r << 16 | c.g << 8 | c.b);
      }
    }
    EXPECT_GT(clear, 32 * 32 / 10) << "no visible outline";
    EXPECT_LT(clear, 32 * 32 * 3 / 4) << "too little is drawn";
    EXPECT_GE(opaqueColours.size(), 4u);
  }
}

TEST(IconReader, RefusesBrokenFiles) {
  const auto good = restest::readFile(resourcePath("TIPP.ico"));
  auto truncated = good;
  truncated.resize(good.size() - 1);
  auto wrongType = good;
  wrongType[2] = 2;  // a cursor file
  auto offsetOutside = good;
  offsetOutside[18] = 0xFF;
  for (const auto* bytes : {&truncated, &wrongType, &offsetOutside})
    EXPECT_THROW(restest::parseIco(*bytes), std::runtime_error);
  EXPECT_NO_THROW(restest::parseIco(good));
}

// Resource script: every name the module loads is declared once, with the right type,
// and names a file that exists and parses.
TEST(ResourceScript, DeclaresEveryPictureTheModuleLoads) {
  std::ifstream in(resourcePath("glyphs.rc"));
  ASSERT_TRUE(in) << "glyphs.rc missing";
  std::map<std::string, std::pair<std::string, std::string>> declared;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    std::istringstream words(line);
    std::string name, type, file;
    words >> name >> type >> file;
    ASSERT_TRUE(file.size() > 2 && file.front() == '"' && file.back() == '"') << line;
    EXPECT_TRUE(
        declared.emplace(name, std::make_pair(type, file.substr(1, file.size() - 2))).second)
        << name << " declared twice";
  }
  const std::pair<const char*, const char*> expected[] = {
      {"OPENFOLDER", "BITMAP"}, {"CLOSEDFOLDER", "BITMAP"}, {"CURRENTFOLDER", "BITMAP"},
      {"EXECUTABLE", "BITMAP"}, {"UNKNOWNFILE", "BITMAP"},  {"KNOWNFILE", "BITMAP"},
      {"FLOPPY", "BITMAP"},     {"HARD", "BITMAP"},         {"NETWORK", "BITMAP"},
      {"CDROM", "BITMAP"},      {"RAM", "BITMAP"},          {"TIPPBUTTONS", "BITMAP"},
      {"PLAY", "BITMAP"},       {"TIPPICON", "ICON"},       {"OMBRIK63ICON", "ICON"},
  };
  EXPECT_EQ(declared.size(), std::size(expected));
  for (const auto& [name, type] : expected) {
    SCOPED_TRACE(name);
    auto it = declared.find(name);
    ASSERT_TRUE(it != declared.end()) << "not declared";
    EXPECT_EQ(it->second.first, type);
    const auto bytes = restest::readFile(resourcePath(it->second.second));
    if (std::string(type) == "ICON")
      EXPECT_NO_THROW(restest::parseIco(bytes));
    else
      EXPECT_NO_THROW(restest::parseBmp(bytes));
  }
}

}  // namespace
