#pragma once
// The tests' side of the module contract: what a host does. It loads
// Ombrik63.dll, finds the five exports by name, passes framework long
// strings and finds the tip window again through the shared framework.
#include <windows.h>

#include <cstdint>
#include <string>

#include "HostOptions.h"
#include "fw/Form.h"
#include "fw/LongString.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/TempDir.h"

namespace moduletest {

// ModulCreate's arguments as the host passes them, with the tests' own
// defaults, and the null pointers a host may pass instead of the texts.
struct CreateArgs : host::CreateArgs {
  CreateArgs();
  bool nullCaption = false;  // pass the null pointer, the empty text
  bool nullHint = false;
};

class ModuleHost {
 public:
  // Loads the library; a fresh load starts every module-wide value at its default.
  ModuleHost();
  // Unloads it (the library ends a window that is still open).
  ~ModuleHost();
  ModuleHost(const ModuleHost&) = delete;
  ModuleHost& operator=(const ModuleHost&) = delete;

  HMODULE Library() const { return library_; }
  // The address of an export found by name, or null.
  void* Export(const char* name) const;

  int32_t Create(const CreateArgs& args = {});
  int32_t Free();
  int32_t SaveChanges();
  int32_t Changed();
  int32_t Nr();

  // The tip window, found by its window class, or null.
  static HWND Window();
  // The framework form behind it, or null.
  static fw::TForm* Form();
  // The number of tip windows that exist.
  static int WindowCount();

 private:
  HMODULE library_ = nullptr;
};

// The tag editor's OK writes the fields into the file selected in its file
// list, and fails at opening while nothing is selected. Tests of what OK
// does for the host give the tip a file: the folder is current while the tip
// is created, and Select clicks its one file, whose tag has only empty
// fields, so that loading it changes no field.
class TaggedFolder {
 public:
  TaggedFolder();
  void Select() const;

 private:
  testsupport::CurrentDirGuard cwd_;
  testsupport::TempDir dir_;
};

// A component of the tip form as the framework class it is expected to be,
// or null.
template <typename T>
T* Part(fw::TForm* form, const char* name) {
  return form ? dynamic_cast<T*>(form->FindComponent(name)) : nullptr;
}

}  // namespace moduletest
