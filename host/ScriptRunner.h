#pragma once
// Runs a host script. While it runs, the framework's message boxes print
// their text instead of waiting for a user, confirmation dialogs answer as
// the script says, and a system restart is only printed.
#include <vector>

#include "ScriptText.h"

namespace host {

class Host;

enum class ScriptEnd {
  Done,
  // The host window was closed before the script ended.
  Closed,
  // The script asked to stay: the caller runs the message loop.
  Stay,
};

// Runs the commands in order.
ScriptEnd RunScript(Host& host, const std::vector<ScriptCommand>& commands);

// Handles messages until the host window is closed.
void RunUntilClosed();

}  // namespace host
