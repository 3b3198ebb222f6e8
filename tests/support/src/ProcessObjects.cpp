#include "testsupport/ProcessObjects.h"

#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <winternl.h>

#include <cstdint>

namespace testsupport {

namespace {

// An entry of the GDI handle table as Wine lays it out, with 64-bit pointer fields on
// both word sizes.
struct GdiHandleEntry {
  std::uint64_t kernelObject;
  std::uint16_t processId;
  std::uint16_t count;
  std::uint16_t upper;
  std::uint16_t type;
  std::uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24);
// PEB.GdiSharedHandleTable
#ifdef _WIN64
constexpr std::size_t kGdiTableOffset = 0xF8;
#else
constexpr std::size_t kGdiTableOffset = 0x94;
#endif
constexpr int kGdiTableSize = 0x10000;

long GdiTableCount() {
  auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + kGdiTableOffset);
  if (!table) return -1;
  long n = 0;
  for (int i = 0; i < kGdiTableSize; ++i) n += (table[i].type & 0x7F) != 0;
  return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

long WindowCount() {
  long n = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&n));
  return n;
}

long ProbedKernelHandles() {
  long n = 0;
  DWORD flags;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4)
    n += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
  return n;
}

}  // namespace

ProcessObjects CountProcessObjects() {
  ProcessObjects objects;
  HANDLE self = GetCurrentProcess();
  objects.gdi = static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS));
  if (objects.gdi == 0) objects.gdi = GdiTableCount();
  objects.user = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
  if (objects.user == 0) objects.user = WindowCount();
  DWORD handles = 0;
  if (GetProcessHandleCount(self, &handles) && handles != 0)
    objects.kernel = static_cast<long>(handles);
  else
    objects.kernel = ProbedKernelHandles();
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory))
    objects.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  return objects;
}

std::string DescribeSources() {
  HANDLE self = GetCurrentProcess();
  DWORD handles = 0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::string text;
  text += GetGuiResources(self, GR_GDIOBJECTS) ? "GDI: GetGuiResources" : "GDI: handle table";
  text += GetGuiResources(self, GR_USEROBJECTS) ? ", USER: GetGuiResources"
                                                : ", USER: windows of the process";
  text += GetProcessHandleCount(self, &handles) && handles ? ", kernel: GetProcessHandleCount"
                                                           : ", kernel: probed handle values";
  text += memory.PrivateUsage ? ", memory: private bytes" : ", memory: page-file usage";
  return text;
}

}  // namespace testsupport
