#include "fw/LongString.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "fw/Exceptions.h"

namespace fw {
namespace {

constexpr std::ptrdiff_t kHeader = 8;

int32_t* RefCountOf(const char* p) {
  return reinterpret_cast<int32_t*>(const_cast<char*>(p) - kHeader);
}
int32_t* LengthOf(const char* p) { return reinterpret_cast<int32_t*>(const_cast<char*>(p) - 4); }

}  // namespace

char* LStrCreate(std::string_view text) {
  if (text.empty()) return nullptr;
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()) - kHeader - 1)
    throw ERangeError("String too long");
  void* block = std::malloc(kHeader + text.size() + 1);
  if (block == nullptr) throw EOutOfMemory();
  char* p = static_cast<char*>(block) + kHeader;
  *RefCountOf(p) = 1;
  *LengthOf(p) = static_cast<int32_t>(text.size());
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  return p;
}

void LStrAddRef(const char* p) {
  if (p == nullptr) return;
  std::atomic_ref<int32_t> count(*RefCountOf(p));
  if (count.load() < 0) return;  // a constant
  count.fetch_add(1);
}

void LStrRelease(const char* p) {
  if (p == nullptr) return;
  std::atomic_ref<int32_t> count(*RefCountOf(p));
  if (count.load() <= 0) return;  // a constant, or already gone
  if (count.fetch_sub(1) == 1) std::free(const_cast<char*>(p) - kHeader);
}

int32_t LStrLength(const char* p) { return p ? *LengthOf(p) : 0; }

int32_t LStrRefCount(const char* p) { return p ? *RefCountOf(p) : 0; }

std::string LStrToString(const char* p) {
  return p ? std::string(p, static_cast<std::size_t>(*LengthOf(p))) : std::string();
}

LongString LongString::Adopt(char* p) { return LongString(Owned{}, p); }

LongString LongString::Share(const char* p) {
  LStrAddRef(p);
  return LongString(Owned{}, const_cast<char*>(p));
}

}  // namespace fw
