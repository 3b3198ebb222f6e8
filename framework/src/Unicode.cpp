#include "fw/Unicode.h"

#include <cstdint>

namespace fw {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the sequence at s[i] and moves i past it; an ill-formed sequence
// gives U+FFFD and moves one byte, so the next lead byte is read afresh.
char32_t Decode(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  const std::size_t length = Utf8SequenceLength(lead);
  if (length == 1) {
    ++i;
    return lead < 0x80 ? lead : kReplacement;
  }
  if (i + length > s.size()) {
    ++i;
    return kReplacement;
  }
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  // Overlong forms and codes past U+10FFFF would give two spellings of one
  // name, or none; surrogate codes are the lone units described above.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF) {
    ++i;
    return kReplacement;
  }
  i += length;
  return code;
}

void Append(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

template <typename Unit>
std::basic_string<Unit> ToUtf16(std::string_view utf8) {
  std::basic_string<Unit> out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t code = Decode(utf8, i);
    if (code >= 0x10000) {
      out += static_cast<Unit>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<Unit>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<Unit>(code);
    }
  }
  return out;
}

template <typename Unit>
std::string FromUtf16(std::basic_string_view<Unit> utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = static_cast<std::uint16_t>(utf16[i]);
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < utf16.size()) {
      const char32_t low = static_cast<std::uint16_t>(utf16[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    Append(out, code);
  }
  return out;
}

}  // namespace

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

std::wstring Utf16(std::string_view utf8) { return ToUtf16<wchar_t>(utf8); }
std::u16string Utf16Units(std::string_view utf8) { return ToUtf16<char16_t>(utf8); }
std::string Utf8(std::u16string_view utf16) { return FromUtf16(utf16); }
std::string Utf8(std::wstring_view utf16) { return FromUtf16(utf16); }

}  // namespace fw
