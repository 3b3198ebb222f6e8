// The host contract used out of turn: every export before the window exists,
// twice in a row, and after the window ended itself on command 0; and the
// tip window flooded with host messages of random codes and arguments.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "FaultSession.h"
#include "testsupport/HostWindow.h"

namespace faultstest {
namespace {

using Texts = std::vector<std::string>;

enum class Before { Nothing, Free, Command0, Command0AfterASave };

struct OutOfTurnCase {
  const char* name;
  Before before;
};

class OutOfTurn : public FaultSession, public testing::WithParamInterface<OutOfTurnCase> {};

TEST_P(OutOfTurn, ExportsTouchNoMissingWindowAndKeepTheFlags) {
  const Before before = GetParam().before;
  if (before == Before::Command0AfterASave) {
    Open();
    Tip().ClickFile("Abendlied.mp3");
    Tip().Type(Tip().Title(), "Neu");
    ASSERT_EQ(host_.SaveChanges(), 1);
    ASSERT_EQ(host_.Changed(), 2);
  } else if (before != Before::Nothing) {
    ASSERT_EQ(host_.Create(), 0);
  }
  if (before == Before::Free) {
    EXPECT_EQ(host_.Free(), 1);
  } else if (before == Before::Command0 || before == Before::Command0AfterASave) {
    SendMessageA(moduletest::ModuleHost::Window(), RegisterWindowMessageA("Tovrane"), 0, 0);
  }
  tip_.reset();
  ASSERT_EQ(moduletest::ModuleHost::WindowCount(), 0);
  const int32_t changed = host_.Changed();
  const std::size_t notices = recorder_.notices.size();
  const std::string disk = Read("Musik\\Abendlied.mp3");

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(host_.Changed(), changed);
    EXPECT_EQ(host_.Nr(), 2);
    EXPECT_NO_THROW(EXPECT_EQ(host_.SaveChanges(), 0)) << "there is nothing to save";
    EXPECT_EQ(host_.Free(), 1);
  }
  EXPECT_EQ(recorder_.notices.size(), notices);
  EXPECT_EQ(host_.Changed(), changed) << "the flags outlive the window";
  EXPECT_EQ(Read("Musik\\Abendlied.mp3"), disk);

