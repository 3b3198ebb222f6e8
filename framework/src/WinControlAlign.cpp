// Aligned and anchored children.
#include "fw/WinControl.h"

namespace fw {

void TWinControl::AlignControls() {
  if (inAlign_ || Loading()) return;
  inAlign_ = true;
  RECT r = ClientRect();
  int width = r.right - r.left, height = r.bottom - r.top;
  RECT rest = r;
  auto place = [&](TAlign align) {
    for (TControl* c : controls_) {
      if (c->align_ != align || !c->visible_) continue;
      c->anchorMoving_ = true;
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, c->height_);
          rest.top += c->height_;
          break;
        case TAlign::alBottom:
          c->SetBounds(rest.left, rest.bottom - c->height_, rest.right - rest.left, c->height_);
          rest.bottom -= c->height_;
          break;
        case TAlign::alLeft:
          c->SetBounds(rest.left, rest.top, c->width_, rest.bottom - rest.top);
          rest.left += c->width_;
          break;
        case TAlign::alRight:
          c->SetBounds(rest.right - c->width_, rest.top, c->width_, rest.bottom - rest.top);
          rest.right -= c->width_;
          break;
        case TAlign::alClient:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
          break;
        default:
          break;
      }
      c->anchorMoving_ = false;
    }
  };
  place(TAlign::alTop);
  place(TAlign::alBottom);
  place(TAlign::alLeft);
  place(TAlign::alRight);
  place(TAlign::alClient);
  for (TControl* c : std::vector<TControl*>(controls_)) c->AnchorTo(width, height);
  inAlign_ = false;
}

}  // namespace fw
