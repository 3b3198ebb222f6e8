#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fw/Services.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RecordingShell.h"
#include "testsupport/RecordingSystem.h"
#include "testsupport/ScriptedDrives.h"

namespace {

using namespace testsupport;

TEST(Services, BoxesGoThroughTheInstalledDialogServiceUntilTheScopeEnds) {
  fw::DialogService* real = &fw::Dialogs();
  {
    ScopedDialogs dialogs;
    dialogs->Answers = {fw::mrYes};
    fw::ShowMessage("Big");
    EXPECT_EQ(fw::MessageDlg("Neustart?", fw::TMsgDlgType::mtConfirmation, fw::mbYes | fw::mbNo, 0),
              fw::mrYes);
    // The queue is used up: the default answer follows.
    EXPECT_EQ(fw::MessageDlg("Again?", fw::TMsgDlgType::mtWarning, fw::mbOK, 7), fw::mrNo);
    fw::Dialogs().ShowException("Stream read error");
    ASSERT_EQ(dialogs->Records.size(), 4u);
    EXPECT_EQ(dialogs->Records[1].type, fw::TMsgDlgType::mtConfirmation);
    EXPECT_EQ(dialogs->Records[1].buttons, fw::mbYes | fw::mbNo);
    EXPECT_EQ(dialogs->Records[2].helpContext, 7);
    EXPECT_EQ(dialogs->Texts(DialogKind::Message), std::vector<std::string>{"Big"});
    EXPECT_EQ(dialogs->Texts(DialogKind::Dialog),
              (std::vector<std::string>{"Neustart?", "Again?"}));
    EXPECT_EQ(dialogs->Texts(DialogKind::Exception), std::vector<std::string>{"Stream read error"});
  }
  EXPECT_EQ(&fw::Dialogs(), real);
}

TEST(Services, ShellAndSystemRequestsAreRecordedNotCarriedOut) {
  ScopedShell shell;
  ScopedSystem system;
  system->Result = FALSE;
  HINSTANCE r = fw::Shell().Execute(nullptr, nullptr, L"regedit.exe", L"", L"", SW_SHOW);
  EXPECT_EQ(r, shell->Result);
  ASSERT_EQ(shell->Calls.size(), 1u);
  EXPECT_FALSE(shell->Calls[0].verb.has_value());  // no verb differs from an empty one
  EXPECT_EQ(shell->Calls[0].file, "regedit.exe");
  EXPECT_EQ(shell->Calls[0].params, "");
  EXPECT_EQ(shell->Calls[0].showCommand, SW_SHOW);
  EXPECT_FALSE(fw::System().ExitSystem(EWX_REBOOT, 0));
  ASSERT_EQ(system->Calls.size(), 1u);
  EXPECT_EQ(system->Calls[0].flags, static_cast<UINT>(EWX_REBOOT));
}

TEST(Services, ScriptedDrivesAnswerAsTheSystemWould) {
  ScopedDrives drives;
  drives->Drive('a').type = DRIVE_REMOVABLE;
  drives->Drive('A').notReady = true;
  drives->Drive('C').label = "SYSTEM";
  drives->Drive('C').fsFlags = FILE_CASE_SENSITIVE_SEARCH;
  drives->Drive('N').type = DRIVE_REMOTE;
  drives->Drive('N').remoteName = "\\\\SERVER\\SHARE";
  fw::DriveService& d = fw::Drives();
  EXPECT_EQ(d.LogicalDrives(), (1u << 0) | (1u << 2) | (1u << 13));
  EXPECT_EQ(d.DriveType(L"a:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
  EXPECT_EQ(d.DriveType(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));

  wchar_t label[12], fs[16];
  DWORD serial, maxLen, flags;
  ::SetLastError(0);
  EXPECT_FALSE(d.VolumeInformation(L"A:\\", label, 12, &serial, &maxLen, &flags, fs, 16));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_READY));
  ASSERT_TRUE(d.VolumeInformation(L"c:\\", label, 12, &serial, &maxLen, &flags, fs, 16));
  EXPECT_STREQ(label, L"SYSTEM");
  EXPECT_EQ(flags, static_cast<DWORD>(FILE_CASE_SENSITIVE_SEARCH));

  // A short buffer learns the length it needs, terminating zero included.
  wchar_t remote[8];
  DWORD len = 8;
  EXPECT_EQ(d.NetConnection(L"N:", remote, &len), static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(len, 15u);
  wchar_t big[64];
  len = 64;
  EXPECT_EQ(d.NetConnection(L"N:", big, &len), static_cast<DWORD>(NO_ERROR));
  EXPECT_STREQ(big, L"\\\\SERVER\\SHARE");
  EXPECT_EQ(d.NetConnection(L"C:", big, &len), static_cast<DWORD>(ERROR_NOT_CONNECTED));
  EXPECT_EQ(drives->Log.front(), "LogicalDrives");
}

TEST(Services, RealServicesAreInPlaceByDefault) {
  EXPECT_EQ(fw::Drives().LogicalDrives(), ::GetLogicalDrives());
  // Installing nothing puts a real service back rather than leaving a hole.
  auto previous = fw::SetDriveService(nullptr);
  EXPECT_EQ(fw::Drives().LogicalDrives(), ::GetLogicalDrives());
  fw::SetDriveService(std::move(previous));
}

}  // namespace
