// The suite's help-text library, ZekHelp.dll.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define ZEKHELP_STDCALL __stdcall
#if defined(ZEKHELP_BUILD)
#define ZEKHELP_API  // exported through ZekHelp.def, by its undecorated name
#else
#define ZEKHELP_API __declspec(dllimport)
#endif
#else
#define ZEKHELP_STDCALL
#define ZEKHELP_API
#endif

namespace zekhelp {

// Values of HelpTextKind.
inline constexpr std::int32_t kGermanHelp = 2;
inline constexpr std::int32_t kEnglishHelp = 4;
inline constexpr std::int32_t kRegistryPath = 5;

// Help id of the MP3 ID3v1 tag editor tip.
inline constexpr std::int32_t kTagEditorHelpId = 6300;
// A tip that has help texts but no registry setting.
inline constexpr std::int32_t kHelpIdWithoutRegistryPath = 6301;

}  // namespace zekhelp

extern "C" {

// Returns the text of the given kind for the tip HelpId, Windows-1252 with CR LF line
// breaks, or a null pointer when there is none. The library owns the text; it stays valid
// while the library is loaded.
ZEKHELP_API const char* ZEKHELP_STDCALL GetHelpText(std::int32_t HelpId, std::int32_t HelpTextKind);

}  // extern "C"
