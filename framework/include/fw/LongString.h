#pragma once
// The framework's long string as it crosses the module boundary: a pointer to
// NUL-terminated 8-bit characters, with a 32-bit reference count at p-8 and
// the 32-bit length at p-4. A null pointer is the empty text. A reference
// count of -1 marks a constant, which no one frees. Memory comes from
// framework.dll, so whichever side drops the last reference frees it there.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "fw/Api.h"

namespace fw {

// Creates a string with reference count 1; the empty text gives nullptr.
// Raises EOutOfMemory, or ERangeError for a length above the 32-bit limit.
FW_API char* LStrCreate(std::string_view text);
// Take and drop a reference. Both accept nullptr and leave constants alone;
// LStrRelease frees the string when the last reference goes.
FW_API void LStrAddRef(const char* p);
FW_API void LStrRelease(const char* p);
FW_API int32_t LStrLength(const char* p);
FW_API int32_t LStrRefCount(const char* p);
// All characters, embedded zero bytes included.
FW_API std::string LStrToString(const char* p);

// A constant long string, laid out as the run-time lays out a literal.
template <std::size_t N>
struct LStrConstant {
  int32_t refCount;
  int32_t length;
  char text[N];
  const char* get() const { return text; }
};
// FW_LSTR_CONSTANT(name, "text") defines a static constant long string.
#define FW_LSTR_CONSTANT(name, literal) \
  static const ::fw::LStrConstant<sizeof(literal)> name = {-1, sizeof(literal) - 1, literal}

// Holds one reference to a long string.
class FW_API LongString {
 public:
  LongString() = default;
  explicit LongString(std::string_view text) : p_(LStrCreate(text)) {}
  // Takes over a reference the caller already holds.
  static LongString Adopt(char* p);
  // Takes a reference of its own.
  static LongString Share(const char* p);

  LongString(const LongString& o) : p_(o.p_) { LStrAddRef(p_); }
  LongString(LongString&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  LongString& operator=(LongString o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~LongString() { LStrRelease(p_); }

  const char* get() const { return p_; }
  // Hands the reference to the caller.
  char* release() {
    char* p = p_;
    p_ = nullptr;
    return p;
  }
  // Never null: the empty text reads as "".
  const char* c_str() const { return p_ ? p_ : ""; }
  int32_t length() const { return LStrLength(p_); }
  std::string str() const { return LStrToString(p_); }

 private:
  struct Owned {};
  LongString(Owned, char* p) : p_(p) {}
  char* p_ = nullptr;
};

}  // namespace fw
