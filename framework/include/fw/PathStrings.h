#pragma once
// File-name string functions of the framework, free of Win32 so that they build
// and test natively.
//
// Paths are 8-bit text in the system's ANSI code page. On a double-byte code
// page the second byte of a character may carry the code of "\" or "|" (Shift-JIS
// 0x83 0x5C, 0x81 0x7C), so every search for a separator walks the text
// character by character. The caller says which bytes open a two-byte character:
// on Windows a wrapper around IsDBCSLeadByte, in tests a fixed table. A lead byte
// in the last position has no second byte and counts as a character of its own.
//
// Positions are 0-based byte offsets; "not found" is std::string::npos.
#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// True when the byte opens a two-byte character. A null pointer means a
// single-byte code page.
using LeadByteFn = bool (*)(unsigned char);

// The lead-byte rule of a single-byte code page: no byte opens a pair.
bool NoLeadBytes(unsigned char);

// Length in bytes (1 or 2) of the character that starts at `pos` (< s.size()).
std::size_t CharLength(std::string_view s, std::size_t pos, LeadByteFn isLead);

// First `c` at or after `from` that is a character of its own (never a second
// byte). `from` must be the start of a character.
std::size_t AnsiScan(std::string_view s, char c, LeadByteFn isLead, std::size_t from = 0);

// First occurrence of `sub` in `s` that starts at a character boundary; an
// empty `sub` is not found.
std::size_t AnsiPos(std::string_view sub, std::string_view s, LeadByteFn isLead);

// The last character of `s` (one or two bytes), empty for an empty text.
std::string AnsiLastChar(std::string_view s, LeadByteFn isLead);

// Position of the last character of `s` that is one of the single-byte
// `delimiters`.
std::size_t AnsiLastDelimiter(std::string_view delimiters, std::string_view s, LeadByteFn isLead);

// "C:" for C:\x; "\\SERVER\SHARE" for \\SERVER\SHARE\DIR; empty for a relative
// path. The drive part of a network path never ends in a backslash.
std::string ExtractFileDrive(std::string_view fileName, LeadByteFn isLead);

// Everything up to and including the last "\" or ":" (C:\WINDOWS\ for
// C:\WINDOWS\SYSTEM.INI and for C:\WINDOWS\).
std::string ExtractFilePath(std::string_view fileName, LeadByteFn isLead);

// Everything after the last "\" or ":"; empty for C:\WINDOWS\.
std::string ExtractFileName(std::string_view fileName, LeadByteFn isLead);

// The extension with its dot (".mp3"), taken after the last "\" or ":"; empty
// when the name has no dot.
std::string ExtractFileExt(std::string_view fileName, LeadByteFn isLead);

// Letter case of A-Z only, whatever the code page: for drive letters, the tag
// marker and other texts of a fixed alphabet (texts a user reads or names go
// through the locale). In texts, second bytes of double-byte characters are
// left alone (they include the codes of A-Z).
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiLowerCase(std::string_view s, LeadByteFn isLead);
std::string AsciiUpperCase(std::string_view s, LeadByteFn isLead);

}  // namespace fw
