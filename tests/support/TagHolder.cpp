// Test helper: holds a file open from a second process until its standard input closes, so the
// file tests can see what another program's handle does to loading and saving; or holds a
// top-level window that never handles a message, as a program that has stopped answering.
//   tagholder <file> exclusive|shared
//   tagholder <window title> window
// Prints "open" once the file or the window is open, or "error <code>" and exits with 1.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tagholder <file> exclusive|shared | <title> window\n");
    return 2;
  }
  HWND window = nullptr;
  HANDLE h = INVALID_HANDLE_VALUE;
  if (std::strcmp(argv[2], "window") == 0) {
    window = ::CreateWindowExA(0, "STATIC", argv[1], WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    if (!window) {
      std::printf("error %lu\n", ::GetLastError());
      return 1;
    }
  } else {
    const DWORD share =
        std::strcmp(argv[2], "shared") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    h = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      std::printf("error %lu\n", ::GetLastError());
      return 1;
    }
  }
  std::printf("open\n");
  std::fflush(stdout);
  // Blocked here, the window's messages wait unhandled.
  while (std::getchar() != EOF) {
  }
  if (window) ::DestroyWindow(window);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  return 0;
}
