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

}  // namespace tageditor
