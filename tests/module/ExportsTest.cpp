// The library as a file: its version resource and, on i686, the register
// convention of ModulCreate seen from a caller that knows nothing of the
// module's own declaration.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "ZekHelp.h"
#include "fw/Memo.h"
#include "fw/SpeedButton.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RegistryGuard.h"

namespace moduletest {
namespace {

std::string VersionString(const std::string& data, const char* name) {
  void* value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
  if (!VerQueryValueA(data.data(), path.c_str(), &value, &length) || !value) return "(missing)";
  return static_cast<const char*>(value);
}

TEST(VersionResource, GermanWithDescriptionVersionsAndFileName) {
  char path[MAX_PATH];
  ModuleHost host;
  ASSERT_TRUE(GetModuleFileNameA(host.Library(), path, MAX_PATH));
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));

  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, sizeof(Translation));
  EXPECT_EQ(translation->language, 1031);
  EXPECT_EQ(translation->codePage, 1252);

  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  EXPECT_EQ(VersionString(data, "FileDescription"), "MP3 ID Tag");
  EXPECT_EQ(VersionString(data, "FileVersion"), "1.0.0.0");
  EXPECT_EQ(VersionString(data, "ProductVersion"), "1.0.0.0");
  EXPECT_EQ(VersionString(data, "OriginalFilename"), "Ombrik63");
  EXPECT_EQ(VersionString(data, "InternalName"), "Ombrik63");
}

#if defined(__i386__)
// Ten distinct values, chosen so that any two swapped show on the window:
// a wrong mask or version type would lock it, a wrong help id would load
// other help texts, a wrong language the other memo.
TEST(RegisterConvention, AnAssemblyCallerPassesAllTenArgumentsAndKeepsItsStack) {
  constexpr char kKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";
  testsupport::RegistryGuard settings(kKey);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "BSControl");
  testsupport::ScopedDialogs dialogs;
  ModuleHost host;
  auto function = reinterpret_cast<uintptr_t>(host.Export("ModulCreate"));
  ASSERT_NE(function, 0u);
  fw::LongString caption("Register caption"), hint("Register hint");

  // Pushed in declaration order: argument 4 first, argument 10 last; the
  // function address follows them.
  const uint32_t stack[8] = {
      414,                                         // 4 height
      11,                                          // 5 winVersionType: Windows 2000, 0x400
      1,                                           // 6 language: English
      reinterpret_cast<uintptr_t>(caption.get()),  // 7 caption
      reinterpret_cast<uintptr_t>(hint.get()),     // 8 hint
      0x401,                                       // 9 validWinVersions
      static_cast<uint32_t>(zekhelp::kHelpIdWithoutRegistryPath),  // 10 helpId (0x189D)
      static_cast<uint32_t>(function)};
  uint32_t eax = 101, edx = 102, ecx = 403;  // left, top, width
  uint32_t espBefore = 0, espAfter = 0;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 0(%%ebx)\n\t"
      "pushl 4(%%ebx)\n\t"
      "pushl 8(%%ebx)\n\t"
      "pushl 12(%%ebx)\n\t"
      "pushl 16(%%ebx)\n\t"
      "pushl 20(%%ebx)\n\t"
      "pushl 24(%%ebx)\n\t"
      "call *28(%%ebx)\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "+a"(eax), "+d"(edx), "+c"(ecx), "=&S"(espBefore), "=&D"(espAfter)
      : "b"(stack)
      : "memory", "cc");

  EXPECT_EQ(espAfter, espBefore) << "the callee must remove exactly its 28 bytes";
  EXPECT_EQ(eax, 0u);
  EXPECT_EQ(fw::LStrRefCount(caption.get()), 1);
  EXPECT_EQ(fw::LStrRefCount(hint.get()), 1);

  fw::TForm* form = ModuleHost::Form();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Left(), 101);
  EXPECT_EQ(form->Top(), 102);
  EXPECT_EQ(form->Width(), 403);
  EXPECT_EQ(form->Height(), 414);
  EXPECT_EQ(form->Tag(), 11);
  EXPECT_EQ(form->Caption(), "Register caption");
  EXPECT_EQ(form->Hint(), "Register hint");
  auto* english = Part<fw::TMemo>(form, "MemoHelpUS");
  ASSERT_NE(english, nullptr);
  EXPECT_TRUE(english->Visible());
  EXPECT_EQ(english->Text(),
            GetHelpText(zekhelp::kHelpIdWithoutRegistryPath, zekhelp::kEnglishHelp));
  EXPECT_TRUE(Part<fw::TSpeedButton>(form, "HotSpeedButtonUndo")->Enabled()) << "valid: not locked";
  EXPECT_TRUE(dialogs->Records.empty());
}
#endif

}  // namespace
}  // namespace moduletest
