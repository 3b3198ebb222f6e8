#pragma once
// A loaded tip module and its five exports, found by name.
#include <windows.h>

#include <cstdint>
#include <string>

#include "HostOptions.h"
#include "fw/Handle.h"

namespace host {

struct LibraryTraits {
  static HMODULE invalid() { return nullptr; }
  static void close(HMODULE h) { ::FreeLibrary(h); }
};
using LibraryHandle = fw::UniqueHandle<HMODULE, LibraryTraits>;

class TipModule {
 public:
  // Loads the library and resolves all five exports; raises fw::EFOpenError
  // when it cannot be loaded and fw::Exception when an export is missing.
  explicit TipModule(const std::string& path);

  // ModulCreate with both texts as framework long strings, which this side
  // holds for the duration of the call. On i686 the call goes through the
  // register convention; raises fw::Exception when the callee did not remove
  // exactly its 28 bytes of arguments.
  int32_t Create(const CreateArgs& args);
  int32_t SaveChanges() { return saveChanges_(); }
  int32_t Changed() { return changed_(); }
  int32_t Nr() { return nr_(); }
  int32_t Free() { return free_(); }

  const std::string& Path() const { return path_; }

 private:
  using NoArgs = int32_t (*)();
  FARPROC Export(const char* name);

  std::string path_;
  LibraryHandle library_;
  NoArgs nr_ = nullptr, saveChanges_ = nullptr, changed_ = nullptr, free_ = nullptr;
  FARPROC create_ = nullptr;
};

}  // namespace host
