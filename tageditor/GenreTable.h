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

// The name that other programs give a genre byte this editor's list does not hold (149..191);
// empty for any other byte. The editor shows it but never offers it: picking means the list.
std::string_view PeerGenreName(int genreByte);

}  // namespace tageditor
