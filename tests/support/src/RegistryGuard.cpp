#include "testsupport/RegistryGuard.h"

#include <string>
#include <utility>
#include <vector>

#include "fw/Handle.h"

namespace testsupport {

struct RegistryGuard::Snapshot {
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::string, Snapshot>> subkeys;
};

namespace {

using Snapshot = RegistryGuard::Snapshot;

bool SameName(const std::string& a, const std::string& b) {
  return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

fw::RegKey Open(HKEY parent, const std::string& path, REGSAM access) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(parent, path.c_str(), 0, access, &raw) != ERROR_SUCCESS) return {};
  return fw::RegKey(raw);
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  char buf[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof buf;
    if (::RegEnumKeyExA(key, i, buf, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(buf, len);
  }
  return names;
}

std::vector<Snapshot::Value> Values(HKEY key) {
  std::vector<Snapshot::Value> values;
  DWORD maxName = 0, maxData = 0;
  if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS)
    return values;
  for (DWORD i = 0;; ++i) {
    std::string name(maxName + 1, '\0');
    std::string data(maxData, '\0');
    DWORD nameLen = maxName + 1, dataLen = maxData, type = 0;
    if (::RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type,
                        reinterpret_cast<BYTE*>(data.data()), &dataLen) != ERROR_SUCCESS)
      break;
    name.resize(nameLen);
    data.resize(dataLen);
    values.push_back({std::move(name), type, std::move(data)});
  }
  return values;
}

Snapshot Take(HKEY key) {
  Snapshot s;
  s.values = Values(key);
  for (const auto& name : SubkeyNames(key)) {
    fw::RegKey child = Open(key, name, KEY_READ);
    if (child) s.subkeys.emplace_back(name, Take(child.get()));
  }
  return s;
}

void DeleteTree(HKEY parent, const std::string& name) {
  if (fw::RegKey key = Open(parent, name, KEY_READ | KEY_WRITE)) {
    for (const auto& child : SubkeyNames(key.get())) DeleteTree(key.get(), child);
  }
  ::RegDeleteKeyA(parent, name.c_str());
}

void PutBack(HKEY key, const Snapshot& s) {
  for (const auto& v : Values(key)) {
    bool kept = false;
    for (const auto& old : s.values) kept = kept || SameName(old.name, v.name);
    if (!kept) ::RegDeleteValueA(key, v.name.c_str());
  }
  for (const auto& v : s.values) {
    ::RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                     static_cast<DWORD>(v.data.size()));
  }
  for (const auto& name : SubkeyNames(key)) {
    bool kept = false;
    for (const auto& old : s.subkeys) kept = kept || SameName(old.first, name);
    if (!kept) DeleteTree(key, name);
  }
  for (const auto& [name, child] : s.subkeys) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(key, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &raw, nullptr) == ERROR_SUCCESS) {
      fw::RegKey sub(raw);
      PutBack(sub.get(), child);
    }
  }
}

}  // namespace

RegistryGuard::RegistryGuard(std::string path, HKEY root) : root_(root), path_(std::move(path)) {
  if (fw::RegKey key = Open(root_, path_, KEY_READ)) {
    snapshot_ = std::make_unique<Snapshot>(Take(key.get()));
    return;
  }
  // Find the outermost missing key on the way down.
  for (size_t pos = 0;; ++pos) {
    pos = path_.find('\\', pos);
    std::string prefix = path_.substr(0, pos);
    if (!prefix.empty() && !Open(root_, prefix, KEY_READ)) {
      firstMissing_ = prefix;
      break;
    }
    if (pos == std::string::npos) break;
  }
}

RegistryGuard::~RegistryGuard() { Restore(); }

void RegistryGuard::Restore() const {
  if (snapshot_) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &raw, nullptr) == ERROR_SUCCESS) {
      fw::RegKey key(raw);
      PutBack(key.get(), *snapshot_);
    }
  } else if (!firstMissing_.empty()) {
    DeleteTree(root_, firstMissing_);
  }
}

}  // namespace testsupport
