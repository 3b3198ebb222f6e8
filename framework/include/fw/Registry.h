#pragma once
// The framework's registry class: one open key at a time under a root key.
// Reads check the value's type and raise ERegistryException when it does
// not match.
#include <windows.h>

#include <cstdint>
#include <string>

#include "fw/Api.h"
#include "fw/Handle.h"

namespace fw {

class FW_API TRegistry {
 public:
  TRegistry() = default;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return root_; }
  // Closes the open key first.
  void SetRootKey(HKEY root);
  HKEY CurrentKey() const { return current_.get(); }
  const std::string& CurrentPath() const { return path_; }

  // A path that starts with "\" is taken from the root; any other is taken
  // relative to the open key, or from the root when none is open. Answers
  // false when the key is missing (and may not be created) or access fails.
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();

  bool ValueExists(const std::string& name) const;
  // REG_DWORD only; a missing value or one of another type raises.
  int32_t ReadInteger(const std::string& name) const;
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  // REG_SZ or REG_EXPAND_SZ; a missing value reads as the empty text.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  bool DeleteValue(const std::string& name);

  // Same path rules as OpenKey.
  bool KeyExists(const std::string& key) const;
  // Deletes the key with everything below it.
  bool DeleteKey(const std::string& key);

 private:
  // The parent and relative path that a key path names.
  HKEY BaseFor(const std::string& key, std::string& relative) const;

  HKEY root_ = HKEY_CURRENT_USER;
  RegKey current_;
  std::string path_;
};

}  // namespace fw
