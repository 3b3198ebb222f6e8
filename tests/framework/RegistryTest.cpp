#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fw/Exceptions.h"
#include "fw/Handle.h"
#include "fw/Registry.h"
#include "testsupport/RegistryGuard.h"

namespace {

using fw::TRegistry;
using testsupport::RegistryGuard;

// Every test works below its own key, which the guard removes again.
class Registry : public ::testing::Test {
 protected:
  const std::string base_ = "Software\\FwTests-" + std::to_string(::GetCurrentProcessId());
  RegistryGuard guard_{base_};
};

void SetRaw(const std::string& key, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY raw = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &raw, nullptr),
            ERROR_SUCCESS);
  fw::RegKey k(raw);
  ASSERT_EQ(::RegSetValueExA(k.get(), name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
}

TEST_F(Registry, OpenKeyCreatesOnlyWhenAllowed) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  const std::string key = base_ + "\\Tovrane\\Quindrel 2000";
  EXPECT_FALSE(reg.OpenKey(key, false));
  EXPECT_FALSE(reg.KeyExists(key));
  EXPECT_TRUE(reg.OpenKey(key, true));
  EXPECT_EQ(reg.CurrentPath(), key);
  EXPECT_TRUE(reg.KeyExists("\\" + key));
  // Relative to the open key, or from the root with a leading backslash.
  EXPECT_TRUE(reg.OpenKey("Sub", true));
  EXPECT_EQ(reg.CurrentPath(), key + "\\Sub");
  EXPECT_TRUE(reg.OpenKey("\\" + key, false));
  EXPECT_EQ(reg.CurrentPath(), key);
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_TRUE(reg.KeyExists(key + "\\Sub"));
}

TEST_F(Registry, ValuesRoundTrip) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base_, true));
  reg.WriteInteger("Neg", -5);
  reg.WriteBool("On", true);
  reg.WriteBool("Off", false);
  reg.WriteString("LastKey", "Mein Computer\\HKEY_CURRENT_USER\\Software\\\xC3\x84");
  reg.WriteString("Empty", "");
  EXPECT_EQ(reg.ReadInteger("Neg"), -5);
  EXPECT_TRUE(reg.ReadBool("On"));
  EXPECT_FALSE(reg.ReadBool("Off"));
  EXPECT_EQ(reg.ReadString("LastKey"), "Mein Computer\\HKEY_CURRENT_USER\\Software\\\xC3\x84");
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_TRUE(reg.DeleteValue("Neg"));
  EXPECT_FALSE(reg.ValueExists("Neg"));
  EXPECT_FALSE(reg.DeleteValue("Neg"));
}

TEST_F(Registry, IntegerReadRaisesOnAnyOtherTypeOrAMissingValue) {
  const DWORD dword = 1;
  const unsigned long long qword = 1;
  const struct {
    const char* name;
    DWORD type;
    const void* data;
    DWORD size;
  } cases[] = {
      {"Text", REG_SZ, "1", 2},
      {"Binary", REG_BINARY, &dword, sizeof dword},
      {"Big", REG_QWORD, &qword, sizeof qword},
      {"Expand", REG_EXPAND_SZ, "1", 2},
  };
  for (const auto& c : cases) SetRaw(base_, c.name, c.type, c.data, c.size);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base_, false));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(reg.ValueExists(c.name));
    try {
      reg.ReadInteger(c.name);
      ADD_FAILURE() << "no exception";
    } catch (const fw::ERegistryException& e) {
      EXPECT_EQ(std::string(e.what()), "Invalid data type for '" + std::string(c.name) + "'");
    }
    EXPECT_THROW(reg.ReadBool(c.name), fw::ERegistryException);
  }
  EXPECT_THROW(reg.ReadInteger("Missing"), fw::ERegistryException);
  // And the other way round: a number is no string.
  SetRaw(base_, "BSControl", REG_DWORD, &dword, sizeof dword);
  EXPECT_TRUE(reg.ReadBool("BSControl"));
  EXPECT_THROW(reg.ReadString("BSControl"), fw::ERegistryException);
}

TEST_F(Registry, WithoutAnOpenKeyReadsAndWritesFail) {
  TRegistry reg;
  EXPECT_FALSE(reg.ValueExists("x"));
  EXPECT_THROW(reg.ReadInteger("x"), fw::ERegistryException);
  EXPECT_THROW(reg.WriteString("x", "y"), fw::ERegistryException);
  EXPECT_THROW(reg.WriteInteger("x", 1), fw::ERegistryException);
}

TEST_F(Registry, DeleteKeyTakesSubkeysAlong) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base_ + "\\A\\B\\C", true));
  reg.WriteInteger("v", 1);
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey(base_ + "\\A"));
  EXPECT_FALSE(reg.KeyExists(base_ + "\\A"));
  EXPECT_TRUE(reg.KeyExists(base_));
  EXPECT_FALSE(reg.DeleteKey(base_ + "\\A"));
}

// The guard itself: tests elsewhere trust it to leave the registry as found.

std::string Dump(const std::string& key) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
    return "<missing>";
  fw::RegKey k(raw);
  std::string out;
  char name[256], data[256];
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (::RegEnumValueA(k.get(), i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data),
                        &dataLen) != ERROR_SUCCESS)
      break;
    out += std::string(name, nameLen) + ":" + std::to_string(type) + "=" +
           std::string(data, dataLen) + ";";
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof name;
    if (::RegEnumKeyExA(k.get(), i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    out += "[" + std::string(name, nameLen) + "]{" + Dump(key + "\\" + name) + "}";
  }
  return out;
}

TEST_F(Registry, GuardPutsBackAnExistingKeyExactly) {
  const std::string key = base_ + "\\Kept";
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key + "\\Sub", true));
    reg.WriteString("inner", "i");
    ASSERT_TRUE(reg.OpenKey("\\" + key, false));
    reg.WriteInteger("BSControl", 0);
    reg.WriteString("Text", "before");
    reg.WriteString("", "default");
  }
  const std::string before = Dump(key);
  {
    RegistryGuard guard(key);
    EXPECT_TRUE(guard.Existed());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, false));
    reg.WriteString("BSControl", "now a string");
    reg.DeleteValue("Text");
    reg.WriteInteger("Added", 7);
    reg.DeleteKey("Sub");
    ASSERT_TRUE(reg.OpenKey("New\\Deeper", true));
    EXPECT_NE(Dump(key), before);
  }
  EXPECT_EQ(Dump(key), before);
}

TEST_F(Registry, GuardRemovesWhatTheTestCreatedAboveAMissingKey) {
  const std::string outer = base_ + "\\Outer";
  const std::string key = outer + "\\Middle\\Key";
  ASSERT_TRUE(TRegistry().OpenKey(base_, true));
  {
    RegistryGuard guard(key);
    EXPECT_FALSE(guard.Existed());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteInteger("BSControl", 1);
  }
  EXPECT_EQ(Dump(outer), "<missing>");
  EXPECT_NE(Dump(base_), "<missing>");  // existed before the guard, so it stays
}

}  // namespace
