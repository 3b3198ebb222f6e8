#include "testsupport/RecordingShell.h"

namespace testsupport {
namespace {

std::optional<std::string> Arg(const char* s) {
  if (s == nullptr) return std::nullopt;
  return std::string(s);
}

}  // namespace

HINSTANCE RecordingShell::Execute(HWND owner, const char* verb, const char* file,
                                  const char* params, const char* directory, int showCommand) {
  Calls.push_back({owner, Arg(verb), Arg(file), Arg(params), Arg(directory), showCommand});
  return Result;
}

}  // namespace testsupport
