#pragma once
// Text inside the program is UTF-8 in std::string; the system speaks UTF-16.
// These two conversions are the only bridge, used at each system call.
//
// File names on Windows are sequences of 16-bit units that need not be valid
// UTF-16: a lone surrogate is a legal name character. So that every name the
// system lists can be handed back to it unchanged, a lone surrogate is written
// as the three bytes its code would take in UTF-8 (the "generalised" form) and
// read back as that unit. Everything else is strict UTF-8; a byte that does not
// belong to a well-formed sequence reads as U+FFFD.
//
// No Win32 here, so that it builds and tests natively.
#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

std::wstring Utf16(std::string_view utf8);
std::u16string Utf16Units(std::string_view utf8);
std::string Utf8(std::u16string_view utf16);
std::string Utf8(std::wstring_view utf16);

// Length in bytes of the UTF-8 sequence that starts with this byte (1 for a
// byte that opens none, so that a walk always moves on).
std::size_t Utf8SequenceLength(unsigned char lead);

}  // namespace fw
