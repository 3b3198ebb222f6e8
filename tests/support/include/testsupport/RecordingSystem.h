#pragma once
// A system service that never restarts anything; it records the requests,
// and whether the caller had enabled the shutdown privilege for them.
#include <windows.h>

#include <vector>

#include "fw/Services.h"
#include "testsupport/Installed.h"

namespace testsupport {

// Whether this process's token has the shutdown privilege enabled; false
// also when the token cannot be read.
inline bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  PRIVILEGE_SET query{};
  query.PrivilegeCount = 1;
  query.Control = PRIVILEGE_SET_ALL_NECESSARY;
  BOOL held = FALSE;
  bool enabled = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &query.Privilege[0].Luid) &&
                 PrivilegeCheck(token, &query, &held) && held;
  CloseHandle(token);
  return enabled;
}

// Enables or disables the shutdown privilege of this process; false when
// the token refuses.
inline bool SetShutdownPrivilege(bool enable) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  bool done =
      LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
      GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return done;
}

struct ExitSystemCall {
  UINT flags;
  DWORD reserved;
  // The shutdown privilege was enabled while the call was made.
  bool shutdownPrivilege = false;
};

class RecordingSystem : public fw::SystemService {
 public:
  BOOL ExitSystem(UINT flags, DWORD reserved) override {
    Calls.push_back({flags, reserved, ShutdownPrivilegeEnabled()});
    return Result;
  }

  std::vector<ExitSystemCall> Calls;
  BOOL Result = TRUE;
};

using ScopedSystem = Installed<RecordingSystem, fw::SystemService, &fw::SetSystemService>;

}  // namespace testsupport
