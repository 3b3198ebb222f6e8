#pragma once
// Internal to framework.dll.
#include <windows.h>

#include <string>

namespace fw::detail {

// The system's own words for an error code, without the line break it ends
// with; a number where the system has no text.
std::string SystemMessage(DWORD code);

}  // namespace fw::detail
