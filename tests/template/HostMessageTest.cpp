// The message between host and tip, with real windows and real broadcasts:
// the commands a host sends (close, place, size, show, malformed ones) and
// the notices the tip broadcasts (switch windows, saved).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fw/Application.h"
#include "fw/Edit.h"
#include "fw/Exceptions.h"
#include "fw/ListBox.h"
#include "fw/Memo.h"
#include "fw/Menus.h"
#include "fw/SpeedButton.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/HostWindow.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RegistryGuard.h"
#include "testsupport/TempDir.h"
#include "testsupport/UserInput.h"

namespace moduletest {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";

struct Placement {
  RECT rect;
  bool visible;
};

Placement PlacementOf(HWND window) {
  Placement p{};
  GetWindowRect(window, &p.rect);
  p.visible = IsWindowVisible(window) != FALSE;
  return p;
}

// Whether window a lies above window b. Only the order of this process's
// own windows is checked: other test programs raise theirs at any time.
bool Above(HWND a, HWND b) {
  for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == b) return true;
  return false;
}

// A visible window of the test's own, put above the others.
class Cover {
 public:
  Cover()
      : window_(CreateWindowExA(0, "STATIC", "cover", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~Cover() { DestroyWindow(window_); }
  Cover(const Cover&) = delete;
  Cover& operator=(const Cover&) = delete;
  HWND Handle() const { return window_; }
  void Raise() const { SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

 private:
  HWND window_;
};

void ExpectSame(const Placement& a, const Placement& b) {
  EXPECT_EQ(a.rect.left, b.rect.left);
  EXPECT_EQ(a.rect.top, b.rect.top);
  EXPECT_EQ(a.rect.right, b.rect.right);
  EXPECT_EQ(a.rect.bottom, b.rect.bottom);
  EXPECT_EQ(a.visible, b.visible);
}

class HostMessages : public testing::Test {
 protected:
  HostMessages() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "BSControl"); }

  // A valid, unlocked tip at 40, 30, 350 x 480.
  HWND CreateTip() {
    host_.Create();
    tip_ = ModuleHost::Window();
    EXPECT_NE(tip_, nullptr);
    return tip_;
  }
  LRESULT Send(WPARAM command, LPARAM argument) {
    return SendMessageA(tip_, hostWindow_.Message(), command, argument);
  }
  std::vector<std::string> Errors() const {
    return dialogs_->Texts(testsupport::DialogKind::Exception);
  }

  testsupport::RegistryGuard settings_{kSettingsKey};
  testsupport::ScopedDialogs dialogs_;
  testsupport::HostWindow hostWindow_;
  ModuleHost host_;
  HWND tip_ = nullptr;
};

struct PlaceCase {
  WPARAM command;
  LPARAM argument;
  // Expected window rectangle afterwards; the tip starts at 40, 30, 350 x 480.
  LONG left, top, width, height;
};

class HostPlaces : public HostMessages, public testing::WithParamInterface<PlaceCase> {};

TEST_P(HostPlaces, MovesAndSizesTheWindow) {
  const PlaceCase& c = GetParam();
  CreateTip();
  Send(c.command, c.argument);
  Placement after = PlacementOf(tip_);
  EXPECT_EQ(after.rect.left, c.left);
  EXPECT_EQ(after.rect.top, c.top);
  EXPECT_EQ(after.rect.right - after.rect.left, c.width);
  EXPECT_EQ(after.rect.bottom - after.rect.top, c.height);
  EXPECT_TRUE(after.visible);
  EXPECT_TRUE(dialogs_->Records.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HostPlaces,
    testing::Values(PlaceCase{10, 0, 1, 30, 350, 480},  // 0 is taken as 1
                    PlaceCase{10, 222, 222, 30, 350, 480}, PlaceCase{11, 0, 40, 1, 350, 480},
                    PlaceCase{11, 111, 40, 111, 350, 480}, PlaceCase{12, 0, 40, 30, 0, 480},
                    PlaceCase{12, 300, 40, 30, 300, 480}, PlaceCase{13, 0, 40, 30, 350, 0},
                    PlaceCase{13, 400, 40, 30, 350, 400}));

TEST_F(HostMessages, OtherCommandsAndTheTipsOwnNoticesDoNothing) {
  CreateTip();
  Placement before = PlacementOf(tip_);
  for (WPARAM command : {WPARAM{100}, WPARAM{5}, WPARAM{9999}, WPARAM{1}, WPARAM{0x7FFFFFFF}}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Send(command, 7), 0);
    ASSERT_TRUE(IsWindow(tip_));
    ExpectSame(PlacementOf(tip_), before);
  }
  EXPECT_TRUE(dialogs_->Records.empty());
}

struct MalformedCase {
  WPARAM command;
  LPARAM argument;
};

class HostMalformed : public HostMessages, public testing::WithParamInterface<MalformedCase> {};

// Both halves are checked before the command is looked at; the framework's
// dispatch reports the range error once and the window is as it was, hidden
// or shown.
TEST_P(HostMalformed, IsRefusedWithTheRangeErrorAndChangesNothing) {
  const MalformedCase& c = GetParam();
  CreateTip();
  for (bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "hidden" : "shown");
    if (hidden) ModuleHost::Form()->Hide();
    Placement before = PlacementOf(tip_);
    dialogs_->Records.clear();
    Send(c.command, c.argument);
    ASSERT_TRUE(IsWindow(tip_));
    ExpectSame(PlacementOf(tip_), before);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Range check error"});
    EXPECT_EQ(dialogs_->Records.size(), 1u);
  }
  // Nothing is selected in the tag editor, so the save fails at opening.
  EXPECT_THROW(host_.SaveChanges(), fw::EFOpenError) << "the window still answers the exports";
}

