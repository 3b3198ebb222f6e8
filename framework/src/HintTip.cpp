#include "HintTip.h"

#include <windowsx.h>

#include "fw/Control.h"
#include "fw/Unicode.h"
#include "fw/WinControl.h"

namespace fw {

HintTip::HintTip(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  // Always: hints show over a window that is not the active one too.
  tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr));
  // Long hints break into lines instead of running off the screen.
  if (tip_) SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, 300);
}

TOOLINFOW HintTip::Info(TControl* control, const Tool& tool) const {
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_TRANSPARENT;
  info.hwnd = tool.window;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.rect = tool.rect;
  info.lpszText = const_cast<wchar_t*>(tool.text.c_str());
  return info;
}

void HintTip::Relay(TWinControl& window, TControl* target, const TMessage& m) {
  if (!tip_) return;
  HWND handle = window.Handle();
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  // The tooltip finds its tool by the point: the tools of controls that
  // have since moved away from it must not answer for the one there now.
  for (auto it = tools_.begin(); it != tools_.end();) {
    auto next = std::next(it);
    if (it->first != target && it->second.window == handle && PtInRect(&it->second.rect, p))
      Remove(it->first);
    it = next;
  }
  if (target) {
    if (target->ShowHint() && !target->Hint().empty()) {
      RECT r = target == &window ? window.ClientRect() : target->BoundsRect();
      Update(target, {handle, r, Utf16(target->Hint())});
    } else {
      Remove(target);
    }
  }
  MSG msg{handle, m.Msg, m.WParam, m.LParam, static_cast<DWORD>(GetMessageTime()), p};
  SendMessageW(tip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void HintTip::Update(TControl* control, const Tool& tool) {
  auto it = tools_.find(control);
  if (it != tools_.end() && it->second.window != tool.window) {
    Remove(control);
    it = tools_.end();
  }
  if (it == tools_.end()) {
    it = tools_.emplace(control, tool).first;
    TOOLINFOW info = Info(control, it->second);
    SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    return;
  }
  Tool& kept = it->second;
  if (!EqualRect(&kept.rect, &tool.rect)) {
    kept.rect = tool.rect;
    TOOLINFOW info = Info(control, kept);
    SendMessageW(tip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (kept.text != tool.text) {
    kept.text = tool.text;
    TOOLINFOW info = Info(control, kept);
    SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void HintTip::Remove(TControl* control) {
  auto it = tools_.find(control);
  if (it == tools_.end()) return;
  TOOLINFOW info = Info(control, it->second);
  SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  tools_.erase(it);
}

void HintTip::Hide() {
  if (tip_) SendMessageW(tip_.get(), TTM_POP, 0, 0);
}

void HintTip::HintChanged(TControl* control) {
  auto it = tools_.find(control);
  if (it == tools_.end()) return;
  if (control->Hint().empty()) {
    Remove(control);
    return;
  }
  Tool tool = it->second;
  tool.text = Utf16(control->Hint());
  Update(control, tool);
}

void HintTip::Forget(TControl* control) { Remove(control); }

void HintTip::ForgetWindow(HWND window) {
  for (auto it = tools_.begin(); it != tools_.end();) {
    auto next = std::next(it);
    if (it->second.window == window) Remove(it->first);
    it = next;
  }
}

}  // namespace fw