  // Created twice in a row: one window, and it works.
  for (int i = 0; i < 2; ++i) EXPECT_EQ(host_.Create(), 0);
  EXPECT_EQ(moduletest::ModuleHost::WindowCount(), 1);
  EXPECT_TRUE(IsWindowVisible(moduletest::ModuleHost::Window()));
  tip_.emplace();
  Tip().OpenDirectory("Musik");
  Tip().ClickFile("Bergfahrt.mp3");
  Tip().Type(Tip().Title(), "Weiter");
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(TitleOnDisk("Musik\\Bergfahrt.mp3"), Padded("Weiter"));
  EXPECT_EQ(host_.Changed(), 2);
  tip_.reset();
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(moduletest::ModuleHost::WindowCount(), 0);
  EXPECT_EQ(Errors(), Texts{});
}

INSTANTIATE_TEST_SUITE_P(Exports, OutOfTurn,
                         testing::Values(OutOfTurnCase{"BeforeCreate", Before::Nothing},
                                         OutOfTurnCase{"AfterFree", Before::Free},
                                         OutOfTurnCase{"AfterCommand0", Before::Command0},
                                         OutOfTurnCase{"AfterCommand0AfterASave",
                                                       Before::Command0AfterASave}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the window should look like after the burst.
struct Placement {
  long left, top, width, height;
  bool visible;
  bool operator==(const Placement&) const = default;
};

Placement PlacementOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top, IsWindowVisible(window) != FALSE};
}

void PrintTo(const Placement& p, std::ostream* os) {
  *os << p.left << "," << p.top << " " << p.width << "x" << p.height
      << (p.visible ? " shown" : " hidden");
}

// Codes are drawn from the harmless ones (ignored codes, 100, 200 and the
// placements) and from garbage; 0 comes only with an argument out of range,
// which must refuse it before it is looked at. A valid 0 would end the window
// and leave the rest of the burst nothing to hit; the contract test above
// covers the end.
TEST_F(FaultSession, ABurstOfHostMessagesRefusesTheBadOnesAndActsOnTheRest) {
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Neu");
  const HWND window = moduletest::ModuleHost::Window();
  const UINT message = RegisterWindowMessageA("Tovrane");
  const Texts texts = tip.Texts();
  const int selected = tip.files->ItemIndex();
  const bool okEnabled = tip.ok->Enabled();
  const int32_t changed = host_.Changed();
  Placement expected = PlacementOf(window);
  ASSERT_TRUE(expected.visible);

  std::mt19937_64 random(0x0B5E5763);
  auto below = [&random](std::uint64_t n) { return random() % n; };
  constexpr std::uint64_t kRange = 0x80000000u;  // arguments 0..0x7FFFFFFF are valid
  // Garbage is as wide as the message's fields: 32 bits on i686, where a 64-bit
  // value would lose its top half on the way and could turn into a valid command.
  constexpr std::uint64_t kWord = static_cast<WPARAM>(-1);
  constexpr std::uint64_t kTopBit = std::uint64_t{1} << (sizeof(LPARAM) * 8 - 1);
  std::size_t refused = 0;
  for (int i = 0; i < 10000; ++i) {
    std::uint64_t command, argument;
    // Mostly ignored codes and garbage; a few placements and shows, each of
    // which costs the window system a round trip (some 20 ms under Wine).
    const auto kind = below(100);
    if (kind < 30) {
      const std::uint64_t ignored[] = {1, 5, 100, 9999, 14 + below(kRange - 14)};
      command = ignored[below(5)];
      if (command == 200) command = 201;
      argument = below(kRange);
    } else if (kind < 33) {
      command = 200;
      argument = below(kRange);
      expected.visible = true;
    } else if (kind < 36) {
      command = 10 + below(4);
      argument = below(1500);
      const long value = static_cast<long>(argument);
      if (command == 10) expected.left = value == 0 ? 1 : value;
      if (command == 11) expected.top = value == 0 ? 1 : value;
      if (command == 12) expected.width = value;
      if (command == 13) expected.height = value;
    } else {
      // Garbage: any values, or a known code with a bad argument.
      command = kind < 50 ? below(14) : random() & kWord;
      argument = random() & kWord;
      if (command < kRange && argument < kRange) argument |= kTopBit;
      ++refused;
    }
    SendMessageA(window, message, static_cast<WPARAM>(command), static_cast<LPARAM>(argument));
    if (i % 1000 == 999) {
      // Now and then hidden, so that 200 has something to show.
      tip.form->Hide();
      expected.visible = false;
    }
  }
  tageditortest::Pump();

  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(moduletest::ModuleHost::WindowCount(), 1);
  EXPECT_EQ(PlacementOf(window), expected);
  EXPECT_EQ(dialogs_->Records.size(), refused) << "one range error box each, nothing else";
  const Texts errors = Errors();
  EXPECT_EQ(errors.size(), refused);
  EXPECT_EQ(Texts(errors.size(), "Range check error"), errors);
  EXPECT_TRUE(recorder_.notices.empty());
  EXPECT_EQ(tip.Texts(), texts);
  EXPECT_EQ(tip.files->ItemIndex(), selected);
  EXPECT_EQ(tip.ok->Enabled(), okEnabled);
  EXPECT_EQ(host_.Changed(), changed);
  EXPECT_EQ(host_.Nr(), 2);

  // And it still saves.
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Neu"));
  EXPECT_EQ(Notices(9999), 1u);
}

// A host that ends the tip as soon as it hears of the save, while the tip's
// OK is still on the stack: by ModulFree or by command 0, after a click on OK
// or during its own ModulSaveChanges.
struct EndOnSaveCase {
  const char* name;
  bool byFree;
  bool byButton;
};

class EndOnSave : public FaultSession, public testing::WithParamInterface<EndOnSaveCase> {};

TEST_P(EndOnSave, TheSaveCompletesAndTheWindowEnds) {
  const EndOnSaveCase& c = GetParam();
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Neu");
  testsupport::HostWindow host;
  std::vector<int32_t> freed;
  host.onNotice = [&](WPARAM command, LPARAM) {
    if (command != 9999) return;
    if (c.byFree)
      freed.push_back(host_.Free());
    else
      SendMessageA(moduletest::ModuleHost::Window(), host.Message(), 0, 0);
  };
  const HWND window = moduletest::ModuleHost::Window();
  if (c.byButton) {
    tip.Click(*tip.ok);
  } else {
    EXPECT_EQ(host_.SaveChanges(), 1);
  }
  tip_.reset();
  tageditortest::Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(moduletest::ModuleHost::WindowCount(), 0);
  if (c.byFree) {
    EXPECT_EQ(freed, std::vector<int32_t>{1});
  }
  EXPECT_EQ(host.Count(9999), 1u);
  EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Neu"));
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_EQ(Errors(), Texts{});
  // And the host can go on.
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(host_.Create(), 0);
  EXPECT_EQ(moduletest::ModuleHost::WindowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Exports, EndOnSave,
                         testing::Values(EndOnSaveCase{"FreeAfterTheButton", true, true},
                                         EndOnSaveCase{"FreeDuringSaveChanges", true, false},
                                         EndOnSaveCase{"Command0AfterTheButton", false, true},
                                         EndOnSaveCase{"Command0DuringSaveChanges", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace faultstest
