#include "testsupport/CurrentDirGuard.h"

namespace testsupport {

CurrentDirGuard::CurrentDirGuard() {
  DWORD n = ::GetCurrentDirectoryA(0, nullptr);
  saved_.resize(n);
  n = ::GetCurrentDirectoryA(n, saved_.data());
  saved_.resize(n);
}

CurrentDirGuard::~CurrentDirGuard() { ::SetCurrentDirectoryA(saved_.c_str()); }

}  // namespace testsupport
