#pragma once
// Host scripts: one command per line or several separated by ';', words
// separated by blanks, double quotes around a word that holds blanks or ';'
// (backslashes are plain characters, for Windows paths), '#' starting a
// comment. Every command is checked before the first one runs.
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct ScriptCommand {
  int line = 0;
  // The command name first, then its arguments.
  std::vector<std::string> words;
};

// Splits and checks a script: known commands with the right arguments.
// Raises UsageError naming the line.
std::vector<ScriptCommand> ParseScript(std::string_view text);

// Text for one line of the transcript: control characters, bytes above
// 0x7E and the backslash written as escapes (\r, \n, \t, \\, \xNN), so that
// a transcript is plain ASCII on one line whatever the text held.
std::string EscapeText(std::string_view text);

}  // namespace host
