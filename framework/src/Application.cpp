#include "fw/Application.h"

#include <exception>

#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Services.h"

namespace fw {

TApplication& Application() {
  static TApplication application;
  return application;
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TApplication::HandleException() {
  std::string text;
  try {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "Unknown exception";
  }
  try {
    Dialogs().ShowException(text);
  } catch (...) {
    // Reporting must not fail the message dispatch.
  }
}

bool TApplication::PreTranslate(MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    // Shortcuts belong to the form that holds the focused window.
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(top))) {
      try {
        if (form->IsShortCut(static_cast<WORD>(msg.wParam))) return true;
      } catch (...) {
        HandleException();
        return true;
      }
    }
  }
  return false;
}

bool TApplication::HandleMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (HandleMessage(msg)) {
  }
}

void TApplication::Run() {
  terminated_ = false;
  while (!terminated_) {
    MSG msg;
    if (!HandleMessage(msg)) WaitMessage();
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

}  // namespace fw
