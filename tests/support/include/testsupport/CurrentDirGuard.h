#pragma once
// Puts the process's current directory back as it was.
#include <windows.h>

#include <string>

namespace testsupport {

class CurrentDirGuard {
 public:
  CurrentDirGuard();
  ~CurrentDirGuard();
  CurrentDirGuard(const CurrentDirGuard&) = delete;
  CurrentDirGuard& operator=(const CurrentDirGuard&) = delete;

  const std::string& Saved() const { return saved_; }

 private:
  std::string saved_;
};

}  // namespace testsupport
