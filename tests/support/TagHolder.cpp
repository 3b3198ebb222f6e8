// Test helper: holds a file open from a second process until its standard input closes, so the
// file tests can see what another program's handle does to loading and saving.
//   tagholder <file> exclusive|shared
// Prints "open" once the file is open, or "error <code>" and exits with 1.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tagholder <file> exclusive|shared\n");
    return 2;
  }
  const DWORD share = std::strcmp(argv[2], "shared") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  HANDLE h = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::printf("error %lu\n", ::GetLastError());
    return 1;
  }
  std::printf("open\n");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  ::CloseHandle(h);
  return 0;
}
