#include "WindowRegistry.h"

#include <map>
#include <unordered_map>

#include "fw/Bitmap.h"
#include "fw/Exceptions.h"
#include "fw/Graphics.h"
#include "fw/Unicode.h"

namespace fw {
namespace {

std::map<std::string, WindowClass>& Classes() {
  static std::map<std::string, WindowClass> classes;
  return classes;
}

// Child ids, so that owner-draw notifications find their control even
// while the control is still inside CreateWindowEx.
std::unordered_map<UINT, TWinControl*>& ControlIds() {
  static std::unordered_map<UINT, TWinControl*> ids;
  return ids;
}

// Window to control, kept in the process: a window property would cost a
// round trip to the window server under Wine (0.1 to 0.3 ms) on every
// message, and the user-data slot of a window that is not ours may hold
// anything.
std::unordered_map<HWND, TWinControl*>& Attached() {
  static std::unordered_map<HWND, TWinControl*> attached;
  return attached;
}

}  // namespace

const WindowClass& EnsureClass(const TCreateParams& params) {
  auto it = Classes().find(params.WinClassName);
  if (it != Classes().end()) return it->second;
  // Unicode classes, so that every text a window holds or sends is UTF-16.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WindowClass info{DefWindowProcW, true};
  const std::wstring baseClass = Utf16(params.BaseClass);
  const std::wstring className = Utf16(params.WinClassName);
  if (!params.BaseClass.empty()) {
    if (!GetClassInfoExW(nullptr, baseClass.c_str(), &wc))
      throw Exception("Window class " + params.BaseClass + " is not available");
    info = {wc.lpfnWndProc, false};
    wc.cbSize = sizeof wc;
  } else {
    wc.style = params.ClassStyle;
    wc.hCursor = CursorHandle(crArrow);
  }
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = ThisModule();
  wc.lpszClassName = className.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception("Cannot register window class " + params.WinClassName);
  return Classes().emplace(params.WinClassName, info).first->second;
}

const WindowClass& RegisteredClass(const std::string& name) { return Classes().at(name); }

UINT NextControlId(TWinControl* control) {
  // Ids 1 to 99 are left to the dialog's standard buttons (IDOK, IDCANCEL,
  // ...), which a parent may answer itself; from 0xF000 on the numbers are
  // the system menu's commands (SC_CLOSE, ...).
  constexpr UINT kFirst = 100, kEnd = 0xF000;
  static UINT next = kFirst;
  for (;;) {
    next = next + 1 >= kEnd ? kFirst : next + 1;
    if (!ControlIds().count(next)) {
      ControlIds()[next] = control;
      return next;
    }
  }
}

void ReleaseControlId(UINT id) { ControlIds().erase(id); }

TWinControl* ControlById(UINT id) {
  auto it = ControlIds().find(id);
  return id && it != ControlIds().end() ? it->second : nullptr;
}

void Attach(HWND window, TWinControl* control) { Attached()[window] = control; }

void Detach(HWND window) { Attached().erase(window); }

TWinControl* Find(HWND window) {
  auto it = Attached().find(window);
  return it == Attached().end() ? nullptr : it->second;
}

}  // namespace fw
