// The commands every tip offers: the list of valid Windows versions, the
// registry lookup and the restart prompt, through the module as its host
// loads it. Nothing is started or restarted: the shell and the system are
// recording services.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TipTemplate.h"
#include "ZekHelp.h"
#include "fw/SpeedButton.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RecordingShell.h"
#include "testsupport/RecordingSystem.h"
#include "testsupport/RegistryGuard.h"

namespace moduletest {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";
constexpr char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

using testsupport::DialogKind;

class TemplateCommands : public testing::Test {
 protected:
  TemplateCommands() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "BSControl"); }

  fw::TForm* CreateTip(const CreateArgs& args = {}) {
    host_.Create(args);
    fw::TForm* form = ModuleHost::Form();
    EXPECT_NE(form, nullptr);
    return form;
  }
  void Click(fw::TForm* form, const char* button) {
    auto* b = Part<fw::TSpeedButton>(form, button);
    ASSERT_NE(b, nullptr) << button;
    b->Click();
  }

  testsupport::RegistryGuard settings_{kSettingsKey};
  testsupport::ScopedDialogs dialogs_;
  ModuleHost host_;
};

struct InfoCase {
  int32_t language;
  uint32_t mask;
  const char* text;
};

class InfoCommand : public TemplateCommands, public testing::WithParamInterface<InfoCase> {};

// Info stays usable on a locked tip, so the masks that leave the running
// Windows out work as well.
TEST_P(InfoCommand, ListsTheNamedVersionsOfTheMaskInBitOrder) {
  const InfoCase& c = GetParam();
  CreateArgs args;
  args.language = c.language;
  args.validWinVersions = c.mask;
  Click(CreateTip(args), "HotSpeedButtonInfo");
  EXPECT_EQ(dialogs_->Texts(DialogKind::Message), std::vector<std::string>{c.text});
  EXPECT_EQ(dialogs_->Records.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, InfoCommand,
    testing::Values(InfoCase{0, 0, "G\xC3\xBCltig f\xC3\xBCr:\r\n\r\n"},
                    InfoCase{1, 0, "Valid for:\r\n\r\n"},
                    InfoCase{2, 0x3000, "G\xC3\xBCltig f\xC3\xBCr:\r\n\r\nWindows XP\r\n"},
                    InfoCase{1, 0xFFFFE000, "Valid for:\r\n\r\n"},
                    InfoCase{0, 0x1FFF,
                             "G\xC3\xBCltig f\xC3\xBCr:\r\n\r\n"
                             "Windows 98 Standard Edition\r\n"
                             "Windows 98 Standard Edition A\r\n"
                             "Windows 98 Second Edition\r\n"
                             "Windows 95\r\n"
                             "Windows 95 A\r\n"
                             "Windows 95 B\r\n"
                             "Windows 95 B OEM Service Release 2\r\n"
                             "Windows 95 B OEM Service Release 2.1\r\n"
                             "Windows 95 C OEM Service Release 2.5 C\r\n"
                             "Windows NT\r\n"
                             "Windows 2000\r\n"
                             "Windows 98 ME\r\n"
                             "Windows XP\r\n"},
                    InfoCase{1, 0x0A01,
                             "Valid for:\r\n\r\nWindows 98 Standard Edition\r\nWindows NT\r\n"
                             "Windows 98 ME\r\n"}));

std::string ReadLastKey() {
  char value[512] = {};
  DWORD size = sizeof value;
  LONG rc =
      RegGetValueA(HKEY_CURRENT_USER, kRegeditKey, "LastKey", RRF_RT_REG_SZ, nullptr, value, &size);
  return rc == ERROR_SUCCESS ? value : "<missing>";
}

struct RegistryCase {
  const char* name;
  int32_t helpId;
  bool keyExists;
  bool shellFails;
};

class RegistryCommand : public TemplateCommands, public testing::WithParamInterface<RegistryCase> {
 protected:
  testsupport::RegistryGuard regedit_{kRegeditKey};
  testsupport::ScopedShell shell_;
};

TEST_P(RegistryCommand, WritesTheTipsKeyForTheEditorAndStartsIt) {
  const RegistryCase& c = GetParam();
  if (c.keyExists) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRegeditKey, "LastKey", REG_SZ, "stale", 6),
              ERROR_SUCCESS);
  } else {
    RegDeleteTreeA(HKEY_CURRENT_USER, kRegeditKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kRegeditKey);
  }
  if (c.shellFails) shell_->Result = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(2));
  CreateArgs args;
  args.helpId = c.helpId;
  args.validWinVersions = 0;  // locked: the lookup stays usable
  fw::TForm* form = CreateTip(args);

  Click(form, "HotSpeedButtonRegistry");
  const char* path = GetHelpText(c.helpId, zekhelp::kRegistryPath);
  if (c.helpId == zekhelp::kTagEditorHelpId) {
    ASSERT_NE(path, nullptr);
  }
  EXPECT_EQ(ReadLastKey(), path ? path : "");
  ASSERT_EQ(shell_->Calls.size(), 1u);
  const testsupport::ShellCall& call = shell_->Calls[0];
  EXPECT_EQ(call.owner, form->Handle());
  EXPECT_FALSE(call.verb.has_value()) << "the default action";
  EXPECT_EQ(call.file, "regedit.exe");
  EXPECT_EQ(call.params, "");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.showCommand, SW_SHOW);
  EXPECT_TRUE(dialogs_->Records.empty()) << "a failed start is not reported";
}

