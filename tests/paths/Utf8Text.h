#pragma once
// UTF-8 for the path tests: a check that a result holds only whole characters.
#include <cstddef>
#include <string_view>

namespace pathtest {

// Bytes of the well-formed character that starts `s` (shortest form, no
// surrogate, at most U+10FFFF); 0 when none starts there.
inline std::size_t Utf8Length(std::string_view s) {
  if (s.empty()) return 0;
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead < 0x80) return 1;
  const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (n == 0 || lead >= 0xF8 || s.size() < n) return 0;
  char32_t code = lead & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if ((c & 0xC0) != 0x80) return 0;
    code = code << 6 | (c & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kShortest[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

inline bool IsUtf8(std::string_view s) {
  while (!s.empty()) {
    const std::size_t n = Utf8Length(s);
    if (n == 0) return false;
    s.remove_prefix(n);
  }
  return true;
}

}  // namespace pathtest
