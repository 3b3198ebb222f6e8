#pragma once
// Colours and cursors as the framework numbers them.
#include <windows.h>

#include <cstdint>

#include "fw/Api.h"

namespace fw {

// An RGB value (0x00BBGGRR), or a system colour: the high bit set and the
// GetSysColor index in the low byte.
using TColor = int32_t;
constexpr TColor kSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWindow = kSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = kSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = kSystemColor | COLOR_BTNFACE;
constexpr TColor clHighlight = kSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = kSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clGrayText = kSystemColor | COLOR_GRAYTEXT;

FW_API COLORREF ColorToRGB(TColor color);

using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

// The system cursor for a framework cursor number (null for crDefault).
FW_API HCURSOR CursorHandle(TCursor cursor);

}  // namespace fw
