#include "BrowsingSupport.h"

#include <cstdlib>
#include <stdexcept>

#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace browsing {
namespace {

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((dir + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = dir + "\\" + name;
      ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        ::DeleteFileA(full.c_str());
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace

ScratchShare::ScratchShare() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (!prefix || prefix[0] != '/') return;
  // Wine shows the Unix root as drive Z.
  std::string dosdevices = std::string("Z:") + prefix + "/dosdevices";
  for (char& c : dosdevices)
    if (c == '/') c = '\\';
  if (!fw::DirectoryExists(dosdevices)) return;
  uncDir_ = dosdevices + "\\unc";
  if (!fw::DirectoryExists(uncDir_)) {
    if (!::CreateDirectoryA(uncDir_.c_str(), nullptr)) return;
    madeUncDir_ = true;
  }
  static int counter = 0;
  const std::string server =
      "browse" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
  const std::string dir = uncDir_ + "\\" + server;
  if (!::CreateDirectoryA(dir.c_str(), nullptr) ||
      !::CreateDirectoryA((dir + "\\music").c_str(), nullptr))
    return;
  serverDir_ = dir;
  root_ = "\\\\" + fw::AnsiUpperCase(server) + "\\MUSIC";
}

ScratchShare::~ScratchShare() {
  if (serverDir_.empty()) return;
  // A directory in use as the current one cannot be removed: step out (a
  // CurrentDirGuard made before this object puts the old one back).
  const std::string current = fw::GetCurrentDir();
  if (fw::AnsiCompareFileName(current.substr(0, root_.size()), root_) == 0)
    ::SetCurrentDirectoryA((uncDir_ + "\\..").c_str());
  RemoveTree(serverDir_);
  if (madeUncDir_) ::RemoveDirectoryA(uncDir_.c_str());
}

std::string ScratchShare::MakeDir(std::string_view relative) const {
  const std::string full = root_ + "\\" + std::string(relative);
  for (size_t pos = root_.size() + 1;; ++pos) {
    pos = full.find('\\', pos);
    ::CreateDirectoryA(full.substr(0, pos).c_str(), nullptr);
    if (pos == std::string::npos) break;
  }
  if (!fw::DirectoryExists(full)) throw std::runtime_error("cannot make " + full);
  return full;
}

namespace {
// A 32-bit top-down DIB section of that size; its pixels through bits.
HBITMAP MakeDib(HDC dc, int width, int height, const DWORD** bits) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<const DWORD*>(pixels);
  return bitmap;
}
}  // namespace

Picture::Picture(int width, int height)
    : width_(width),
      height_(height),
      dc_(fw::MakeMemoryDc()),
      bitmap_(MakeDib(dc_.get(), width, height, &bits_)),
      selected_(dc_.get(), bitmap_.get()) {
  if (!dc_ || !bitmap_) throw std::runtime_error("no picture");
  RECT all = Rect();
  ::FillRect(Dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

std::vector<int> Picture::DifferingColumns(const Picture& other) const {
  ::GdiFlush();
  std::vector<int> columns;
  for (int x = 0; x < width_ && x < other.width_; ++x) {
    for (int y = 0; y < height_ && y < other.height_; ++y) {
      if ((bits_[y * width_ + x] & 0xFFFFFF) != (other.bits_[y * other.width_ + x] & 0xFFFFFF)) {
        columns.push_back(x);
        break;
      }
    }
  }
  return columns;
}

bool Picture::Blank() const {
  ::GdiFlush();
  for (int i = 0; i < width_ * height_; ++i)
    if ((bits_[i] & 0xFFFFFF) != 0xFFFFFF) return false;
  return true;
}

void Picture::DrawGlyph(const fw::TBitmap& glyph, int glyphX) {
  const int top = (height_ - glyph.Height()) / 2;
  // A bitmap can be in one device context only: draw from its own.
  HDC source = const_cast<fw::TBitmap&>(glyph).Canvas().Handle();
  ::TransparentBlt(Dc(), glyphX, top, glyph.Width(), glyph.Height(), source, 0, 0, glyph.Width(),
                   glyph.Height(), glyph.Pixel(0, glyph.Height() - 1));
}

void Picture::DrawText(const fw::TFont& font, const std::string& text, int textX) {
  // As every list and combo box item: one line, centred vertically.
  DrawTextFormatted(font, text, textX, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Picture::DrawTextFormatted(const fw::TFont& font, const std::string& text, int textX,
                                UINT format) {
  const fw::SelectedObject selected(Dc(), font.Handle());
  ::SetBkMode(Dc(), TRANSPARENT);
  ::SetTextColor(Dc(), RGB(0, 0, 0));
  RECT r = Rect();
  r.left = textX;
  const std::wstring wide = fw::Utf16(text);
  ::DrawTextW(Dc(), wide.c_str(), static_cast<int>(wide.size()), &r, format);
}

}  // namespace browsing
