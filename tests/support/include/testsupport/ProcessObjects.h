#pragma once
// What the process holds of the system, for leak checks. Where Wine does not
// answer the system's own counters (GetGuiResources, GetProcessHandleCount,
// PrivateUsage) the figures come from what Wine does keep: the GDI handle
// table in the process block, the windows of the process, a probe of the
// kernel handle values and the page-file usage.
#include <cstddef>
#include <string>

namespace testsupport {

struct ProcessObjects {
  long gdi = 0;
  long user = 0;
  long kernel = 0;
  std::size_t privateBytes = 0;
};

ProcessObjects CountProcessObjects();
// Where each figure came from, for the test's log.
std::string DescribeSources();

}  // namespace testsupport
