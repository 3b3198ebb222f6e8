#pragma once
// The string side of the file browsing controls: joining, shortening and
// splitting paths, filter texts and mask lists. No Win32 here; the controls pass
// their canvas' text width. Paths are UTF-8, so every search for a separator is
// a byte search (see fw/PathStrings.h).
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace filectrl {

// Width of a text in pixels, as the canvas that will show it measures it.
using TextWidthFn = std::function<int(const std::string&)>;

// directory + name with exactly one backslash between them (C:\ + WIN gives
// C:\WIN, C:\A + WIN gives C:\A\WIN).
std::string JoinPath(std::string_view directory, std::string_view name);

// Replaces the first directory of `path` by "...\": \WINDOWS\SYSTEM\ becomes
// \...\SYSTEM\, then \...\; ...\ becomes empty.
void DropFirstDirectory(std::string& path);

// Drops leading directories (then the drive) until the text is at most
// `maxWidth` wide: C:\WINDOWS\SYSTEM\COLOR, C:\...\SYSTEM\COLOR, C:\...\COLOR,
// ...\COLOR, COLOR. The last part is never cut, so the result may stay wider.
// It cuts only at backslashes and keeps the last part whole, so it never splits
// a character (not even the four bytes that become a surrogate pair in UTF-16)
// nor a base letter from the combining mark after it.
std::string ShortenPath(std::string_view fileName, const TextWidthFn& textWidth, int maxWidth);

// Number of separators: C:\ 1, C:\WINDOWS\SYSTEM 2,
// \\SERVER\SHARE\DIR 4.
int PathDepth(std::string_view path);

// The levels of a directory as the directory list shows them: the levels above
// the current directory from the root down (C:\ or \\SERVER\SHARE\, then bare
// names), and the current directory's own item. A share's root directory has no
// item of its own; its root is the last level.
struct DirectoryLevels {
  std::vector<std::string> above;
  std::optional<std::string> current;
};
DirectoryLevels SplitDirectoryLevels(std::string_view directory);

// Full path of the level at `index` of SplitDirectoryLevels: 0 is the root
// (C:\, \\SERVER\SHARE\); for C:\WINDOWS\SYSTEM\COLOR 1 is C:\WINDOWS and 2 is
// C:\WINDOWS\SYSTEM. An index past the last level gives the whole directory.
std::string PathOfLevel(std::string_view directory, std::size_t index);

// One entry of a filter text "Description|mask|Description|mask".
struct FilterEntry {
  std::string description;
  std::string mask;
  bool operator==(const FilterEntry&) const = default;
};

// Splits a filter text into its entries. Nothing is trimmed; a trailing
// description without a "|" of its own is dropped; the last mask may be empty.
std::vector<FilterEntry> ParseFilter(std::string_view filter);

// The mask that the filter selector hands on. With no valid selection the last
// entry becomes the selection (`itemIndex` is updated); with no entries the
// result is "*.*" and `itemIndex` is -1.
std::string SelectedMask(const std::vector<FilterEntry>& entries, int& itemIndex);

// Splits a mask list at every ";", keeping blanks and empty pieces ("*.mp3;"
// gives "*.mp3" and ""). An empty piece matches nothing.
std::vector<std::string> SplitMask(std::string_view mask);

// Whether a file of this name gets the executable glyph: its extension, in
// lower case, is .exe, .com, .bat or .pif.
bool IsExecutableName(std::string_view name);

}  // namespace filectrl
