#pragma once
// A drive service that answers for a scripted machine: which letters exist,
// their type, volume label, file-system flags and network connection, and
// which drives are not ready (no medium). Letters not scripted are absent,
// unless the script asks to fall back to the real system for them.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "fw/Services.h"
#include "testsupport/Installed.h"

namespace testsupport {

struct ScriptedDrive {
  UINT type = DRIVE_FIXED;
  std::string label;  // UTF-8, as the names below
  DWORD fsFlags = 0;
  std::string fsName = "NTFS";
  DWORD serial = 0x12345678;
  DWORD maxComponentLength = 255;
  // \\SERVER\SHARE for a connected network drive; empty: not connected.
  std::string remoteName;
  // A drive without a medium: volume queries fail with ERROR_NOT_READY.
  bool notReady = false;
};

class ScriptedDrives : public fw::DriveService {
 public:
  explicit ScriptedDrives(bool fallBackToSystem = false) : fallBack_(fallBackToSystem) {}

  // The script of a letter (either case), created with defaults on first use.
  ScriptedDrive& Drive(char letter);
  void Remove(char letter);

  DWORD LogicalDrives() override;
  UINT DriveType(const wchar_t* root) override;
  BOOL VolumeInformation(const wchar_t* root, wchar_t* volumeName, DWORD volumeNameSize,
                         DWORD* serial, DWORD* maxComponentLength, DWORD* flags, wchar_t* fsName,
                         DWORD fsNameSize) override;
  DWORD NetConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length) override;

  // Every query as "<function> <argument>", e.g. "VolumeInformation c:\".
  std::vector<std::string> Log;

 private:
  // The script for the drive a root or local name starts with, or nullptr.
  const ScriptedDrive* Find(const wchar_t* path) const;

  std::map<char, ScriptedDrive> drives_;  // keyed by upper-case letter
  bool fallBack_;
};

using ScopedDrives = Installed<ScriptedDrives, fw::DriveService, &fw::SetDriveService>;

}  // namespace testsupport
