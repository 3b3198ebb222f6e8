#pragma once
// Files that nobody may write for the life of the object, as on a read-only
// share or a CD. Each gets the read-only attribute, which is what Windows
// refuses writers for; where that does not stop a writer (under Wine root
// writes through it) the files, and a folder named with them, are made
// immutable on the Unix side as well (chattr +i, which stops root too).
// Both are undone when the object goes, however the test ends; so it must
// go before the folder that holds the files.
#include <windows.h>

#include <string>
#include <vector>

#include "testsupport/TempDir.h"

namespace testsupport {

class Unwritable {
 public:
  // A path that names a folder stands for the folder and every file
  // directly in it.
  explicit Unwritable(const std::vector<std::string>& paths);
  ~Unwritable();
  Unwritable(const Unwritable&) = delete;
  Unwritable& operator=(const Unwritable&) = delete;

  // Whether every file refuses to be opened for writing.
  bool Holds() const { return reason_.empty(); }
  // Why not, when the file system cannot be made to refuse: a test's reason
  // to skip.
  const std::string& Reason() const { return reason_; }

  // The system's words for the refusal, as an error message quotes them.
  static std::string Refusal();

 private:
  bool AllRefuse() const;
  // chattr with `flag` on every file and folder; answers its errors.
  bool Chattr(const char* flag, std::string& errors) const;

  struct Entry {
    std::string path;
    DWORD attributes;
  };
  std::vector<Entry> files_;
  std::vector<std::string> folders_;
  bool immutable_ = false;
  std::string reason_;
  TempDir scratch_;
};

}  // namespace testsupport
