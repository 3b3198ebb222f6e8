// Crashes at once with an access violation, for the check that a crashing test
// program ends by itself instead of waiting for someone to answer a debugger.
#include <cstdint>

int main(int argc, char**) {
  // Address 0 when run without arguments; the compiler cannot know that.
  auto* nowhere = reinterpret_cast<volatile int*>(static_cast<std::uintptr_t>(argc - 1));
  *nowhere = 1;
  return 0;
}