// -1 arrives as all ones whatever width the host's WPARAM and LPARAM have;
// a host built for 32 bits that zero-extends still gives a top bit.
INSTANTIATE_TEST_SUITE_P(
    Commands, HostMalformed,
    testing::Values(MalformedCase{static_cast<WPARAM>(-1), 0}, MalformedCase{0, -1},
                    MalformedCase{10, -1}, MalformedCase{12, -1}, MalformedCase{200, -1},
                    MalformedCase{0x80000000u, 0},
                    MalformedCase{0, static_cast<LPARAM>(uintptr_t{0x80000000u})},
                    MalformedCase{static_cast<WPARAM>(-1), -1}));

TEST_F(HostMessages, ShowMakesAHiddenWindowVisibleAndLoadsTheHelpAgain) {
  CreateTip();
  fw::TForm* form = ModuleHost::Form();
  auto* memo = Part<fw::TMemo>(form, "MemoHelpD");
  ASSERT_NE(memo, nullptr);
  std::string help = memo->Text();
  ASSERT_FALSE(help.empty());
  form->Hide();
  memo->SetText("");
  ASSERT_FALSE(IsWindowVisible(tip_));

  Cover cover;
  cover.Raise();

  Send(200, 0);
  EXPECT_TRUE(IsWindowVisible(tip_));
  EXPECT_EQ(memo->Text(), help);
  EXPECT_TRUE(Above(tip_, cover.Handle()));
  EXPECT_TRUE(dialogs_->Records.empty());
}

struct CloseCase {
  const char* name;
  bool closeRaises;
};

class HostCloses : public HostMessages, public testing::WithParamInterface<CloseCase> {};

TEST_P(HostCloses, TheWindowHidesAndEndsAndTheExportsForgetIt) {
  CreateTip();
  fw::TForm* form = ModuleHost::Form();
  ASSERT_NE(form, nullptr);
  bool hidden = false;
  form->OnHide = [&hidden](fw::TComponent*) { hidden = true; };
  if (GetParam().closeRaises)
    form->OnCloseQuery = [](fw::TComponent*, bool&) { throw fw::Exception("no"); };

  Send(0, 0);
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_EQ(ModuleHost::WindowCount(), 0);
  EXPECT_EQ(hidden, !GetParam().closeRaises);
  EXPECT_EQ(dialogs_->Texts(testsupport::DialogKind::Message),
            GetParam().closeRaises ? std::vector<std::string>{"e"} : std::vector<std::string>{});
  EXPECT_TRUE(Errors().empty());

  EXPECT_EQ(host_.Changed(), 0);
  EXPECT_EQ(host_.Nr(), 2);
  EXPECT_EQ(host_.SaveChanges(), 0);
  EXPECT_TRUE(hostWindow_.notices.empty()) << "nothing was saved";
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(host_.Create(), 0);
  EXPECT_EQ(ModuleHost::WindowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Commands, HostCloses,
                         testing::Values(CloseCase{"Closes", false},
                                         CloseCase{"CloseRaises", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Even the report of a failed close may fail; the window ends all the same
// and the dispatch reports what reached it.
class FailingBoxes : public testsupport::RecordingDialogs {
 public:
  void ShowMessage(const std::string& text) override {
    RecordingDialogs::ShowMessage(text);
    throw fw::Exception("no box");
  }
};

TEST_F(HostMessages, AFailedCloseWhoseReportFailsStillEndsTheWindow) {
  CreateTip();
  ModuleHost::Form()->OnCloseQuery = [](fw::TComponent*, bool&) { throw fw::Exception("no"); };
  testsupport::Installed<FailingBoxes, fw::DialogService, &fw::SetDialogService> dialogs;
  Send(0, 0);
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Message), std::vector<std::string>{"e"});
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Exception), std::vector<std::string>{"no box"});
  EXPECT_EQ(host_.Free(), 1);
}

