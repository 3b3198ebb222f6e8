// host.exe: the test host of the tip modules. It loads a module, calls its
// exports and exchanges HostMessage with its window, by hand or by script.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Host.h"
#include "HostForm.h"
#include "HostOptions.h"
#include "ScriptRunner.h"
#include "ScriptText.h"
#include "fw/Application.h"
#include "fw/Bitmap.h"
#include "fw/FileStream.h"
#include "fw/Layout.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace {

std::string ReadFile(const std::string& path) {
  fw::TFileStream stream(path, fw::fmOpenRead | fw::fmShareDenyWrite);
  std::string text(static_cast<size_t>(stream.Size()), '\0');
  stream.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  return text;
}

int Run(const host::Options& options) {
  std::vector<host::ScriptCommand> script;
  if (!options.scriptFile.empty()) script = host::ParseScript(ReadFile(options.scriptFile));
  if (!options.scriptText.empty()) script = host::ParseScript(options.scriptText);
  if (!options.screenshot.empty())
    script = {{0, {"create"}}, {0, {"wait", "500"}}, {0, {"screenshot", options.screenshot}}};

  fw::Application().SetTitle("Tip host");
  // The host window's layout is among this program's resources.
  fw::RegisterResourceModule(fw::ThisModule());
  host::Host host(options, fw::GetCurrentDir());
  // The tip's file browser starts in the current directory.
  if (!options.dir.empty()) fw::ChDir(options.dir);
  host.Form().Show();

  if (!options.Scripted()) {
    host.Create(options.create);
    host::RunUntilClosed();
    return 0;
  }
  switch (host::RunScript(host, script)) {
    case host::ScriptEnd::Done:
      return 0;
    case host::ScriptEnd::Stay:
      host::RunUntilClosed();
      return 0;
    case host::ScriptEnd::Closed:
      std::fputs("host.exe: the host window was closed before the script ended\n", stderr);
      return 3;
  }
  return 0;
}

// The arguments as typed, in UTF-8: argv holds them in the code page, which
// has no form for most folder names.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(fw::Utf8(std::wstring_view(wide[i])));
  LocalFree(wide);
  return arguments;
}

}  // namespace

int main() {
  host::Options options;
  try {
    options = host::ParseCommandLine(Arguments());
  } catch (const host::UsageError& e) {
    std::fprintf(stderr, "host.exe: %s\n(host.exe --help lists the options)\n", e.what());
    return 1;
  }
  if (options.help) {
    std::fputs(host::UsageText().c_str(), stdout);
    return 0;
  }
  try {
    return Run(options);
  } catch (const host::UsageError& e) {
    std::fprintf(stderr, "host.exe: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "host.exe: %s\n", e.what());
    return 2;
  }
}
