#pragma once
// A top-level window of the test's own, as a host has one: HostMessage
// broadcasts reach it like any host window. Other test programs in the same
// Wine prefix broadcast too; only notices sent from this thread (the tip's)
// are kept.
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

namespace testsupport {

class HostWindow {
 public:
  HostWindow() : message_(RegisterWindowMessageA("Tovrane")) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TestSupportHostWindow";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  UINT Message() const { return message_; }
  // This thread's notices, in order of arrival.
  std::vector<std::pair<WPARAM, LPARAM>> notices;
  // Runs for each of them, while the sender waits.
  std::function<void(WPARAM, LPARAM)> onNotice;

  size_t Count(WPARAM command) const {
    size_t n = 0;
    for (const auto& notice : notices) n += notice.first == command;
    return n;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    // From this thread a broadcast is a plain call, not a sent message.
    if (self && msg == self->message_ && (InSendMessageEx(nullptr) & ISMEX_SEND) == 0) {
      self->notices.emplace_back(wp, lp);
      if (self->onNotice) self->onNotice(wp, lp);
    }
    return DefWindowProcA(w, msg, wp, lp);
  }
  UINT message_;
  HWND window_;
};

}  // namespace testsupport
