#include "ScriptText.h"

#include <cstdio>

#include "HostOptions.h"

namespace host {
namespace {

struct CommandRule {
  const char* name;
  void (*check)(const std::vector<std::string>& words);
};

void Arguments(const std::vector<std::string>& words, size_t count) {
  if (words.size() != count + 1)
    throw UsageError(words[0] + " takes " + std::to_string(count) + " argument" +
                     (count == 1 ? "" : "s"));
}

const CommandRule kCommands[] = {
    {"create",
     [](const std::vector<std::string>& words) {
       CreateArgs scratch;
       for (size_t i = 1; i < words.size(); i += 2) {
         if (!IsCreateOption(words[i])) throw UsageError("create: unknown option " + words[i]);
         if (i + 1 == words.size()) throw UsageError("create: " + words[i] + " needs a value");
         SetCreateOption(scratch, words[i], words[i + 1]);
       }
     }},
    {"changed", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"nr", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"save", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"free", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"send",
     [](const std::vector<std::string>& w) {
       Arguments(w, 2);
       ParseNumber(w[1]);
       ParseNumber(w[2]);
     }},
    {"window", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"screenshot", [](const std::vector<std::string>& w) { Arguments(w, 1); }},
    {"wait",
     [](const std::vector<std::string>& w) {
       Arguments(w, 1);
       if (w[1].empty() || w[1][0] == '-' || static_cast<int32_t>(ParseNumber(w[1])) < 0)
         throw UsageError("wait takes milliseconds from 0 to 2147483647");
     }},
    {"answer",
     [](const std::vector<std::string>& w) {
       Arguments(w, 1);
       if (w[1] != "yes" && w[1] != "no" && w[1] != "ok" && w[1] != "cancel")
         throw UsageError("answer takes yes, no, ok or cancel");
     }},
    {"unload", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"load",
     [](const std::vector<std::string>& w) {
       if (w.size() > 2) throw UsageError("load takes a module path or nothing");
     }},
    {"run", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
    {"quit", [](const std::vector<std::string>& w) { Arguments(w, 0); }},
};

void Check(const ScriptCommand& command) {
  for (const CommandRule& rule : kCommands) {
    if (command.words[0] != rule.name) continue;
    rule.check(command.words);
    return;
  }
  throw UsageError("unknown command \"" + command.words[0] + "\"");
}

}  // namespace

std::vector<ScriptCommand> ParseScript(std::string_view text) {
  std::vector<ScriptCommand> commands;
  ScriptCommand current;
  int line = 1;
  auto finish = [&] {
    if (!current.words.empty()) {
      try {
        Check(current);
      } catch (const UsageError& e) {
        throw UsageError("script line " + std::to_string(current.line) + ": " + e.what());
      }
      commands.push_back(std::move(current));
    }
    current = ScriptCommand{};
  };
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\n' || c == ';') {
      finish();
      if (c == '\n') ++line;
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else {
      // One word; quoted parts may hold blanks, ';' and '#'.
      std::string word;
      bool quoted = false;
      int startLine = line;
      while (i < text.size()) {
        c = text[i];
        if (c == '"') {
          quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';')) {
          break;
        } else {
          if (c == '\n') ++line;
          word += c;
        }
        ++i;
      }
      if (quoted)
        throw UsageError("script line " + std::to_string(startLine) + ": unterminated quote");
      if (current.words.empty()) current.line = startLine;
      current.words.push_back(std::move(word));
    }
  }
  finish();
  return commands;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c > 0x7E) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += ch;
        }
    }
  }
  return out;
}

}  // namespace host
