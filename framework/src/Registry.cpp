#include "fw/Registry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "fw/Exceptions.h"

namespace fw {
namespace {

[[noreturn]] void FailedToGet(const std::string& name) {
  throw ERegistryException("Failed to get data for '" + name + "'");
}
[[noreturn]] void InvalidType(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}
[[noreturn]] void FailedToSet(const std::string& name) {
  throw ERegistryException("Failed to set data for '" + name + "'");
}

// Removes a key and its subkeys; the key's own handle stays with the caller.
LONG DeleteTree(HKEY parent, const std::string& name) {
  HKEY raw = nullptr;
  LONG rc = ::RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &raw);
  if (rc != ERROR_SUCCESS) return rc;
  {
    RegKey key(raw);
    // Collect first: enumeration indices shift as subkeys go.
    std::vector<std::string> children;
    char buf[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof buf;
      if (::RegEnumKeyExA(key.get(), i, buf, &len, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      children.emplace_back(buf, len);
    }
    for (const auto& child : children) DeleteTree(key.get(), child);
  }
  return ::RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  root_ = root;
}

HKEY TRegistry::BaseFor(const std::string& key, std::string& relative) const {
  if (!key.empty() && key[0] == '\\') {
    relative = key.substr(1);
    return root_;
  }
  relative = key;
  return current_ ? current_.get() : root_;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string relative;
  HKEY base = BaseFor(key, relative);
  HKEY raw = nullptr;
  LONG rc;
  if (canCreate) {
    rc = ::RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &raw, nullptr);
  } else {
    rc = ::RegOpenKeyExA(base, relative.c_str(), 0, KEY_READ | KEY_WRITE, &raw);
  }
  if (rc != ERROR_SUCCESS) return false;
  std::string path = (base == root_ || path_.empty()) ? relative : path_ + "\\" + relative;
  current_.reset(raw);
  path_ = std::move(path);
  return true;
}

void TRegistry::CloseKey() {
  current_.reset();
  path_.clear();
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!current_) return false;
  return ::RegQueryValueExA(current_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0, value = 0, size = sizeof value;
  LONG rc = current_ ? ::RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(&value), &size)
                     : ERROR_INVALID_HANDLE;
  // A value too large for a DWORD answers ERROR_MORE_DATA but still has a type.
  if (rc == ERROR_MORE_DATA) InvalidType(name);
  if (rc != ERROR_SUCCESS) FailedToGet(name);
  if (type != REG_DWORD || size != sizeof value) InvalidType(name);
  return static_cast<int32_t>(value);
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!current_) return std::string();
  DWORD type = 0, size = 0;
  LONG rc = ::RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
  // The value may grow between the two queries; ask again until it fits.
  std::string data;
  for (;;) {
    data.resize(size);
    DWORD got = size;
    rc = ::RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS) FailedToGet(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
    data.resize(got);
    break;
  }
  // Stored strings normally end in one NUL, but nothing enforces it.
  size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  return data;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!current_ || ::RegSetValueExA(current_.get(), name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    FailedToSet(name);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  DWORD data = static_cast<DWORD>(value);
  if (!current_ ||
      ::RegSetValueExA(current_.get(), name.c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS)
    FailedToSet(name);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return current_ && ::RegDeleteValueA(current_.get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& key) const {
  std::string relative;
  HKEY base = BaseFor(key, relative);
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(base, relative.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  RegKey closer(raw);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string relative;
  HKEY base = BaseFor(key, relative);
  // An empty path would name the base key itself.
  if (relative.empty()) return false;
  return DeleteTree(base, relative) == ERROR_SUCCESS;
}

}  // namespace fw
