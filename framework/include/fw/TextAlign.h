#pragma once
// Where text sits in a control's rectangle, shared by labels and static texts.
#include <windows.h>

namespace fw {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// The DrawText flag for a horizontal alignment.
inline UINT AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    case TAlignment::taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace fw
