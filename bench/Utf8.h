#pragma once
// The benchmarks make their files with the system's wide functions, as a Unicode program does,
// and hand the same names to the product's std::string API, which takes them as UTF-8.
#include <windows.h>

#include <string>
#include <string_view>

inline std::string Utf8(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length,
                                                            nullptr, 0, nullptr, nullptr)),
                    '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()),
                      nullptr, nullptr);
  return bytes;
}
