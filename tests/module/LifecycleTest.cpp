// The exports as a host uses them: create, poll, save, free, create again,
// and the module-wide flags that outlive the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "fw/Application.h"
#include "fw/Exceptions.h"
#include "fw/SpeedButton.h"
#include "fw/StaticText.h"
#include "testsupport/HostWindow.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RegistryGuard.h"

namespace moduletest {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";

class Lifecycle : public testing::Test {
 protected:
  Lifecycle() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "BSControl"); }

  testsupport::RegistryGuard settings_{kSettingsKey};
  testsupport::ScopedDialogs dialogs_;
  ModuleHost host_;
};

TEST_F(Lifecycle, CreatePlacesAndShowsTheWindowWithTheHostsCaption) {
  CreateArgs args;
  args.left = 123;
  args.top = 45;
  args.width = 360;
  args.height = 470;
  args.caption = "Tipp \xC4nderung";
  EXPECT_EQ(host_.Create(args), 0);

  HWND window = ModuleHost::Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 45);
  EXPECT_EQ(r.right - r.left, 360);
  EXPECT_EQ(r.bottom - r.top, 470);
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ(text, "Tipp \xC4nderung");

  fw::TForm* form = ModuleHost::Form();
  ASSERT_NE(form, nullptr);
  auto* title = Part<fw::TStaticText>(form, "StaticTextTitle");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Text(), "Tipp \xC3\x84nderung");
  EXPECT_EQ(form->Tag(), 13);
  EXPECT_EQ(form->Hint(), "Hinweis");
  EXPECT_TRUE(dialogs_->Records.empty());
}

TEST_F(Lifecycle, NullTextsAreTheEmptyText) {
  CreateArgs args;
  args.nullCaption = true;
  args.nullHint = true;
  EXPECT_EQ(host_.Create(args), 0);
  fw::TForm* form = ModuleHost::Form();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "");
  EXPECT_EQ(form->Hint(), "");
  EXPECT_EQ(Part<fw::TStaticText>(form, "StaticTextTitle")->Text(), "");
}

TEST_F(Lifecycle, FreeEndsTheWindowOnceAndLaterCallsTouchNothing) {
  host_.Create();
  HWND window = ModuleHost::Window();
  ASSERT_NE(window, nullptr);
  // Nothing is selected in the tag editor: the save reaches the window and
  // fails at opening.
  EXPECT_THROW(host_.SaveChanges(), fw::EFOpenError);

  EXPECT_EQ(host_.Free(), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(host_.SaveChanges(), 0);

  host_.Create();
  EXPECT_EQ(ModuleHost::WindowCount(), 1);
  EXPECT_TRUE(IsWindowVisible(ModuleHost::Window()));
}

// The window may end itself (host command 0) from inside its own message
// handling; the exports must not reach it after that.
TEST_F(Lifecycle, AWindowThatEndedItselfIsForgotten) {
  host_.Create();
  fw::TForm* form = ModuleHost::Form();
  ASSERT_NE(form, nullptr);
  fw::Free(form);
  EXPECT_EQ(ModuleHost::Window(), nullptr);
  EXPECT_EQ(host_.SaveChanges(), 0);
  EXPECT_EQ(host_.Free(), 1);
  host_.Create();
  EXPECT_EQ(ModuleHost::WindowCount(), 1);
}

TEST_F(Lifecycle, CreatingAgainReplacesTheOpenWindow) {
  host_.Create();
  HWND first = ModuleHost::Window();
  CreateArgs args;
  args.caption = "Zweites Fenster";
  host_.Create(args);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(ModuleHost::WindowCount(), 1);
  EXPECT_EQ(ModuleHost::Form()->Caption(), "Zweites Fenster");
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(ModuleHost::WindowCount(), 0);
}

TEST(LifecycleUnload, UnloadingEndsAWindowLeftOpen) {
  testsupport::RegistryGuard settings(kSettingsKey);
  testsupport::ScopedDialogs dialogs;
  HWND window;
  {
    ModuleHost host;
    host.Create();
    window = ModuleHost::Window();
    ASSERT_NE(window, nullptr);
  }
  EXPECT_FALSE(IsWindow(window));
  fw::Application().ProcessMessages();
}

// SaveKind follows Undo; the flags belong to the loaded library. The tip
// has a tagged file selected, so that its OK can save.
TEST_F(Lifecycle, SaveKindFollowsUndoAndOutlivesTheWindow) {
  testsupport::HostWindow recorder;
  TaggedFolder folder;
  host_.Create();
  folder.Select();
  EXPECT_EQ(host_.Changed(), 0);
  EXPECT_EQ(host_.Nr(), 2);

  EXPECT_EQ(host_.SaveChanges(), 1);
  // The tag editor pads its fields with blanks as it saves: a change, saved.
  EXPECT_EQ(host_.Changed(), 2);
  ASSERT_FALSE(recorder.notices.empty());
  EXPECT_EQ(recorder.notices.back(), std::make_pair(WPARAM{9999}, LPARAM{2}));

  auto* undo = Part<fw::TSpeedButton>(ModuleHost::Form(), "HotSpeedButtonUndo");
  ASSERT_NE(undo, nullptr);
  undo->Click();
  EXPECT_EQ(host_.Nr(), 1);
  host_.SaveChanges();
  EXPECT_EQ(recorder.notices.back(), std::make_pair(WPARAM{9999}, LPARAM{1}));

  auto* ok = Part<fw::TSpeedButton>(ModuleHost::Form(), "HotSpeedButtonOK");
  ok->Click();
  EXPECT_EQ(recorder.notices.back(), std::make_pair(WPARAM{9999}, LPARAM{1}));

  // Per loaded library, not per window.
  host_.Free();
  host_.Create();
  EXPECT_EQ(host_.Nr(), 1);
  EXPECT_EQ(host_.Changed(), 2);
}

TEST(LifecycleReload, ALoadStartsWithTheDefaults) {
  testsupport::RegistryGuard settings(kSettingsKey);
  testsupport::ScopedDialogs dialogs;
  {
    ModuleHost host;
    host.Create();
    Part<fw::TSpeedButton>(ModuleHost::Form(), "HotSpeedButtonUndo")->Click();
    EXPECT_EQ(host.Nr(), 1);
    host.Free();
  }
  ModuleHost host;
  EXPECT_EQ(host.Nr(), 2);
  EXPECT_EQ(host.Changed(), 0);
}

}  // namespace
}  // namespace moduletest
