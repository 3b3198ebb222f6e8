#pragma once
// A file opened with the framework's mode word: access in the low nibble,
// sharing in the next. Failures raise the stream exceptions.
#include <cstdint>
#include <string>

#include "fw/Api.h"
#include "fw/Handle.h"

namespace fw {

enum : uint32_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
};

enum class SeekOrigin { Begin, Current, End };

class FW_API TFileStream {
 public:
  // Raises EFOpenError naming the file and the system's reason.
  TFileStream(const std::string& fileName, uint32_t mode);

  const std::string& FileName() const { return fileName_; }
  int64_t Size() const;
  int64_t Position() const;
  int64_t Seek(int64_t offset, SeekOrigin origin);

  // Transfer as much as possible and say how much moved.
  int32_t Read(void* buffer, int32_t count);
  int32_t Write(const void* buffer, int32_t count);
  // Transfer exactly count bytes or raise EReadError / EWriteError.
  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);

 private:
  std::string fileName_;
  KernelHandle handle_;
};

}  // namespace fw
