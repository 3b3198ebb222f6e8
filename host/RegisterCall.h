#pragma once
// The framework's register convention on i686: arguments 1..3 in EAX, EDX
// and ECX, arguments 4..n pushed in declaration order (the last one nearest
// the return address), removed by the callee.
#include <cstdint>

#if defined(__i386__)
namespace host {

struct RegisterCallResult {
  int32_t result;
  // Where ESP stood after the return, relative to where it stood before the
  // arguments were pushed: 0 when the callee removed exactly its arguments.
  int32_t stackOffset;
};

RegisterCallResult CallRegister10(const void* function, const uint32_t (&args)[10]);

}  // namespace host
#endif
