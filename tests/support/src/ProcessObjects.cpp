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
constexpr int kGdiTableSize = 0x10000;

// PEB.GdiSharedHandleTable. A 32-bit process under Wine finds it only in the
// 64-bit process block, reached through the 64-bit thread block
// (TEB.WowTebOffset); both lie below 4 GB.
const GdiHandleEntry* GdiTable() {
  const auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#ifdef _WIN64
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
#else
  if (std::uint32_t table = *reinterpret_cast<const std::uint32_t*>(peb + 0x94))
    return reinterpret_cast<const GdiHandleEntry*>(table);
  const auto* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
  const LONG offset = *reinterpret_cast<const LONG*>(teb + 0xFDC);
  if (!offset) return nullptr;
  const std::uint64_t peb64 = *reinterpret_cast<const std::uint64_t*>(teb + offset + 0x60);
  if (!peb64 || peb64 > 0xFFFFFFFFu) return nullptr;
  const std::uint64_t table =
      *reinterpret_cast<const std::uint64_t*>(static_cast<std::uintptr_t>(peb64) + 0xF8);
  if (!table || table > 0xFFFFFFFFu) return nullptr;
  return reinterpret_cast<const GdiHandleEntry*>(static_cast<std::uintptr_t>(table));
#endif
}

long GdiTableCount() {
  const GdiHandleEntry* table = GdiTable();
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
