#pragma once
// File-name string functions of the framework, free of Win32 so that they build
// and test natively.
//
// Paths are UTF-8 inside the program and become UTF-16 only at the system call.
// Every byte of a UTF-8 multi-byte character is 0x80 or above, so no part of a
// non-ASCII character can carry the code of "\", ":", "." or any other ASCII
// separator: a plain byte search finds exactly the separators, and cutting just
// after or before one never splits a character.
//
// Positions are 0-based byte offsets; "not found" is std::string::npos.
#include <string>
#include <string_view>

namespace fw {

// "C:" for C:\x; "\\SERVER\SHARE" for \\SERVER\SHARE\DIR; empty for a relative
// path. The drive part of a network path never ends in a backslash.
std::string ExtractFileDrive(std::string_view fileName);

// Everything up to and including the last "\" or ":" (C:\WINDOWS\ for
// C:\WINDOWS\SYSTEM.INI and for C:\WINDOWS\).
std::string ExtractFilePath(std::string_view fileName);

// Everything after the last "\" or ":"; empty for C:\WINDOWS\.
std::string ExtractFileName(std::string_view fileName);

// The extension with its dot (".mp3"), taken after the last "\" or ":"; empty
// when the name has no dot.
std::string ExtractFileExt(std::string_view fileName);

// Letter case of A-Z only: for drive letters, the tag marker and other texts of
// a fixed alphabet (texts a user reads or names go through the locale). Bytes
// of non-ASCII characters are never in A-Z or a-z, so they stay as they are.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiLowerCase(std::string_view s);
std::string AsciiUpperCase(std::string_view s);

// A full path (C:\..., \\SERVER\SHARE\...) as the system would spell it after
// taking it apart: "." and ".." resolved (never above the root), empty and
// trailing separators dropped, "/" read as "\"; the root keeps its own
// backslash (C:\). Names are left exactly as they are, with a trailing dot or
// blank, since the extended form hands them to the file system unchanged.
std::string NormalizedPath(std::string_view fullPath);

}  // namespace fw
