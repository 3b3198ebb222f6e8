#pragma once
// Another program's handle on a file: runs tagholder.exe (built beside the
// test programs) on the file, exclusively or shared, until the object goes.
// The same program can instead hold a window that has stopped answering.
#include <windows.h>

#include <string>

#include "fw/Handle.h"

namespace testsupport {

class FileHolder {
 public:
  // mode: "exclusive" or "shared"; or "window", and the path is the title of a
  // top-level window that the other program opens and then never serves.
  FileHolder(const std::string& path, const char* mode);
  ~FileHolder();
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;
  // Whether the other process has the file open.
  bool Open() const { return open_; }

 private:
  fw::KernelHandle stdinWrite_, stdoutRead_;
  fw::UniqueHandle<HANDLE, fw::NullableHandleTraits> process_;
  bool open_ = false;
};

}  // namespace testsupport
