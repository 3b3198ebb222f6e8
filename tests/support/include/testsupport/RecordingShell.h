#pragma once
// A shell service that starts nothing and records each request.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "fw/Services.h"
#include "testsupport/Installed.h"

namespace testsupport {

struct ShellCall {
  HWND owner;
  // In UTF-8; nullopt where the caller passed a null pointer (no verb is the
  // default action, which differs from an empty verb).
  std::optional<std::string> verb, file, params, directory;
  int showCommand;
};

class RecordingShell : public fw::ShellService {
 public:
  HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* params,
                    const wchar_t* directory, int showCommand) override;

  std::vector<ShellCall> Calls;
  // Above 32 means success to ShellExecuteW's callers.
  HINSTANCE Result = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
};

using ScopedShell = Installed<RecordingShell, fw::ShellService, &fw::SetShellService>;

}  // namespace testsupport
