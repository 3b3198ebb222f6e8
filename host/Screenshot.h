#pragma once
// A picture of a window, frame included, as a 24-bit BMP file.
#include <windows.h>

#include <string>

namespace host {

struct ShotSize {
  int width;
  int height;
};

// Repaints the window and copies what it shows; raises fw::EFOpenError or
// fw::EWriteError when the file cannot be written and fw::Exception when the copy fails.
ShotSize SaveWindowBitmap(HWND window, const std::string& file);

}  // namespace host
