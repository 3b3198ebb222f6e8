#include "testsupport/ScriptedDrives.h"

#include <winnetwk.h>

#include <cwchar>

#include "fw/Unicode.h"

namespace testsupport {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsLetter(char c) { return Upper(c) >= 'A' && Upper(c) <= 'Z'; }

// Copies with truncation, always terminated, as the buffer allows.
void CopyOut(const std::string& text, wchar_t* buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return;
  const std::wstring s = fw::Utf16(text);
  size_t n = s.size() < size - 1 ? s.size() : size - 1;
  std::wmemcpy(buffer, s.data(), n);
  buffer[n] = L'\0';
}

std::string Logged(const char* function, const wchar_t* argument) {
  return std::string(function) + " " +
         (argument ? fw::Utf8(std::wstring_view(argument)) : "(null)");
}

}  // namespace

ScriptedDrive& ScriptedDrives::Drive(char letter) { return drives_[Upper(letter)]; }

void ScriptedDrives::Remove(char letter) { drives_.erase(Upper(letter)); }

const ScriptedDrive* ScriptedDrives::Find(const wchar_t* path) const {
  if (path == nullptr || path[0] > 0x7F || !IsLetter(static_cast<char>(path[0]))) return nullptr;
  auto it = drives_.find(Upper(static_cast<char>(path[0])));
  return it == drives_.end() ? nullptr : &it->second;
}

DWORD ScriptedDrives::LogicalDrives() {
  Log.push_back("LogicalDrives");
  DWORD mask = fallBack_ ? ::GetLogicalDrives() : 0;
  for (const auto& [letter, drive] : drives_) mask |= 1u << (letter - 'A');
  return mask;
}

UINT ScriptedDrives::DriveType(const wchar_t* root) {
  Log.push_back(Logged("DriveType", root));
  if (const ScriptedDrive* d = Find(root)) return d->type;
  return fallBack_ ? ::GetDriveTypeW(root) : DRIVE_NO_ROOT_DIR;
}

BOOL ScriptedDrives::VolumeInformation(const wchar_t* root, wchar_t* volumeName,
                                       DWORD volumeNameSize, DWORD* serial,
                                       DWORD* maxComponentLength, DWORD* flags, wchar_t* fsName,
                                       DWORD fsNameSize) {
  Log.push_back(Logged("VolumeInformation", root));
  const ScriptedDrive* d = Find(root);
  if (d == nullptr) {
    if (fallBack_)
      return ::GetVolumeInformationW(root, volumeName, volumeNameSize, serial, maxComponentLength,
                                     flags, fsName, fsNameSize);
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (d->notReady) {
    ::SetLastError(ERROR_NOT_READY);
    return FALSE;
  }
  CopyOut(d->label, volumeName, volumeNameSize);
  CopyOut(d->fsName, fsName, fsNameSize);
  if (serial) *serial = d->serial;
  if (maxComponentLength) *maxComponentLength = d->maxComponentLength;
  if (flags) *flags = d->fsFlags;
  return TRUE;
}

DWORD ScriptedDrives::NetConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length) {
  Log.push_back(Logged("NetConnection", localName));
  const ScriptedDrive* d = Find(localName);
  if (d == nullptr) {
    if (fallBack_) return ::WNetGetConnectionW(localName, remoteName, length);
    return ERROR_BAD_DEVICE;
  }
  if (d->remoteName.empty()) return ERROR_NOT_CONNECTED;
  // As the system: the length asked for counts the terminating zero.
  DWORD needed = static_cast<DWORD>(fw::Utf16(d->remoteName).size() + 1);
  if (length == nullptr) return ERROR_INVALID_PARAMETER;
  if (remoteName == nullptr || *length < needed) {
    *length = needed;
    return ERROR_MORE_DATA;
  }
  CopyOut(d->remoteName, remoteName, *length);
  return NO_ERROR;
}

}  // namespace testsupport
