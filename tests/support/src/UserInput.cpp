#include "testsupport/UserInput.h"

#include <iterator>
#include <vector>

#include "fw/Unicode.h"
#include "testsupport/Pump.h"

namespace testsupport {

namespace {

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(Key(key, false));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(Key(*it, true));
  Send(inputs);
}

void TypeText(std::string_view text) {
  std::vector<INPUT> inputs;
  // Each UTF-16 unit a key of its own, as the system sends a surrogate pair.
  for (wchar_t unit : fw::Utf16(text)) {
    if (unit == L'\b') {
      inputs.push_back(Key(VK_BACK, false));
      inputs.push_back(Key(VK_BACK, true));
      continue;
    }
    for (bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void MovePointer(HWND window, POINT client) {
  ClientToScreen(window, &client);
  // Absolute positions run from 0 to 65535 across the screen.
  const LONG x = MulDiv(client.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  const LONG y = MulDiv(client.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y)});
}

void ClickPointer(bool right) {
  Send({Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
        Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

void PointerButton(bool down) { Send({Mouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)}); }

void ClickListItem(fw::TCustomListBox& list, int index, bool twice) {
  RECT r = list.ItemRect(index);
  RECT client;
  GetClientRect(list.Handle(), &client);
  if (r.top < 0 || r.bottom > client.bottom) {
    SendMessageA(list.Handle(), LB_SETTOPINDEX, index, 0);
    r = list.ItemRect(index);
  }
  // A little in from the left, past the glyph where there is one.
  POINT at{r.left + 20, (r.top + r.bottom) / 2};
  ClientToScreen(list.Handle(), &at);
  // A click where the last one was, within the double-click time, would be
  // the second half of a double click (a list that scrolled puts another
  // item there).
  static POINT lastAt{-1, -1};
  static DWORD lastTime = 0;
  const DWORD since = GetTickCount() - lastTime;
  if (at.x == lastAt.x && at.y == lastAt.y && since <= GetDoubleClickTime())
    PumpFor(static_cast<int>(GetDoubleClickTime() - since) + 50);
  ScreenToClient(list.Handle(), &at);
  MovePointer(list.Handle(), at);
  ClickPointer();
  if (twice) ClickPointer();
  ClientToScreen(list.Handle(), &at);
  lastAt = at;
  lastTime = GetTickCount();
}

}  // namespace testsupport