// The host closes the tip while the tip waits in one of its own message
// boxes: the window ends once the click that opened the box is done.
class ClosingDialogs : public testsupport::RecordingDialogs {
 public:
  void ShowMessage(const std::string& text) override {
    RecordingDialogs::ShowMessage(text);
    SendMessageA(tip, RegisterWindowMessageA("Tovrane"), 0, 0);
    stillThere = IsWindow(tip) != FALSE;
  }
  HWND tip = nullptr;
  bool stillThere = false;
};

TEST_F(HostMessages, ACloseWhileTheTipIsBusyEndsTheWindowAfterwards) {
  CreateTip();
  fw::TForm* form = ModuleHost::Form();
  auto* info = Part<fw::TSpeedButton>(form, "HotSpeedButtonInfo");
  ASSERT_NE(info, nullptr);
  testsupport::Installed<ClosingDialogs, fw::DialogService, &fw::SetDialogService> dialogs;
  dialogs->tip = tip_;

  testsupport::MovePointer(tip_,
                           {info->Left() + info->Width() / 2, info->Top() + info->Height() / 2});
  testsupport::ClickPointer();
  fw::Application().ProcessMessages();

  ASSERT_EQ(dialogs->Texts(testsupport::DialogKind::Message).size(), 1u);
  EXPECT_TRUE(dialogs->stillThere) << "ended under the click that was still running";
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_TRUE(dialogs->Texts(testsupport::DialogKind::Exception).empty());
  EXPECT_EQ(host_.SaveChanges(), 0);
  EXPECT_EQ(host_.Free(), 1);
}

TEST_F(HostMessages, TheMenuEntryAndF12EachAskOnceToSwitchWindows) {
  CreateTip();
  fw::TForm* form = ModuleHost::Form();
  auto* entry = Part<fw::TMenuItem>(form, "Fensterwechseln1");
  ASSERT_NE(entry, nullptr);

  // The tip's own window gets the notice too and shows itself.
  form->Hide();
  entry->Click();
  EXPECT_EQ(hostWindow_.notices, (std::vector<std::pair<WPARAM, LPARAM>>{{200, 0}}));
  EXPECT_TRUE(IsWindowVisible(tip_));

  hostWindow_.notices.clear();
  Cover cover;
  cover.Raise();
  ASSERT_FALSE(Above(tip_, cover.Handle()));
  fw::Application().ProcessMessages();
  // Posted: a key pressed for real goes to the active window, and making the
  // tip active would already bring it to the front.
  PostMessageA(tip_, WM_KEYDOWN, VK_F12, 0);
  PostMessageA(tip_, WM_KEYUP, VK_F12, 0xC0000001);
  fw::Application().ProcessMessages();
  EXPECT_EQ(hostWindow_.notices, (std::vector<std::pair<WPARAM, LPARAM>>{{200, 0}}));
  EXPECT_TRUE(Above(tip_, cover.Handle())) << "the tip came to the front";
  EXPECT_TRUE(dialogs_->Records.empty());
}

// An MP3 file with an ID3v1 record: some audio bytes, then "TAG" and the
// fields, blank-free and zero-filled.
std::string TaggedFile(const std::string& title) {
  std::string record = "TAG" + title;
  record.resize(127, '\0');
  record += '\x0C';  // genre
  return std::string(512, '\xFF') + record;
}

