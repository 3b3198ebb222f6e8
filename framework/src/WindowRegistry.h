#pragma once
// The process's bookkeeping of framework windows: the window classes made
// for the framework's classes, the child ids that lead owner-draw
// notifications to their control, and which control a window belongs to.
#include <windows.h>

#include <string>

#include "fw/WinControl.h"

namespace fw {

LRESULT CALLBACK FrameworkWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

struct WindowClass {
  // What the class does itself: the standard control's procedure for a
  // superclass, DefWindowProcW for a class of our own.
  WNDPROC baseProc;
  bool own;
};
// Registers the window class the parameters name on first use.
const WindowClass& EnsureClass(const TCreateParams& params);
const WindowClass& RegisteredClass(const std::string& name);

// A child id of its own for a control's window; given back when it goes.
UINT NextControlId(TWinControl* control);
void ReleaseControlId(UINT id);
// The control a child id was given to, or none.
TWinControl* ControlById(UINT id);

void Attach(HWND window, TWinControl* control);
void Detach(HWND window);
// The control a window belongs to, or none.
TWinControl* Find(HWND window);

}  // namespace fw
