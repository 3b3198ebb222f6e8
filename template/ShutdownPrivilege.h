#pragma once
// Restarting Windows NT and 2000 needs the shutdown privilege enabled in the
// process token for the call.
#include <windows.h>

#include <string>

// Enables or disables one privilege of this process. False when the token
// cannot be opened, the name is unknown or the token refuses the change; a
// change that succeeds without the privilege being assigned counts as done.
bool SetPrivilege(const std::string& privilegeName, bool enable);
// Restarts or shuts down Windows (ExitWindowsEx flags) with the shutdown
// privilege enabled for the call only; false when it could not be enabled
// or the system refused.
bool ExitWindowsPrivileged(UINT flags);