class HostSaves : public HostMessages {
 protected:
  // The user picks the tagged file in the tip's file list and types a new
  // title, so that the tip has a change to save.
  void OpenTipOnATaggedFile() {
    temp_.WriteFile("Lied.mp3", TaggedFile("Lied"));
    ASSERT_TRUE(SetCurrentDirectoryA(temp_.Path().c_str()));
    CreateTip();
    fw::Application().ProcessMessages();
    auto* files = Part<fw::TCustomListBox>(ModuleHost::Form(), "FileListBox1");
    ASSERT_NE(files, nullptr);
    int index = files->Items().IndexOf("Lied.mp3");
    ASSERT_GE(index, 0);
    testsupport::ClickListItem(*files, index);
    fw::Application().ProcessMessages();
    ASSERT_EQ(Part<fw::TEdit>(ModuleHost::Form(), "EditTitel")->Text(), "Lied");
  }
  void EditTheTitle(char c) {
    Part<fw::TEdit>(ModuleHost::Form(), "EditTitel")->SetFocus();
    testsupport::TypeText(std::string(1, c));
    fw::Application().ProcessMessages();
    ASSERT_EQ(host_.Changed(), 1);
  }

  testsupport::CurrentDirGuard cwd_;
  testsupport::TempDir temp_;
};

// OK tells every window, the host's and the tip's own, what kind of save
// it was: 2 until Undo, 1 from then on, across windows, until the library
// is unloaded. A host that asks while handling the notice already sees the
// save.
TEST_F(HostSaves, OkBroadcastsTheSaveKindAfterRecordingTheSave) {
  OpenTipOnATaggedFile();
  std::vector<std::pair<int32_t, int32_t>> answersWhileHandling;  // ModulChanged, ModulNr
  hostWindow_.onNotice = [&](WPARAM command, LPARAM) {
    if (command == 9999) answersWhileHandling.emplace_back(host_.Changed(), host_.Nr());
  };
  auto button = [](const char* name) { return Part<fw::TSpeedButton>(ModuleHost::Form(), name); };

  EditTheTitle('a');
  EXPECT_EQ(host_.SaveChanges(), 1);
  EditTheTitle('b');
  button("HotSpeedButtonOK")->Click();
  button("HotSpeedButtonUndo")->Click();
  EXPECT_EQ(hostWindow_.Count(9999), 2u) << "Undo alone says nothing";
  EditTheTitle('c');
  EXPECT_EQ(host_.SaveChanges(), 1);
  EditTheTitle('d');
  EXPECT_EQ(host_.SaveChanges(), 1);

  using Notices = std::vector<std::pair<WPARAM, LPARAM>>;
  EXPECT_EQ(hostWindow_.notices, (Notices{{9999, 2}, {9999, 2}, {9999, 1}, {9999, 1}}));
  using Answers = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(answersWhileHandling, (Answers{{2, 2}, {2, 2}, {2, 1}, {2, 1}}));
  host_.Free();
  host_.Create();
  EXPECT_EQ(host_.Nr(), 1);
  EXPECT_TRUE(dialogs_->Records.empty());
}

// A host that closes the tip once it has been saved: the save on the host's
// behalf still completes and answers 1.
TEST_F(HostSaves, AHostMayCloseTheTipWhileHandlingItsSaveNotice) {
  OpenTipOnATaggedFile();
  hostWindow_.onNotice = [&](WPARAM command, LPARAM) {
    if (command == 9999) Send(0, 0);
  };
  EditTheTitle('x');
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_EQ(temp_.ReadFile("Lied.mp3").substr(512 + 3, 5), "xLied");
  EXPECT_TRUE(dialogs_->Records.empty());
  EXPECT_EQ(host_.Free(), 1);
}

// The same with ModulFree, after a click on OK: the click is still being
// handled when the host frees the window.
TEST_F(HostSaves, AHostMayFreeTheTipWhileHandlingTheNoticeOfAClick) {
  OpenTipOnATaggedFile();
  std::vector<int32_t> freed;
  bool stillThere = false;
  hostWindow_.onNotice = [&](WPARAM command, LPARAM) {
    if (command != 9999) return;
    freed.push_back(host_.Free());
    stillThere = IsWindow(tip_) != FALSE;
    EXPECT_EQ(host_.SaveChanges(), 0) << "forgotten at once";
  };
  EditTheTitle('x');
  auto* ok = Part<fw::TSpeedButton>(ModuleHost::Form(), "HotSpeedButtonOK");
  testsupport::MovePointer(tip_, {ok->Left() + ok->Width() / 2, ok->Top() + ok->Height() / 2});
  testsupport::ClickPointer();
  fw::Application().ProcessMessages();
  EXPECT_EQ(freed, std::vector<int32_t>{1});
  EXPECT_TRUE(stillThere) << "ended under the click that was still running";
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_TRUE(dialogs_->Records.empty());
  EXPECT_EQ(host_.Free(), 1);
  EXPECT_EQ(host_.Create(), 0);
}

}  // namespace
}  // namespace moduletest
