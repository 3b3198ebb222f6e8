#include "fw/FileStream.h"

#include <windows.h>

#include <string>

#include "SystemMessage.h"
#include "fw/Exceptions.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace fw {
namespace {

using detail::SystemMessage;

[[noreturn]] void RaiseOpenError(const std::string& fileName, DWORD code) {
  throw EFOpenError("Cannot open file \"" + fileName + "\". " + SystemMessage(code));
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
  DWORD access;
  switch (mode & 0x0F) {
    case fmOpenRead:
      access = GENERIC_READ;
      break;
    case fmOpenWrite:
      access = GENERIC_WRITE;
      break;
    case fmOpenReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      break;
    default:
      RaiseOpenError(fileName, ERROR_INVALID_PARAMETER);
  }
  DWORD share;
  switch (mode & 0xF0) {
    case fmShareCompat:
    case fmShareExclusive:
      share = 0;
      break;
    case fmShareDenyWrite:
      share = FILE_SHARE_READ;
      break;
    case fmShareDenyRead:
      share = FILE_SHARE_WRITE;
      break;
    case fmShareDenyNone:
      share = FILE_SHARE_READ | FILE_SHARE_WRITE;
      break;
    default:
      RaiseOpenError(fileName, ERROR_INVALID_PARAMETER);
  }
  HANDLE h = ::CreateFileW(SystemPath(fileName).c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) RaiseOpenError(fileName, ::GetLastError());
  handle_.reset(h);
}

int64_t TFileStream::Size() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(handle_.get(), &size))
    throw EStreamError("Cannot read the size of \"" + fileName_ + "\". " +
                       SystemMessage(::GetLastError()));
  return size.QuadPart;
}

int64_t TFileStream::Position() const {
  LARGE_INTEGER zero{}, pos;
  if (!::SetFilePointerEx(handle_.get(), zero, &pos, FILE_CURRENT))
    throw EStreamError("Cannot read the position in \"" + fileName_ + "\". " +
                       SystemMessage(::GetLastError()));
  return pos.QuadPart;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  DWORD method = origin == SeekOrigin::Begin     ? FILE_BEGIN
                 : origin == SeekOrigin::Current ? FILE_CURRENT
                                                 : FILE_END;
  LARGE_INTEGER distance, pos;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(handle_.get(), distance, &pos, method))
    throw EStreamError("Cannot seek in \"" + fileName_ + "\". " + SystemMessage(::GetLastError()));
  return pos.QuadPart;
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  DWORD done = 0;
  if (!::ReadFile(handle_.get(), buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  DWORD done = 0;
  if (!::WriteFile(handle_.get(), buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

void TFileStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TFileStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

}  // namespace fw
