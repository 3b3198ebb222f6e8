#include "fw/Registry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/Unicode.h"

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
  LONG rc = ::RegOpenKeyExW(parent, Utf16(name).c_str(), 0, KEY_READ | KEY_WRITE, &raw);
  if (rc != ERROR_SUCCESS) return rc;
  {
    RegKey key(raw);
    // Collect first: enumeration indices shift as subkeys go.
    std::vector<std::string> children;
    wchar_t buf[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = std::size(buf);
      if (::RegEnumKeyExW(key.get(), i, buf, &len, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      children.push_back(Utf8(std::wstring_view(buf, len)));
    }
    for (const auto& child : children) DeleteTree(key.get(), child);
  }
  return ::RegDeleteKeyW(parent, Utf16(name).c_str());
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
    rc = ::RegCreateKeyExW(base, Utf16(relative).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &raw, nullptr);
  } else {
    rc = ::RegOpenKeyExW(base, Utf16(relative).c_str(), 0, KEY_READ | KEY_WRITE, &raw);
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
  return ::RegQueryValueExW(current_.get(), Utf16(name).c_str(), nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0, value = 0, size = sizeof value;
  LONG rc = current_ ? ::RegQueryValueExW(current_.get(), Utf16(name).c_str(), nullptr, &type,
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
  const std::wstring wideName = Utf16(name);
  DWORD type = 0, size = 0;
  LONG rc = ::RegQueryValueExW(current_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
  // The value may grow between the two queries; ask again until it fits.
  std::wstring data;
  for (;;) {
    data.resize(size / sizeof(wchar_t) + 1);
    DWORD got = size;
    rc = ::RegQueryValueExW(current_.get(), wideName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS) FailedToGet(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
    data.resize(got / sizeof(wchar_t));
    break;
  }
  // Stored strings normally end in one NUL, but nothing enforces it.
  size_t end = data.find(L'\0');
  if (end != std::wstring::npos) data.resize(end);
  return Utf8(data);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::wstring wide = Utf16(value);
  if (!current_ ||
      ::RegSetValueExW(current_.get(), Utf16(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    FailedToSet(name);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  DWORD data = static_cast<DWORD>(value);
  if (!current_ ||
      ::RegSetValueExW(current_.get(), Utf16(name).c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS)
    FailedToSet(name);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return current_ && ::RegDeleteValueW(current_.get(), Utf16(name).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& key) const {
  std::string relative;
  HKEY base = BaseFor(key, relative);
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(base, Utf16(relative).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
    return false;
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
