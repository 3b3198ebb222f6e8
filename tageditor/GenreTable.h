#pragma once
// The names of the genre numbers 0..148, the items of the genre drop-down list.
#include <array>
#include <string_view>

namespace tageditor {

inline constexpr int kGenreCount = 149;
// Index of "Unbekannt", the last entry.
inline constexpr int kGenreUnknown = 148;

// All names in index order.
const std::array<std::string_view, kGenreCount>& GenreNames();

// The name of a genre index, or an empty view for -1 and any index outside 0..148.
std::string_view GenreName(int index);

}  // namespace tageditor
