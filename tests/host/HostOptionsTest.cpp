// The host's command line: ModulCreate's arguments as 32-bit values, the
// defaults a plain start gets, and the mistakes it refuses.
#include <gtest/gtest.h>

#include "HostOptions.h"

namespace host {
namespace {

TEST(ParseNumber, TakesDecimalAndHexAsTheir32BitPattern) {
  struct Case {
    const char* text;
    uint32_t pattern;
  };
  const Case cases[] = {
      {"0", 0},
      {"6300", 6300},
      {"+7", 7},
      {"-1", 0xFFFFFFFF},
      {"-2147483648", 0x80000000},
      {"2147483648", 0x80000000},
      {"4294967295", 0xFFFFFFFF},
      {"0x1FFF", 0x1FFF},
      {"0XfFfF", 0xFFFF},
      {"0xFFFFFFFF", 0xFFFFFFFF},
      {"-0x10", 0xFFFFFFF0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.pattern) << c.text;
}

TEST(ParseNumber, RefusesWhatIsNotA32BitNumber) {
  for (const char* text : {"", "-", "0x", "12a", "0x1G", "1 ", " 1", "4294967296", "-2147483649",
                           "0x100000000", "99999999999999999999", "1e3", "--1"})
    EXPECT_THROW(ParseNumber(text), UsageError) << '"' << text << '"';
}

TEST(CommandLine, WithoutArgumentsCreatesTheTagEditorWithItsDesignValues) {
  Options o = ParseCommandLine({});
  EXPECT_FALSE(o.Scripted());
  EXPECT_FALSE(o.help);
  EXPECT_EQ(o.module, "");
  EXPECT_EQ(o.dir, "");
  const CreateArgs& a = o.create;
  EXPECT_EQ(a.left, 100);
  EXPECT_EQ(a.top, 100);
  EXPECT_EQ(a.width, 350);
  EXPECT_EQ(a.height, 460);
  EXPECT_EQ(a.winVersionType, 13);
  EXPECT_EQ(a.language, 0);
  EXPECT_EQ(a.caption, "MP3 ID Tag");
  EXPECT_EQ(a.hint, "");
  EXPECT_EQ(a.validWinVersions, 0x1FFFu);
  EXPECT_EQ(a.helpId, 6300);
}

TEST(CommandLine, EveryCreateArgumentHasItsOption) {
  Options o = ParseCommandLine({"--left", "-5", "--top=7", "--width", "321", "--height", "0x10",
                                "--wintype", "19", "--lang", "1", "--caption",
                                "Tag \xDC"
                                "bung",
                                "--hint", "a; b", "--valid", "0x80000001", "--helpid", "-3"});
  const CreateArgs& a = o.create;
  EXPECT_EQ(a.left, -5);
  EXPECT_EQ(a.top, 7);
  EXPECT_EQ(a.width, 321);
  EXPECT_EQ(a.height, 16);
  EXPECT_EQ(a.winVersionType, 19);
  EXPECT_EQ(a.language, 1);
  EXPECT_EQ(a.caption,
            "Tag \xDC"
            "bung");
  EXPECT_EQ(a.hint, "a; b");
  EXPECT_EQ(a.validWinVersions, 0x80000001u);
  EXPECT_EQ(a.helpId, -3);
}

TEST(CommandLine, ModuleDirectoryAndScript) {
  Options o = ParseCommandLine(
      {"--module", "C:\\tips\\Tip.dll", "--dir=C:\\Musik", "--script", "demo.txt", "--caption="});
  EXPECT_EQ(o.module, "C:\\tips\\Tip.dll");
  EXPECT_EQ(o.dir, "C:\\Musik");
  EXPECT_EQ(o.scriptFile, "demo.txt");
  EXPECT_TRUE(o.Scripted());
  // An empty caption is a caption; the module gets the null long string.
  EXPECT_EQ(o.create.caption, "");

  EXPECT_TRUE(ParseCommandLine({"--do", "create; quit"}).Scripted());
  EXPECT_TRUE(ParseCommandLine({"--screenshot", "tip.bmp"}).Scripted());
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"/?"}).help);
}

TEST(CommandLine, RefusesMistakesWithTheirReason) {
  struct Case {
    std::vector<std::string> args;
    const char* reason;
  };
  const Case cases[] = {
      {{"--left"}, "--left needs a value"},
      {{"--left", "ten"}, "--left: \"ten\" is not a 32-bit number"},
      {{"--valid", "0x123456789"}, "--valid: "},
      {{"--color", "red"}, "unknown option --color"},
      {{"Ombrik63.dll"}, "unexpected argument"},
      {{"--module="}, "--module needs a value"},
      {{"--dir", ""}, "--dir needs a value"},
      {{"--script", "a", "--do", "quit"}, "only one of --script, --do and --screenshot"},
      {{"--screenshot", "a.bmp", "--do", "quit"}, "only one of --script, --do and --screenshot"},
  };
  for (const Case& c : cases) {
    try {
      ParseCommandLine(c.args);
      ADD_FAILURE() << "accepted " << c.args[0];
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

TEST(CommandLine, HelpNamesEveryOption) {
  std::string help = UsageText();
  for (const char* option :
       {"--module", "--dir", "--script", "--do", "--screenshot", "--left", "--top", "--width",
        "--height", "--wintype", "--lang", "--caption", "--hint", "--valid", "--helpid"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
    // And whatever help names is accepted.
    if (IsCreateOption(option)) {
      CreateArgs a;
      EXPECT_NO_THROW(SetCreateOption(a, option, "1")) << option;
    }
  }
}

}  // namespace
}  // namespace host
