#pragma once
// The messages windows got, in order, for comparing with the sequence a
// contract promises, as the platform's own control tests do. A thread hook
// notes the watched messages the system sends to any window of the thread;
// the framework's reflected notices (CN_*) reach a control's WndProc without
// the system, so a control under test notes those itself with Note.
#include <windows.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "fw/Handle.h"

namespace testsupport {

struct Noted {
  std::string window;  // the control's name, or "?" for a window it does not know
  UINT message;
  bool operator==(const Noted&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Noted& noted);

class MessageSequence {
 public:
  // Watches the thread from now until the sequence goes; one at a time.
  explicit MessageSequence(std::set<UINT> watched);
  ~MessageSequence();
  MessageSequence(const MessageSequence&) = delete;
  MessageSequence& operator=(const MessageSequence&) = delete;

  // Notes a message the named control got, if it is one of the watched.
  void Note(std::string control, UINT message);
  // What was noted since the last call, the windows named now that they all
  // exist (a window being made has no control to name it yet).
  std::vector<Noted> Take();

 private:
  struct Raw {
    HWND window;       // sent by the system,
    std::string name;  // or noted by the control
    UINT message;
  };
  struct HookTraits {
    static HHOOK invalid() { return nullptr; }
    static void close(HHOOK hook) { ::UnhookWindowsHookEx(hook); }
  };
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  std::set<UINT> watched_;
  std::vector<Raw> raw_;
  fw::UniqueHandle<HHOOK, HookTraits> hook_;
};

}  // namespace testsupport
