#pragma once
// What the framework's controls tell the form they are on: which control has
// the focus (the form gives it back when activated again), the mouse
// messages its hints follow, and the hints and windows that change or go.
// Only the framework's own sources use it; a form's users never need to.
#include <windows.h>

#include "fw/Form.h"

namespace fw {

struct FormPlumbing {
  static void ControlFocused(TControl& control);
  static void RelayHint(TWinControl& window, TControl* target, const TMessage& message);
  static void HideHint(TControl& control);
  static void HintChanged(TControl& control);
  static void ForgetHint(TWinControl& parent, TControl* control);
  static void ForgetHintWindow(TWinControl& window, HWND handle);
};

// Each does nothing for a control that is on no form.
inline void FormPlumbing::ControlFocused(TControl& control) {
  TForm* form = GetParentForm(&control);
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (form && windowed && form != &control) form->ControlFocused(windowed);
}
inline void FormPlumbing::RelayHint(TWinControl& window, TControl* target,
                                    const TMessage& message) {
  if (TForm* form = GetParentForm(&window)) form->RelayHint(window, target, message);
}
inline void FormPlumbing::HideHint(TControl& control) {
  if (TForm* form = GetParentForm(&control)) form->HideHint();
}
inline void FormPlumbing::HintChanged(TControl& control) {
  if (TForm* form = GetParentForm(&control)) form->HintChanged(&control);
}
inline void FormPlumbing::ForgetHint(TWinControl& parent, TControl* control) {
  if (TForm* form = GetParentForm(&parent)) form->ForgetHint(control);
}
inline void FormPlumbing::ForgetHintWindow(TWinControl& window, HWND handle) {
  if (TForm* form = GetParentForm(&window)) form->ForgetHintWindow(handle);
}

}  // namespace fw
