#pragma once
// Lets the windows of the test's thread handle what is queued for them: the
// posted input, the notices and the painting a step of a test caused.
#include <windows.h>

#include <functional>

#include "fw/Application.h"

namespace testsupport {

inline void Pump() { fw::Application().ProcessMessages(); }

// Handles messages until `done` holds or `milliseconds` have passed (what
// the system does in its own time: a hint that shows, input that arrives);
// says whether it held. The bound only ends a wait that fails: a machine busy
// with a parallel build may take seconds for what is at once on a quiet one.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 10000) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  for (;;) {
    Pump();
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

inline void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

}  // namespace testsupport
