// Host scripts: how commands are split and quoted, the checks that run
// before anything is called, and the escaping of transcript lines.
#include <gtest/gtest.h>

#include "HostOptions.h"
#include "ScriptText.h"

namespace host {
namespace {

using Words = std::vector<std::string>;

std::vector<Words> WordsOf(const std::vector<ScriptCommand>& commands) {
  std::vector<Words> out;
  for (const auto& c : commands) out.push_back(c.words);
  return out;
}

TEST(ParseScript, SplitsLinesSemicolonsQuotesAndComments) {
  struct Case {
    const char* text;
    std::vector<Words> commands;
  };
  const Case cases[] = {
      {"", {}},
      {"  \r\n\n# only a comment\n", {}},
      {"create\r\nchanged\r\n", {{"create"}, {"changed"}}},
      {"create; wait 100;;nr", {{"create"}, {"wait", "100"}, {"nr"}}},
      {"\tsend  -1\t 0x7FFFFFFF # why\nquit", {{"send", "-1", "0x7FFFFFFF"}, {"quit"}}},
      {"create --caption \"MP3 ID Tag\" --hint \"a;b # c\"",
       {{"create", "--caption", "MP3 ID Tag", "--hint", "a;b # c"}}},
      // Backslashes stay: Windows paths need no doubling.
      {"screenshot \"C:\\Eigene Bilder\\tip.bmp\"", {{"screenshot", "C:\\Eigene Bilder\\tip.bmp"}}},
      {"create --hint \"\" --caption x\"y z\"", {{"create", "--hint", "", "--caption", "xy z"}}},
      {"answer yes;answer no;answer ok;answer cancel",
       {{"answer", "yes"}, {"answer", "no"}, {"answer", "ok"}, {"answer", "cancel"}}},
      {"free;save;window;unload;load;load Tip.dll;run",
       {{"free"}, {"save"}, {"window"}, {"unload"}, {"load"}, {"load", "Tip.dll"}, {"run"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(WordsOf(ParseScript(c.text)), c.commands) << c.text;
}

TEST(ParseScript, KeepsTheLineOfEachCommand) {
  auto commands = ParseScript("create\n\n# note\nwait 5; nr\n\"quit\"");
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].line, 1);
  EXPECT_EQ(commands[1].line, 4);
  EXPECT_EQ(commands[2].line, 4);
  EXPECT_EQ(commands[3].line, 5);
}

TEST(ParseScript, RefusesTheWholeScriptBeforeAnythingRuns) {
  struct Case {
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {"create\nsave now", "script line 2: save takes 0 arguments"},
      {"creat", "script line 1: unknown command \"creat\""},
      {"send 1", "send takes 2 arguments"},
      {"send 1 2 3", "send takes 2 arguments"},
      {"send x 1", "\"x\" is not a 32-bit number"},
      {"send 1 4294967296", "is not a 32-bit number"},
      {"wait", "wait takes 1 argument"},
      {"wait -1", "wait takes milliseconds"},
      {"wait 0x80000000", "wait takes milliseconds"},
      {"answer maybe", "answer takes yes, no, ok or cancel"},
      {"screenshot", "screenshot takes 1 argument"},
      {"load a.dll b.dll", "load takes a module path or nothing"},
      {"create --caption", "create: --caption needs a value"},
      {"create --module x.dll", "create: unknown option --module"},
      {"create --left 1.5", "--left: \"1.5\" is not a 32-bit number"},
      {"nr\ncreate --caption \"open", "script line 2: unterminated quote"},
  };
  for (const Case& c : cases) {
    try {
      ParseScript(c.text);
      ADD_FAILURE() << "accepted " << c.text;
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
          << c.text << " -> " << e.what();
    }
  }
}

TEST(EscapeText, KeepsTranscriptLinesAsciiAndOnOneLine) {
  struct Case {
    std::string text;
    const char* escaped;
  };
  const Case cases[] = {
      {"Range check error", "Range check error"},
      {"Zeile 1\r\nZeile 2\tx", "Zeile 1\\r\\nZeile 2\\tx"},
      {"C:\\Musik\\Lied.mp3", "C:\\\\Musik\\\\Lied.mp3"},
      {"ge\xF6"
       "ffnet \xC4"
       "nderung \x7F",
       "ge\\xF6ffnet \\xC4nderung \\x7F"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\"quoted\" ~", "\"quoted\" ~"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeText(c.text), c.escaped);
}

}  // namespace
}  // namespace host
