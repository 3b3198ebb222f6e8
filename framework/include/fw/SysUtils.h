#pragma once
// The run-time library's file-system and text functions that need the
// system: the current directory, existence tests, the locale's comparisons
// and case mappings, and the directory search.
#include <windows.h>

#include <cstdint>
#include <string>

#include "fw/Api.h"
#include "fw/Handle.h"

namespace fw {

// The process's current directory as the system reports it (C:\DIR, C:\),
// or EInOutError when the system has no ANSI name for it (too long).
FW_API std::string GetCurrentDir();
// Changes it, or raises EInOutError with the system's error code.
FW_API void ChDir(const std::string &path);
// Changes it without raising; answers whether that worked.
FW_API bool SetCurrentDir(const std::string &path);

// A file, not a directory; patterns with * or ? never exist.
FW_API bool FileExists(const std::string &path);
FW_API bool DirectoryExists(const std::string &path);

// The user locale's ordering: <0, 0 or >0. Embedded zero bytes take part.
FW_API int AnsiCompareStr(const std::string &a, const std::string &b);
FW_API int AnsiCompareText(const std::string &a, const std::string &b);
// Compares as file names are compared: without regard to case.
FW_API int AnsiCompareFileName(const std::string &a, const std::string &b);

FW_API std::string AnsiLowerCase(const std::string &s);
FW_API std::string AnsiUpperCase(const std::string &s);
// As above, but on a double-byte system both bytes of a double-byte
// character are left alone.
FW_API std::string AnsiLowerCaseFileName(const std::string &s);
FW_API std::string AnsiUpperCaseFileName(const std::string &s);

// Whether the byte opens a two-byte character in the system's code page;
// fits fw::LeadByteFn.
FW_API bool IsLeadByte(unsigned char c);

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
// requested mask. Read-only and archive never exclude an entry. Names are
// taken from the system's UTF-16 form: the ANSI calls give a look-alike for a
// character the code page lacks (L for an L with stroke), which may be the
// name of another entry; here such a character comes out as "?", which no
// file name holds.
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
