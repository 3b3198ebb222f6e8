#include "SystemMessage.h"

namespace fw::detail {

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result;
  if (n != 0 && text != nullptr) result.assign(text, n);
  if (text != nullptr) ::LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
    result.pop_back();
  if (result.empty()) result = "System error " + std::to_string(code) + ".";
  return result;
}

}  // namespace fw::detail
