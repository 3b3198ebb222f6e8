#include "fw/Graphics.h"

namespace fw {

COLORREF ColorToRGB(TColor color) {
  if (color & kSystemColor) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR id = nullptr;
  switch (cursor) {
    case crArrow:
      id = IDC_ARROW;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crHourGlass:
      id = IDC_WAIT;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    default:
      return nullptr;
  }
  return LoadCursorA(nullptr, id);
}

}  // namespace fw
