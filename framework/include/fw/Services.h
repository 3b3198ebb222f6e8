#pragma once
// What a test must never do for real goes through these services: modal
// boxes, starting programs, restarting the system, and the drive queries a
// test needs to script. The defaults call the real Win32 functions.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "fw/Api.h"

namespace fw {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint32_t {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
};
// Modal results, as MessageDlg answers.
enum : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

class FW_API DialogService {
 public:
  virtual ~DialogService() = default;
  // The simple message box.
  virtual void ShowMessage(const std::string& text) = 0;
  // The confirmation dialog; answers a modal result.
  virtual int MessageDlg(const std::string& text, TMsgDlgType type, uint32_t buttons,
                         int helpContext) = 0;
  // The standard error box for an exception that reached the message dispatch.
  virtual void ShowException(const std::string& text) = 0;
};

class FW_API ShellService {
 public:
  virtual ~ShellService() = default;
  // ShellExecuteW's arguments.
  virtual HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file,
                            const wchar_t* params, const wchar_t* directory, int showCommand) = 0;
};

class FW_API SystemService {
 public:
  virtual ~SystemService() = default;
  virtual BOOL ExitSystem(UINT flags, DWORD reserved) = 0;
};

class FW_API DriveService {
 public:
  virtual ~DriveService() = default;
  virtual DWORD LogicalDrives() = 0;
  // The arguments of GetDriveTypeW, GetVolumeInformationW and
  // WNetGetConnectionW; sizes and lengths count characters.
  virtual UINT DriveType(const wchar_t* root) = 0;
  virtual BOOL VolumeInformation(const wchar_t* root, wchar_t* volumeName, DWORD volumeNameSize,
                                 DWORD* serial, DWORD* maxComponentLength, DWORD* flags,
                                 wchar_t* fsName, DWORD fsNameSize) = 0;
  virtual DWORD NetConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length) = 0;
};

// The services in force. Never null: a real implementation is installed
// from the start, and replacing one returns the previous so it can be put
// back.
FW_API DialogService& Dialogs();
FW_API ShellService& Shell();
FW_API SystemService& System();
FW_API DriveService& Drives();

FW_API std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> s);
FW_API std::unique_ptr<ShellService> SetShellService(std::unique_ptr<ShellService> s);
FW_API std::unique_ptr<SystemService> SetSystemService(std::unique_ptr<SystemService> s);
FW_API std::unique_ptr<DriveService> SetDriveService(std::unique_ptr<DriveService> s);

// Puts a service in place for a scope and the previous one back after it.
template <typename S, std::unique_ptr<S> (*Set)(std::unique_ptr<S>)>
class ScopedService {
 public:
  explicit ScopedService(std::unique_ptr<S> s) : previous_(Set(std::move(s))) {}
  ~ScopedService() { Set(std::move(previous_)); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  std::unique_ptr<S> previous_;
};

// The framework's simple message box and confirmation dialog.
FW_API void ShowMessage(const std::string& text);
FW_API int MessageDlg(const std::string& text, TMsgDlgType type, uint32_t buttons, int helpContext);

}  // namespace fw
