#pragma once
// A fresh directory under the system's temp directory, removed with all its
// contents (read-only, hidden and system entries included) when the object
// goes; if the current directory lies inside it then, the current directory
// moves to its parent first. Paths are in the long form the system reports as
// current directory. Relative names are UTF-8 and may be of any script and
// make paths of any depth.
#include <windows.h>

#include <string>
#include <string_view>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Without a trailing backslash.
  const std::string& Path() const { return path_; }
  // Path() + "\" + relative.
  std::string operator/(std::string_view relative) const;

  // Each answers the full path. WriteFile creates or replaces the file with
  // exactly these bytes; missing parent directories are created.
  std::string WriteFile(std::string_view relative, std::string_view bytes) const;
  std::string MakeDir(std::string_view relative) const;
  std::string ReadFile(std::string_view relative) const;
  // Sets FILE_ATTRIBUTE_* bits of an entry.
  void SetAttributes(std::string_view relative, DWORD attributes) const;

 private:
  std::string path_;
};

}  // namespace testsupport
