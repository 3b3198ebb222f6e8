#pragma once
// Keeps a registry key as a test found it. On construction it records
// whether the key existed and, if so, all its values and subkeys; on
// destruction it puts exactly that back: values and subkeys the test added
// go, changed and deleted ones return. If the key did not exist, the
// outermost key on its path that the test created is deleted with all
// below it. Uses the plain Win32 registry, not the framework's class under
// test.
#include <windows.h>

#include <memory>
#include <string>

namespace testsupport {

class RegistryGuard {
 public:
  explicit RegistryGuard(std::string path, HKEY root = HKEY_CURRENT_USER);
  ~RegistryGuard();
  RegistryGuard(const RegistryGuard&) = delete;
  RegistryGuard& operator=(const RegistryGuard&) = delete;

  bool Existed() const { return snapshot_ != nullptr; }
  // Restore now (the destructor restores again).
  void Restore() const;

  struct Snapshot;

 private:
  HKEY root_;
  std::string path_;
  // The outermost key on the path that did not exist; empty when the key did.
  std::string firstMissing_;
  std::unique_ptr<Snapshot> snapshot_;
};

}  // namespace testsupport