INSTANTIATE_TEST_SUITE_P(
    HelpPaths, RegistryCommand,
    testing::Values(RegistryCase{"WithPath", zekhelp::kTagEditorHelpId, true, false},
                    RegistryCase{"WithPathKeyMissing", zekhelp::kTagEditorHelpId, false, false},
                    RegistryCase{"WithoutPath", zekhelp::kHelpIdWithoutRegistryPath, true, false},
                    RegistryCase{"ShellFails", zekhelp::kTagEditorHelpId, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr char kRestartQuestion[] =
    "Um diese \xC3\x84nderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der "
    "Neustart jetzt durchgef\xC3\xBChrt werden ?";
constexpr char kRestartFailed[] =
    "Das System l\xC3\xA4\xC3\x9Ft sich zur Zeit nicht neu starten. Bitte f\xC3\xBChren Sie "
    "sp\xC3\xA4ter manuell "
    "einen Neustart durch";

struct RestartCase {
  const char* name;
  int answer;
  int32_t tag;
  BOOL systemAccepts;
  bool restartRequested;
  bool throughPrivilege;
};

class RestartPrompt : public TemplateCommands, public testing::WithParamInterface<RestartCase> {
 protected:
  // The privilege starts disabled, so that the test sees who enabled it,
  // and is left as it was found.
  RestartPrompt() : privilegeWas_(testsupport::ShutdownPrivilegeEnabled()) {
    testsupport::SetShutdownPrivilege(false);
  }
  ~RestartPrompt() override { testsupport::SetShutdownPrivilege(privilegeWas_); }

  bool privilegeWas_;
  testsupport::ScopedSystem system_;
};

TEST_P(RestartPrompt, AsksThenRestartsTheWayTheWindowsVersionNeeds) {
  const RestartCase& c = GetParam();
  ASSERT_FALSE(testsupport::ShutdownPrivilegeEnabled());
  fw::TForm* form = CreateTip();
  HWND window = form->Handle();
  form->SetTag(c.tag);
  system_->Result = c.systemAccepts;
  dialogs_->Answers.push_back(c.answer);

  // A tip that needs a restart calls the template's prompt.
  static_cast<TfrmTippTemplate*>(form)->NeuStart();

  ASSERT_FALSE(dialogs_->Records.empty());
  const testsupport::DialogRecord& question = dialogs_->Records[0];
  EXPECT_EQ(question.kind, DialogKind::Dialog);
  EXPECT_EQ(question.text, kRestartQuestion);
  EXPECT_EQ(question.type, fw::TMsgDlgType::mtConfirmation);
  EXPECT_EQ(question.buttons, uint32_t{fw::mbYes | fw::mbNo});
  EXPECT_EQ(question.helpContext, 0);

  if (!c.restartRequested) {
    EXPECT_TRUE(system_->Calls.empty());
  } else {
    ASSERT_EQ(system_->Calls.size(), 1u);
    EXPECT_EQ(system_->Calls[0].flags, static_cast<UINT>(EWX_REBOOT));
    EXPECT_EQ(system_->Calls[0].reserved, 0u);
    EXPECT_EQ(system_->Calls[0].shutdownPrivilege, c.throughPrivilege);
  }
  EXPECT_FALSE(testsupport::ShutdownPrivilegeEnabled()) << "enabled for the call only";

  bool restarted = c.restartRequested && c.systemAccepts;
  EXPECT_EQ(IsWindowVisible(window) != FALSE, !restarted) << "closed after an accepted restart";
  std::vector<std::string> messages;
  if (c.restartRequested && !c.systemAccepts) messages.push_back(kRestartFailed);
  EXPECT_EQ(dialogs_->Texts(DialogKind::Message), messages);
  EXPECT_EQ(dialogs_->Records.size(), 1 + messages.size());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RestartPrompt,
    testing::Values(RestartCase{"No", fw::mrNo, 13, TRUE, false, false},
                    RestartCase{"NoOnNT", fw::mrNo, 10, TRUE, false, false},
                    RestartCase{"YesOnXP", fw::mrYes, 13, TRUE, true, false},
                    RestartCase{"YesOnXPRefused", fw::mrYes, 13, FALSE, true, false},
                    RestartCase{"YesOnNT", fw::mrYes, 10, TRUE, true, true},
                    RestartCase{"YesOn2000", fw::mrYes, 11, TRUE, true, true},
                    RestartCase{"YesOn2000Refused", fw::mrYes, 11, FALSE, true, true},
                    RestartCase{"YesOnUnknownType", fw::mrYes, 0, TRUE, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace moduletest
