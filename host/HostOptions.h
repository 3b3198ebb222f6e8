#pragma once
// The host's command line: which tip module to load, the arguments of its
// ModulCreate, the folder to start in and the script to run. Pure, so the
// parsing is tested natively as well.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// Wrong usage of the command line or of a script command.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The ten arguments of ModulCreate, in declaration order.
struct CreateArgs {
  int32_t left = 100;
  int32_t top = 100;
  int32_t width = 350;
  int32_t height = 460;
  int32_t winVersionType = 13;  // Windows XP
  int32_t language = 0;         // German
  std::string caption = "MP3 ID Tag";
  std::string hint;
  uint32_t validWinVersions = 0x1FFF;  // Windows 98 to Windows XP
  int32_t helpId;

  CreateArgs();
};

struct Options {
  CreateArgs create;
  // Empty: Ombrik63.dll beside host.exe.
  std::string module;
  // Empty: stay in the directory the host was started in.
  std::string dir;
  std::string scriptFile;
  // The commands of --do.
  std::string scriptText;
  // --screenshot: create, take a picture of the tip window into this file, end.
  std::string screenshot;
  bool help = false;

  bool Scripted() const {
    return !scriptFile.empty() || !scriptText.empty() || !screenshot.empty();
  }
};

// A 32-bit number as the host takes it from text: decimal with an optional
// sign or hexadecimal with 0x, anything from -2^31 to 2^32-1, given back as
// its 32-bit pattern (-1 and 0xFFFFFFFF are the same). Raises UsageError.
uint32_t ParseNumber(const std::string& text);

// Whether `name` (with its dashes) is one of ModulCreate's options.
bool IsCreateOption(const std::string& name);
// Sets one of ModulCreate's arguments from its option; raises UsageError.
void SetCreateOption(CreateArgs& args, const std::string& name, const std::string& value);

// The arguments after the program name. Raises UsageError.
Options ParseCommandLine(const std::vector<std::string>& args);

// What --help prints: the options and the script commands.
std::string UsageText();

}  // namespace host
