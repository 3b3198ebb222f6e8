// What a module sees of ZekHelp.dll: it imports GetHelpText by its plain name (also on
// i686, where the compiler's own name would be _GetHelpText@8) and calls it stdcall.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ZekHelp.h"

namespace {

std::vector<std::string> ExportedNames(HMODULE module) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::vector<std::string> names;
  if (dir.VirtualAddress == 0) return names;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* name_rvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    names.emplace_back(reinterpret_cast<const char*>(base + name_rvas[i]));
  }
  return names;
}

TEST(ZekHelpExports, ExactlyGetHelpTextByItsPlainName) {
  HMODULE library = GetModuleHandleA("ZekHelp.dll");
  ASSERT_NE(library, nullptr) << "the test should have loaded ZekHelp.dll through its import";
  EXPECT_EQ(ExportedNames(library), std::vector<std::string>{"GetHelpText"});
}

TEST(ZekHelpExports, ImportedFunctionIsTheExportedOne) {
  HMODULE library = GetModuleHandleA("ZekHelp.dll");
  ASSERT_NE(library, nullptr);
  FARPROC by_name = GetProcAddress(library, "GetHelpText");
  ASSERT_NE(by_name, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(by_name), reinterpret_cast<void*>(&GetHelpText));
  for (const char* decorated : {"_GetHelpText@8", "GetHelpText@8", "_GetHelpText"}) {
    EXPECT_EQ(GetProcAddress(library, decorated), nullptr) << decorated;
  }
}

#if defined(__i386__)
// A caller that pushes two arguments and expects the callee to pop them: if the library
// were built with another convention the stack pointer would be off by 8 after the call.
TEST(ZekHelpExports, CalleeRemovesItsArgumentsFromTheStack) {
  auto function = reinterpret_cast<std::uintptr_t>(
      GetProcAddress(GetModuleHandleA("ZekHelp.dll"), "GetHelpText"));
  ASSERT_NE(function, 0u);
  std::uintptr_t esp_before = 0;
  std::uintptr_t esp_after = 0;
  std::uintptr_t result = function;
  asm volatile(
      "movl %%esp, %0\n\t"
      "pushl %4\n\t"
      "pushl %3\n\t"
      "call *%2\n\t"
      "movl %%esp, %1\n\t"
      "movl %0, %%esp\n\t"
      : "=&S"(esp_before), "=&D"(esp_after), "+a"(result)
      : "i"(zekhelp::kTagEditorHelpId), "i"(zekhelp::kRegistryPath)
      : "ecx", "edx", "memory", "cc");
  EXPECT_EQ(esp_after, esp_before);
  EXPECT_EQ(reinterpret_cast<const char*>(result),
            GetHelpText(zekhelp::kTagEditorHelpId, zekhelp::kRegistryPath));
}
#endif

}  // namespace
