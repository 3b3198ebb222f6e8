#pragma once
// Puts the process's error mode back as it was.
#include <windows.h>

namespace testsupport {

class ErrorModeGuard {
 public:
  ErrorModeGuard() : saved_(::SetErrorMode(0)) { ::SetErrorMode(saved_); }
  explicit ErrorModeGuard(UINT mode) : saved_(::SetErrorMode(mode)) {}
  ~ErrorModeGuard() { ::SetErrorMode(saved_); }
  ErrorModeGuard(const ErrorModeGuard&) = delete;
  ErrorModeGuard& operator=(const ErrorModeGuard&) = delete;

  UINT Saved() const { return saved_; }

 private:
  UINT saved_;
};

}  // namespace testsupport
