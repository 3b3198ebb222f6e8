#include "testsupport/RecordingShell.h"

#include "fw/Unicode.h"

namespace testsupport {
namespace {

std::optional<std::string> Arg(const wchar_t* s) {
  if (s == nullptr) return std::nullopt;
  return fw::Utf8(std::wstring_view(s));
}

}  // namespace

HINSTANCE RecordingShell::Execute(HWND owner, const wchar_t* verb, const wchar_t* file,
                                  const wchar_t* params, const wchar_t* directory,
                                  int showCommand) {
  Calls.push_back({owner, Arg(verb), Arg(file), Arg(params), Arg(directory), showCommand});
  return Result;
}

}  // namespace testsupport
