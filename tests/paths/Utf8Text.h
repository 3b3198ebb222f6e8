#pragma once
// UTF-8 for the path tests: names beyond ASCII, and a check that a result holds
// only whole characters.
#include <cstddef>
#include <string_view>

// Music in Russian and Greek, and popular songs in Japanese: nine bytes, so
// that a walk by byte pairs (as on a double-byte code page) would take the
// separator after them for half a character. A note beyond the 16-bit range (a
// surrogate pair in UTF-16); e followed by a combining acute accent.
#define RU_MUSIC "\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0"
#define JA_SONGS "\xE6\xAD\x8C\xE8\xAC\xA1\xE6\x9B\xB2"
#define EL_MUSIC "\xCE\x9C\xCE\xBF\xCF\x85\xCF\x83\xCE\xB9\xCE\xBA\xCE\xAE"
#define NOTE "\xF0\x9F\x8E\xB5"
#define E_ACUTE "e\xCC\x81"

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
