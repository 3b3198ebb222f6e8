// Aligned and anchored children.
#include "ControlLinks.h"
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
      if (c->Align() != align || !c->Visible()) continue;
      switch (align) {
        case TAlign::alTop:
          ControlLinks::PlaceAligned(*c, rest.left, rest.top, rest.right - rest.left, c->Height());
          rest.top += c->Height();
          break;
        case TAlign::alBottom:
          ControlLinks::PlaceAligned(*c, rest.left, rest.bottom - c->Height(),
                                     rest.right - rest.left, c->Height());
          rest.bottom -= c->Height();
          break;
        case TAlign::alLeft:
          ControlLinks::PlaceAligned(*c, rest.left, rest.top, c->Width(), rest.bottom - rest.top);
          rest.left += c->Width();
          break;
        case TAlign::alRight:
          ControlLinks::PlaceAligned(*c, rest.right - c->Width(), rest.top, c->Width(),
                                     rest.bottom - rest.top);
          rest.right -= c->Width();
          break;
        case TAlign::alClient:
          ControlLinks::PlaceAligned(*c, rest.left, rest.top, rest.right - rest.left,
                                     rest.bottom - rest.top);
          break;
        default:
          break;
      }
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
