#pragma once
// The hints of one form, shown by the common controls' tooltip, which keeps
// the timing: it shows a hint when the pointer has rested for a moment, and
// hides it on a click, after a few seconds or when the pointer moves on. The
// form's windows hand it their mouse messages. A tool is made for a control
// when the pointer first reaches it and brought up to date each time, so a
// change of a control's bounds or visibility needs no bookkeeping anywhere
// else; a hint text that changes while on show, and controls and windows
// that go, reach it through the form (FormPlumbing.h).
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <map>
#include <string>

#include "fw/Handle.h"

namespace fw {

class TControl;
class TWinControl;
struct TMessage;

class HintTip {
 public:
  explicit HintTip(HWND owner);
  HintTip(const HintTip&) = delete;
  HintTip& operator=(const HintTip&) = delete;

  // A mouse message of `window`'s own window; `target` is the control under
  // the pointer there (a graphic child, or `window` itself).
  void Relay(TWinControl& window, TControl* target, const TMessage& message);
  void Hide();
  // A control's hint text changed: a hint on show changes with it.
  void HintChanged(TControl* control);
  // The control or window goes: its tool goes with it.
  void Forget(TControl* control);
  void ForgetWindow(HWND window);
  HWND Handle() const { return tip_.get(); }

 private:
  struct Tool {
    HWND window;
    RECT rect;
    // UTF-16: the tooltip keeps a pointer to the text while the tool is its own.
    std::wstring text;
  };
  void Remove(TControl* control);
  void Update(TControl* control, const Tool& tool);
  TOOLINFOW Info(TControl* control, const Tool& tool) const;

  WindowHandle tip_;
  std::map<TControl*, Tool> tools_;
};

}  // namespace fw
