#pragma once
// The run-time library's file-system and text functions that need the
// system: the current directory, existence tests, the locale's comparisons
// and case mappings, and the directory search.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fw/Api.h"
#include "fw/Handle.h"

namespace fw {

// Paths are UTF-8 text here; this is the form every file function gets. A
// full path (C:\DIR\NAME, \\SERVER\SHARE\NAME) becomes an extended one
// (\\?\C:\..., \\?\UNC\SERVER\SHARE\...) with "." and ".." resolved: it may be
// longer than MAX_PATH, and the system takes each name as it is spelt, so
// con.mp3 is a file, not the console, and "name." keeps its dot. A relative
// path is first joined to the process's current directory.
FW_API std::wstring SystemPath(const std::string &path);

// The process's current directory as the system reports it (C:\DIR, C:\).
FW_API std::string GetCurrentDir();
// Changes it, or raises EInOutError with the system's error code.
FW_API void ChDir(const std::string &path);
// Changes it without raising; answers whether that worked. A directory that
// the process's current directory cannot hold is refused and the current
// directory stays: one longer than 258 characters (what Windows holds there
// for a program that has not declared itself long-path aware; Wine takes
// more but damages the process's parameters), or one whose name the plain
// form alters (a device name such as nul.mp3, a trailing dot or blank).
FW_API bool SetCurrentDir(const std::string &path);

// A file, not a directory; patterns with * or ? never exist.
FW_API bool FileExists(const std::string &path);
FW_API bool DirectoryExists(const std::string &path);

// Text of the system's ANSI code page, as a host hands it over, in UTF-8.
FW_API std::string AnsiToUtf8(std::string_view ansi);
// UTF-8 text in the ANSI code page; nothing when a character has no form
// there (a look-alike would be a silent change).
FW_API std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// The user locale's ordering: <0, 0 or >0. Embedded zero bytes take part.
FW_API int AnsiCompareStr(const std::string &a, const std::string &b);
FW_API int AnsiCompareText(const std::string &a, const std::string &b);
// Compares as file names are compared: without regard to case.
FW_API int AnsiCompareFileName(const std::string &a, const std::string &b);

FW_API std::string AnsiLowerCase(const std::string &s);
FW_API std::string AnsiUpperCase(const std::string &s);

// Attribute bits of a search entry.
enum : uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faAnyFile = 0x3F,
};

struct TSearchRec {
  std::string Name;
  uint32_t Attr = 0;
  int64_t Size = 0;
};

// A directory search: the entries that match a pattern and whose special
// attributes (hidden, system, volume label, directory) all lie within the
// requested mask. Read-only and archive never exclude an entry. Names come
// as the file system spells them, in UTF-8; the pattern is a SystemPath, so it
// may be long and its directory may have any name.
//
//   for (TFileSearch s("*.mp3", faArchive); s.Found(); s.Next())
//   use(s.Current());
class FW_API TFileSearch {
 public:
  TFileSearch(const std::string &pattern, uint32_t attr);
  TFileSearch(const TFileSearch &) = delete;
  TFileSearch &operator=(const TFileSearch &) = delete;

  bool Found() const { return found_; }
  const TSearchRec &Current() const { return rec_; }
  // Moves to the next entry that passes; answers Found().
  bool Next();

 private:
  // Takes the entry in data_ if it passes the filter, else searches on.
  bool Accept();

  FindHandle handle_;
  uint32_t exclude_;
  WIN32_FIND_DATAW data_{};
  TSearchRec rec_;
  bool found_ = false;
};

}  // namespace fw
