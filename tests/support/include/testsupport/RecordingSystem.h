#pragma once
// A system service that never restarts anything; it records the requests.
#include <windows.h>

#include <vector>

#include "fw/Services.h"
#include "testsupport/Installed.h"

namespace testsupport {

struct ExitSystemCall {
  UINT flags;
  DWORD reserved;
};

class RecordingSystem : public fw::SystemService {
 public:
  BOOL ExitSystem(UINT flags, DWORD reserved) override {
    Calls.push_back({flags, reserved});
    return Result;
  }

  std::vector<ExitSystemCall> Calls;
  BOOL Result = TRUE;
};

using ScopedSystem = Installed<RecordingSystem, fw::SystemService, &fw::SetSystemService>;

}  // namespace testsupport
