#include "HostOptions.h"

#include <cctype>
#include <cstdlib>
#include <limits>

#include "ZekHelp.h"

namespace host {

CreateArgs::CreateArgs() : helpId(zekhelp::kTagEditorHelpId) {}

uint32_t ParseNumber(const std::string& text) {
  auto fail = [&]() -> uint32_t { throw UsageError("\"" + text + "\" is not a 32-bit number"); };
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  int base = 10;
  if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
    base = 16;
    pos += 2;
  }
  if (pos == text.size()) return fail();
  uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    int digit;
    if (std::isdigit(c)) {
      digit = c - '0';
    } else if (base == 16 && std::isxdigit(c)) {
      digit = std::tolower(c) - 'a' + 10;
    } else {
      return fail();
    }
    value = value * base + digit;
    if (value > std::numeric_limits<uint32_t>::max()) return fail();
  }
  if (negative) {
    if (value > uint64_t{1} << 31) return fail();
    return static_cast<uint32_t>(-static_cast<int64_t>(value));
  }
  return static_cast<uint32_t>(value);
}

namespace {

struct CreateOption {
  const char* name;
  void (*set)(CreateArgs& args, const std::string& value);
};

int32_t Signed(const std::string& value) { return static_cast<int32_t>(ParseNumber(value)); }

const CreateOption kCreateOptions[] = {
    {"--left", [](CreateArgs& a, const std::string& v) { a.left = Signed(v); }},
    {"--top", [](CreateArgs& a, const std::string& v) { a.top = Signed(v); }},
    {"--width", [](CreateArgs& a, const std::string& v) { a.width = Signed(v); }},
    {"--height", [](CreateArgs& a, const std::string& v) { a.height = Signed(v); }},
    {"--wintype", [](CreateArgs& a, const std::string& v) { a.winVersionType = Signed(v); }},
    {"--lang", [](CreateArgs& a, const std::string& v) { a.language = Signed(v); }},
    {"--caption", [](CreateArgs& a, const std::string& v) { a.caption = v; }},
    {"--hint", [](CreateArgs& a, const std::string& v) { a.hint = v; }},
    {"--valid", [](CreateArgs& a, const std::string& v) { a.validWinVersions = ParseNumber(v); }},
    {"--helpid", [](CreateArgs& a, const std::string& v) { a.helpId = Signed(v); }},
};

const CreateOption* FindCreateOption(const std::string& name) {
  for (const CreateOption& option : kCreateOptions)
    if (name == option.name) return &option;
  return nullptr;
}

}  // namespace

bool IsCreateOption(const std::string& name) { return FindCreateOption(name) != nullptr; }

void SetCreateOption(CreateArgs& args, const std::string& name, const std::string& value) {
  const CreateOption* option = FindCreateOption(name);
  if (!option) throw UsageError("unknown option " + name);
  try {
    option->set(args, value);
  } catch (const UsageError& e) {
    throw UsageError(name + ": " + e.what());
  }
}

Options ParseCommandLine(const std::vector<std::string>& args) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    if (name == "--help" || name == "-h" || name == "/?") {
      options.help = true;
      continue;
    }
    if (name.rfind("--", 0) != 0) throw UsageError("unexpected argument \"" + name + "\"");
    // Both "--name value" and "--name=value".
    std::string value;
    size_t equals = name.find('=');
    if (equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    } else {
      if (i + 1 == args.size()) throw UsageError(name + " needs a value");
      value = args[++i];
    }
    if (name == "--module") {
      options.module = value;
    } else if (name == "--dir") {
      options.dir = value;
    } else if (name == "--script") {
      options.scriptFile = value;
    } else if (name == "--do") {
      options.scriptText = value;
    } else if (name == "--screenshot") {
      options.screenshot = value;
    } else {
      SetCreateOption(options.create, name, value);
    }
    if (value.empty() &&
        (name == "--module" || name == "--dir" || name == "--script" || name == "--screenshot"))
      throw UsageError(name + " needs a value");
  }
  if (!options.scriptFile.empty() + !options.scriptText.empty() + !options.screenshot.empty() > 1)
    throw UsageError("only one of --script, --do and --screenshot can be given");
  return options;
}

std::string UsageText() {
  return R"(host.exe: loads a tip module, creates its window and drives it.

Usage: host.exe [options]

  --module <path>     the tip module (default: Ombrik63.dll beside host.exe)
  --dir <folder>      the current directory before the tip window is created
  --script <file>     run the commands of a script file, then end
  --do "<cmd>; ..."   run these commands, then end
  --screenshot <file> create the tip window, save a picture of it as a 24-bit BMP
                      file, then end (the script "create; wait 500; screenshot <file>")
  --help              this text

ModulCreate's arguments (also accepted after the script command create):
  --left <n>          window left edge (default 100)
  --top <n>           window top edge (default 100)
  --width <n>         window width (default 350)
  --height <n>        window height (default 460)
  --wintype <n>       Windows version type, 1..18 (default 13, Windows XP)
  --lang <n>          language, 1 English, anything else German (default 0)
  --caption <text>    window caption (default "MP3 ID Tag")
  --hint <text>       window hint (default empty)
  --valid <mask>      valid Windows versions (default 0x1FFF)
  --helpid <n>        help id (default 6300)
Numbers are decimal or 0x hexadecimal; options take --name value or --name=value.

Without a script the host creates the tip window and stays open until its own
window is closed. Script commands, one per line or separated by ';':
  create [--option value ...]   call ModulCreate (options as above)   -> create <result>
  changed                       call ModulChanged                     -> changed <result>
  nr                            call ModulNr                          -> nr <result>
  save                          call ModulSaveChanges   -> save ok <result> | save error <class>: <message>
  free                          call ModulFree                        -> free <result>
  send <wparam> <lparam>        send HostMessage to the tip window    -> send <w> <l> -> <result>
  window                        the tip window's place and state      -> window <l> <t> <w> <h> visible|hidden
  screenshot <file.bmp>         the tip window as a 24-bit BMP file   -> screenshot <width> <height>
  wait <ms>                     handle messages for that long
  answer yes|no|ok|cancel       what confirmation dialogs answer from now on
  unload                        unload the module                     -> unload
  load [<path>]                 load it again, or another module      -> load
  run                           stay until the host window is closed
  quit                          end now
Relative file names are taken from the directory the host was started in.
The host also prints every HostMessage broadcast it receives: broadcast <wparam> <lparam>
(with "from another thread" when it came from another thread or process), and
in scripts the framework's message boxes: message <text>, dialog <text> -> <answer>,
error <text>.
)";
}

}  // namespace host
