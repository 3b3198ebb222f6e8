#pragma once
// The two calls between a control and the control with a window it sits on
// that neither class offers in public: linking a child into its parent's
// lists, and placing an aligned child without the move counting against its
// anchors.
#include "fw/Control.h"
#include "fw/WinControl.h"

namespace fw {

struct ControlLinks {
  // The child's parent is set before it joins the lists (its window is made
  // there) and cleared after it left them (its window goes there).
  static void Link(TControl& child, TWinControl& parent) {
    child.parent_ = &parent;
    parent.InsertControl(&child);
  }
  static void Unlink(TControl& child) {
    if (!child.parent_) return;
    child.parent_->RemoveControl(&child);
    child.parent_ = nullptr;
  }
  static void PlaceAligned(TControl& child, int left, int top, int width, int height) {
    child.anchorMoving_ = true;
    child.SetBounds(left, top, width, height);
    child.anchorMoving_ = false;
  }
};

}  // namespace fw
