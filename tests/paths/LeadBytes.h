#pragma once
// Lead-byte rules for the tests: a double-byte code page whose second bytes
// include the codes of "\" and "|", and a single-byte one.
#include "fw/PathStrings.h"

namespace pathtest {

inline bool ShiftJisLead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline constexpr fw::LeadByteFn kSjis = ShiftJisLead;
inline constexpr fw::LeadByteFn kSingle = fw::NoLeadBytes;

// Katakana "so" (0x83 0x5C) and the minus sign (0x81 0x7C) of Shift-JIS: their
// second bytes are "\" and "|".
#define SJIS_SO "\x83\x5C"
#define SJIS_MINUS "\x81\x7C"

}  // namespace pathtest
