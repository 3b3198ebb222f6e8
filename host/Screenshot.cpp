#include "Screenshot.h"

#include <cstdint>
#include <vector>

#include "fw/DeviceContext.h"
#include "fw/Exceptions.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"

namespace host {
namespace {

template <typename T>
void Put(std::vector<uint8_t>& out, T value) {
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

ShotSize SaveWindowBitmap(HWND window, const std::string& file) {
  RECT r;
  if (!GetWindowRect(window, &r)) throw fw::Exception("No window to take a picture of");
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) throw fw::Exception("The window has no area");
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);

  fw::WindowDc source(window, fw::WindowDc::Area::kWithFrame);
  fw::MemoryDc memory = fw::MakeMemoryDc(source.get());
  if (!source.get() || !memory) throw fw::Exception("No device context for the picture");

  // Bottom-up 24-bit rows, each padded to four bytes: the BMP file's own layout.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  fw::GdiObject bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) throw fw::Exception("Cannot make a bitmap for the picture");
  BOOL copied;
  {
    fw::SelectedObject selected(memory.get(), bitmap.get());
    copied = BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  if (!copied) throw fw::Exception("Cannot copy the window's picture");

  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put<uint32_t>(out, 54 + imageSize);
  Put<uint32_t>(out, 0);
  Put<uint32_t>(out, 54);
  Put<uint32_t>(out, 40);
  Put<int32_t>(out, width);
  Put<int32_t>(out, height);
  Put<uint16_t>(out, 1);
  Put<uint16_t>(out, 24);
  Put<uint32_t>(out, BI_RGB);
  Put<uint32_t>(out, imageSize);
  Put<int32_t>(out, 2835);  // 72 dpi
  Put<int32_t>(out, 2835);
  Put<uint32_t>(out, 0);
  Put<uint32_t>(out, 0);
  const uint8_t* pixels = static_cast<const uint8_t*>(bits);
  out.insert(out.end(), pixels, pixels + imageSize);

  fw::KernelHandle handle(CreateFileW(fw::SystemPath(file).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) throw fw::EFOpenError("Cannot create " + file);
  DWORD written = 0;
  if (!WriteFile(handle.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr) ||
      written != out.size())
    throw fw::EWriteError("Cannot write " + file);
  return {width, height};
}

}  // namespace host
