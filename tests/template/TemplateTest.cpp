// The tip frame as the host gets it: language, help texts, the suite
// setting and the lock of a tip that does not suit the running Windows, and
// the buttons' pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "ZekHelp.h"
#include "fw/ImageList.h"
#include "fw/Memo.h"
#include "fw/Menus.h"
#include "fw/SpeedButton.h"
#include "fw/StaticText.h"
#include "fw/SysUtils.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RegistryGuard.h"
#include "testsupport/UserInput.h"

namespace moduletest {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";

// The library's text is code page text; the window shows it as UTF-8.
std::string Help(int32_t helpId, int32_t kind) {
  const char* text = GetHelpText(helpId, kind);
  return text ? fw::AnsiToUtf8(text) : "";
}

bool SamePicture(fw::TBitmap& a, fw::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

enum class Setting { Absent, Zero, One, WrongType };

class TipFrame : public testing::Test {
 protected:
  void Write(Setting setting) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD number = setting == Setting::One ? 1 : 0;
    if (setting == Setting::Absent)
      RegDeleteValueA(key, "BSControl");
    else if (setting == Setting::WrongType)
      RegSetValueExA(key, "BSControl", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    else
      RegSetValueExA(key, "BSControl", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegCloseKey(key);
  }
  fw::TForm* CreateTip(const CreateArgs& args = {}) {
    host_.Create(args);
    return ModuleHost::Form();
  }

  testsupport::RegistryGuard settings_{kSettingsKey};
  testsupport::ScopedDialogs dialogs_;
  ModuleHost host_;
};

struct LanguageCase {
  int32_t language;
  int32_t helpId;
  bool english;
};

class TipLanguage : public TipFrame, public testing::WithParamInterface<LanguageCase> {};

TEST_P(TipLanguage, HelpHintsAndMenuFollowTheHostsLanguage) {
  const LanguageCase& c = GetParam();
  Write(Setting::Absent);
  CreateArgs args;
  args.language = c.language;
  args.helpId = c.helpId;
  fw::TForm* form = CreateTip(args);
  ASSERT_NE(form, nullptr);

  auto* german = Part<fw::TMemo>(form, "MemoHelpD");
  auto* english = Part<fw::TMemo>(form, "MemoHelpUS");
  ASSERT_TRUE(german && english);
  EXPECT_EQ(german->Text(), Help(c.helpId, zekhelp::kGermanHelp));
  EXPECT_EQ(english->Text(), Help(c.helpId, zekhelp::kEnglishHelp));
  EXPECT_FALSE(german->Text().empty());
  EXPECT_EQ(german->Visible(), !c.english);
  EXPECT_EQ(english->Visible(), c.english);
  EXPECT_EQ(IsWindowVisible(german->Handle()) != 0, !c.english);

  auto hint = [form](const char* name) { return Part<fw::TControl>(form, name)->Hint(); };
  auto* menuItem = Part<fw::TMenuItem>(form, "Fensterwechseln1");
  ASSERT_NE(menuItem, nullptr);
  if (c.english) {
    EXPECT_EQ(hint("HotSpeedButtonOK"), "Changes will be saved immediately");
    EXPECT_EQ(hint("HotSpeedButtonUndo"), "Restore defaults");
    EXPECT_EQ(hint("HotSpeedButtonRegistry"), "Registry Lookup");
    EXPECT_EQ(hint("HotSpeedButtonInfo"), "Valid to ...");
    EXPECT_EQ(menuItem->Caption(), "Change Window");
  } else {
    EXPECT_EQ(hint("HotSpeedButtonOK"), "\xC3\x84nderungen werden gespeichert");
    EXPECT_EQ(hint("HotSpeedButtonUndo"), "Setzt alles wieder auf die Standartwerte");
    EXPECT_EQ(hint("HotSpeedButtonRegistry"), "Wert in der Registry nachschlagen");
    EXPECT_EQ(hint("HotSpeedButtonInfo"), "G\xC3\xBCltig f\xC3\xBCr ... ");
    EXPECT_EQ(menuItem->Caption(), "Fenster wechseln");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TipLanguage,
    testing::Values(LanguageCase{0, zekhelp::kTagEditorHelpId, false},
                    LanguageCase{1, zekhelp::kTagEditorHelpId, true},
                    LanguageCase{2, zekhelp::kHelpIdWithoutRegistryPath, false},
                    LanguageCase{1, zekhelp::kHelpIdWithoutRegistryPath, true}));

TEST_F(TipFrame, AnUnknownHelpIdLeavesTheMemosEmpty) {
  CreateArgs args;
  args.helpId = 1;
  fw::TForm* form = CreateTip(args);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Part<fw::TMemo>(form, "MemoHelpD")->Text(), "");
  EXPECT_EQ(Part<fw::TMemo>(form, "MemoHelpUS")->Text(), "");
}

TEST_F(TipFrame, ShowingAgainReloadsBothHelpTexts) {
  fw::TForm* form = CreateTip();
  ASSERT_NE(form, nullptr);
  auto* german = Part<fw::TMemo>(form, "MemoHelpD");
  auto* english = Part<fw::TMemo>(form, "MemoHelpUS");
  form->Hide();
  german->SetText("alt");
  english->SetText("old");
  form->Show();
  EXPECT_EQ(german->Text(), Help(zekhelp::kTagEditorHelpId, zekhelp::kGermanHelp));
  EXPECT_EQ(english->Text(), Help(zekhelp::kTagEditorHelpId, zekhelp::kEnglishHelp));
}

TEST_F(TipFrame, TheSettingsKeyIsCreatedWhenMissing) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  ASSERT_TRUE(CreateTip());
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  if (key) RegCloseKey(key);
}

struct LockCase {
  const char* name;
  Setting setting;
  int32_t winVersionType;
  uint32_t validWinVersions;
  bool locked;
};

class TipLock : public TipFrame, public testing::WithParamInterface<LockCase> {};

// The controls a locked tip leaves usable: the help, its title, and the
// buttons that only show information.
const std::set<std::string> kStayEnabled = {"StaticTextTitle", "MemoHelpD", "MemoHelpUS",
                                            "HotSpeedButtonInfo", "HotSpeedButtonRegistry"};
// What the tag editor itself disables when it is shown: its file list
// starts with nothing selected, so there is nothing to play or to save.
const std::set<std::string> kDisabledAtStart = {"HotSpeedButtonOK", "SpeedButtonPlay"};

TEST_P(TipLock, ControlsAreLockedOnlyForAnInvalidTipWhenTheSettingAsks) {
  const LockCase& c = GetParam();
  Write(c.setting);
  CreateArgs args;
  args.winVersionType = c.winVersionType;
  args.validWinVersions = c.validWinVersions;
  fw::TForm* form = CreateTip(args);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(dialogs_->Records.empty());
  int controls = 0;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* control = dynamic_cast<fw::TControl*>(form->Components(i));
    if (!control) continue;
    ++controls;
    bool enabled = c.locked ? kStayEnabled.count(control->Name()) > 0
                            : kDisabledAtStart.count(control->Name()) == 0;
    EXPECT_EQ(control->Enabled(), enabled) << control->Name();
  }
  EXPECT_GE(controls, 11);
  EXPECT_TRUE(Part<fw::TMenuItem>(form, "Fensterwechseln1")->Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TipLock,
    testing::Values(LockCase{"AbsentValid", Setting::Absent, 13, 0x1000, false},
                    LockCase{"AbsentInvalid", Setting::Absent, 13, 0x0FFF, true},
                    LockCase{"ZeroInvalid", Setting::Zero, 13, 0x0FFF, false},
                    LockCase{"OneInvalid", Setting::One, 13, 0x0FFF, true},
                    LockCase{"OneValid", Setting::One, 1, 0x1, false},
                    LockCase{"TypeZeroHasNoBit", Setting::Absent, 0, 0xFFFFFFFF, true},
                    LockCase{"Type19HasNoBit", Setting::Absent, 19, 0xFFFFFFFF, true},
                    LockCase{"Type18InMask", Setting::Absent, 18, 0x20000, false},
                    LockCase{"Type18NotInMask", Setting::Absent, 18, 0x1FFFF, true}),
    [](const testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

// The registry error ends the creation handler: reported, the window made
// and shown all the same, but neither tested nor locked.
TEST_F(TipFrame, ASettingOfTheWrongTypeIsReportedAndSkipsTheRest) {
  Write(Setting::WrongType);
  CreateArgs args;
  args.validWinVersions = 0;
  fw::TForm* form = CreateTip(args);
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(dialogs_->Records.size(), 1u);
  EXPECT_EQ(dialogs_->Records[0].kind, testsupport::DialogKind::Exception);
  EXPECT_TRUE(IsWindowVisible(ModuleHost::Window()));
  EXPECT_TRUE(Part<fw::TControl>(form, "HotSpeedButtonUndo")->Enabled());
  EXPECT_EQ(Part<fw::TStaticText>(form, "StaticTextTitle")->Text(), "Tipp 63");
}

struct ButtonImages {
  const char* name;
  int normal;
  int hot;
};

// A disabled button keeps its normal picture, greyed, under the pointer
// too: its hot picture greyed is a blank disc. OK starts disabled.
TEST_F(TipFrame, ButtonsShowTheirNormalAndHotPicturesAndTheHandCursor) {
  fw::TForm* form = CreateTip();
  ASSERT_NE(form, nullptr);
  auto* images = Part<fw::TImageList>(form, "ImageList1");
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->Count(), 12);
  HWND window = form->Handle();
  for (auto [name, normal, hot] :
       {ButtonImages{"HotSpeedButtonOK", 0, 1}, ButtonImages{"HotSpeedButtonUndo", 2, 3},
        ButtonImages{"HotSpeedButtonInfo", 4, 5}, ButtonImages{"HotSpeedButtonRegistry", 6, 7}}) {
    SCOPED_TRACE(name);
    auto* button = Part<fw::TSpeedButton>(form, name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Width(), 36);
    EXPECT_EQ(button->Height(), 36);
    EXPECT_TRUE(button->Flat());
    fw::TBitmap normalPicture, hotPicture;
    images->GetBitmap(normal, normalPicture);
    images->GetBitmap(hot, hotPicture);
    EXPECT_TRUE(SamePicture(button->GetGlyph(), normalPicture));
    auto shows = [&](fw::TBitmap& picture, fw::TCursor cursor) {
      EXPECT_TRUE(testsupport::PumpUntil([&] { return SamePicture(button->GetGlyph(), picture); }));
      EXPECT_EQ(button->Cursor(), cursor);
    };

    testsupport::MovePointer(
        window, {button->Left() + button->Width() / 2, button->Top() + button->Height() / 2});
    const bool enabled = button->Enabled();
    EXPECT_EQ(enabled, std::string_view(name) != "HotSpeedButtonOK");
    shows(enabled ? hotPicture : normalPicture, enabled ? fw::crHandPoint : fw::crDefault);
    // Switched under the resting pointer, as a click on OK does.
    button->SetEnabled(!enabled);
    shows(enabled ? normalPicture : hotPicture, enabled ? fw::crDefault : fw::crHandPoint);
    button->SetEnabled(enabled);
    shows(enabled ? hotPicture : normalPicture, enabled ? fw::crHandPoint : fw::crDefault);

    // Out of the window altogether: the leave notice of the system's tracking.
    testsupport::MovePointer(window, {-20, -20});
    shows(normalPicture, fw::crDefault);
  }
}

}  // namespace
}  // namespace moduletest
