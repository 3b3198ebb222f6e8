#include "ShutdownPrivilege.h"

#include "fw/Handle.h"
#include "fw/Services.h"
#include "fw/Unicode.h"

namespace {
constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";
}  // namespace

bool SetPrivilege(const std::string& privilegeName, bool enable) {
  HANDLE raw = nullptr;
  // Nothing obtained, nothing to close.
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
    return false;
  fw::TokenHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  if (!LookupPrivilegeValueW(nullptr, fw::Utf16(privilegeName).c_str(),
                             &privileges.Privileges[0].Luid))
    return false;
  // One privilege's previous state fits; it is not used.
  TOKEN_PRIVILEGES previous{};
  DWORD previousSize = 0;
  return AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof previous, &previous,
                               &previousSize) != FALSE;
}

bool ExitWindowsPrivileged(UINT flags) {
  if (!SetPrivilege(kShutdownPrivilege, true)) return false;
  bool ok = fw::System().ExitSystem(flags, 0) != FALSE;
  SetPrivilege(kShutdownPrivilege, false);
  return ok;
}
