#include "SystemMessage.h"

#include "fw/Unicode.h"

namespace fw::detail {

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string result;
  if (n != 0 && text != nullptr) result = Utf8(std::wstring_view(text, n));
  if (text != nullptr) ::LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
    result.pop_back();
  if (result.empty()) result = "System error " + std::to_string(code) + ".";
  return result;
}

}  // namespace fw::detail
