#pragma once
// Helpers of the standard controls' tests: what a window shows on screen and
// text widths measured independently of the controls.
#include <windows.h>

#include <string>

#include "fw/DeviceContext.h"
#include "fw/Unicode.h"
#include "testsupport/Pump.h"
#include "testsupport/ScreenCapture.h"

namespace stdctrls {

using testsupport::Capture;
using testsupport::Pump;

inline int TextWidth(const char* face, int height, bool bold, const std::string& text) {
  const fw::GdiObject font(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                       DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, face));
  const fw::WindowDc screen;
  const fw::SelectedObject selected(screen.get(), font.get());
  SIZE size{};
  const std::wstring wide = fw::Utf16(text);
  GetTextExtentPoint32W(screen.get(), wide.data(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

}  // namespace stdctrls
