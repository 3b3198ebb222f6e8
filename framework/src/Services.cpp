#include "fw/Services.h"

#include <windows.h>
#include <winnetwk.h>

#include <string>
#include <utility>

#include "fw/Unicode.h"

namespace fw {
namespace {

// Boxes carry the program's name as their caption, as the application's
// title is the executable's base name.
std::string ApplicationTitle() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string name = Utf8(std::wstring_view(path, n));
  size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

UINT IconFor(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return MB_ICONWARNING;
    case TMsgDlgType::mtError:
      return MB_ICONERROR;
    case TMsgDlgType::mtInformation:
      return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation:
      return MB_ICONQUESTION;
    case TMsgDlgType::mtCustom:
      break;
  }
  return 0;
}

// The message box offers fixed button sets; pick the one that holds the
// requested buttons.
UINT ButtonsFor(uint32_t buttons) {
  const bool yes = buttons & mbYes, no = buttons & mbNo, cancel = buttons & mbCancel;
  if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
  if (buttons & mbAbort) return MB_ABORTRETRYIGNORE;
  if ((buttons & mbRetry) && cancel) return MB_RETRYCANCEL;
  if (cancel) return MB_OKCANCEL;
  return MB_OK;
}

class RealDialogs final : public DialogService {
 public:
  void ShowMessage(const std::string& text) override { Box(text, MB_OK); }
  int MessageDlg(const std::string& text, TMsgDlgType type, uint32_t buttons, int) override {
    // IDOK..IDNO have the same numbers as the modal results.
    return Box(text, IconFor(type) | ButtonsFor(buttons));
  }
  void ShowException(const std::string& text) override { Box(text, MB_OK | MB_ICONERROR); }

 private:
  static int Box(const std::string& text, UINT style) {
    return ::MessageBoxW(::GetActiveWindow(), Utf16(text).c_str(),
                         Utf16(ApplicationTitle()).c_str(), style | MB_TASKMODAL);
  }
};

class RealShell final : public ShellService {
 public:
  HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* params,
                    const wchar_t* directory, int showCommand) override {
    return ::ShellExecuteW(owner, verb, file, params, directory, showCommand);
  }
};

class RealSystem final : public SystemService {
 public:
  BOOL ExitSystem(UINT flags, DWORD reserved) override { return ::ExitWindowsEx(flags, reserved); }
};

class RealDrives final : public DriveService {
 public:
  DWORD LogicalDrives() override { return ::GetLogicalDrives(); }
  UINT DriveType(const wchar_t* root) override { return ::GetDriveTypeW(root); }
  BOOL VolumeInformation(const wchar_t* root, wchar_t* volumeName, DWORD volumeNameSize,
                         DWORD* serial, DWORD* maxComponentLength, DWORD* flags, wchar_t* fsName,
                         DWORD fsNameSize) override {
    return ::GetVolumeInformationW(root, volumeName, volumeNameSize, serial, maxComponentLength,
                                   flags, fsName, fsNameSize);
  }
  DWORD NetConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length) override {
    return ::WNetGetConnectionW(localName, remoteName, length);
  }
};

// Function-local slots, so services work during other units' static
// initialisation too.
template <typename S, typename Real>
std::unique_ptr<S>& Slot() {
  static std::unique_ptr<S> slot = std::make_unique<Real>();
  return slot;
}

template <typename S, typename Real>
std::unique_ptr<S> Replace(std::unique_ptr<S> s) {
  if (!s) s = std::make_unique<Real>();  // never leave a hole
  return std::exchange(Slot<S, Real>(), std::move(s));
}

}  // namespace

DialogService& Dialogs() { return *Slot<DialogService, RealDialogs>(); }
ShellService& Shell() { return *Slot<ShellService, RealShell>(); }
SystemService& System() { return *Slot<SystemService, RealSystem>(); }
DriveService& Drives() { return *Slot<DriveService, RealDrives>(); }

std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> s) {
  return Replace<DialogService, RealDialogs>(std::move(s));
}
std::unique_ptr<ShellService> SetShellService(std::unique_ptr<ShellService> s) {
  return Replace<ShellService, RealShell>(std::move(s));
}
std::unique_ptr<SystemService> SetSystemService(std::unique_ptr<SystemService> s) {
  return Replace<SystemService, RealSystem>(std::move(s));
}
std::unique_ptr<DriveService> SetDriveService(std::unique_ptr<DriveService> s) {
  return Replace<DriveService, RealDrives>(std::move(s));
}

void ShowMessage(const std::string& text) { Dialogs().ShowMessage(text); }
int MessageDlg(const std::string& text, TMsgDlgType type, uint32_t buttons, int helpContext) {
  return Dialogs().MessageDlg(text, type, buttons, helpContext);
}

}  // namespace fw
