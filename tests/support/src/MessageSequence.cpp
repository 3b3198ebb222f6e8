#include "testsupport/MessageSequence.h"

#include <stdexcept>
#include <utility>

#include "fw/WinControl.h"

namespace testsupport {

namespace {
MessageSequence* current = nullptr;
}  // namespace

std::ostream& operator<<(std::ostream& out, const Noted& noted) {
  return out << noted.window << " 0x" << std::hex << noted.message << std::dec;
}

MessageSequence::MessageSequence(std::set<UINT> watched) : watched_(std::move(watched)) {
  if (current) throw std::logic_error("one message sequence at a time");
  current = this;
  hook_.reset(::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()));
  if (!hook_) {
    current = nullptr;
    throw std::runtime_error("no message hook");
  }
}

MessageSequence::~MessageSequence() {
  hook_.reset();
  current = nullptr;
}

void MessageSequence::Note(std::string control, UINT message) {
  if (watched_.count(message)) raw_.push_back({nullptr, std::move(control), message});
}

std::vector<Noted> MessageSequence::Take() {
  std::vector<Noted> noted;
  for (const Raw& r : raw_) {
    const fw::TWinControl* control = r.window ? fw::TWinControl::FromHandle(r.window) : nullptr;
    noted.push_back({r.window ? (control ? control->Name() : "?") : r.name, r.message});
  }
  raw_.clear();
  return noted;
}

LRESULT CALLBACK MessageSequence::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && current) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (current->watched_.count(sent->message))
      current->raw_.push_back({sent->hwnd, "", sent->message});
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace testsupport
