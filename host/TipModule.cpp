#include "TipModule.h"

#include "RegisterCall.h"
#include "fw/Exceptions.h"
#include "fw/LongString.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace host {
namespace {

std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text =
      length ? fw::Utf8(std::wstring_view(buffer, length)) : "error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

// GetProcAddress answers a generic function pointer; each export has its own type.
template <typename F>
F As(FARPROC p) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(p));
}

std::string FullPath(const std::string& path) {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetFullPathNameW(fw::Utf16(path).c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return fw::Utf8(std::wstring_view(buffer, length));
}

std::string AnsiText(const std::string& text) {
  if (std::optional<std::string> ansi = fw::Utf8ToAnsi(text)) return *ansi;
  std::string replaced;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) replaced += (c & 0x80) ? '?' : c;
  return replaced;
}

}  // namespace

TipModule::TipModule(const std::string& path) : path_(FullPath(path)) {
  // The module's own imports (the help library) are found beside it.
  library_.reset(LoadLibraryExW(fw::Utf16(path_).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library_) {
    DWORD error = GetLastError();
    throw fw::EFOpenError("Cannot load " + path_ + ": " + SystemErrorText(error));
  }
  nr_ = As<NoArgs>(Export("ModulNr"));
  saveChanges_ = As<NoArgs>(Export("ModulSaveChanges"));
  changed_ = As<NoArgs>(Export("ModulChanged"));
  free_ = As<NoArgs>(Export("ModulFree"));
  create_ = Export("ModulCreate");
}

FARPROC TipModule::Export(const char* name) {
  FARPROC p = GetProcAddress(library_.get(), name);
  if (!p) throw fw::Exception(path_ + " does not export " + name);
  return p;
}

int32_t TipModule::Create(const CreateArgs& a) {
  // Both references stay ours until the call returns; the module takes its
  // own for as long as it needs the texts.
  // The module takes the system's code page; what it lacks arrives as "?".
  fw::LongString caption(AnsiText(a.caption));
  fw::LongString hint(AnsiText(a.hint));
#if defined(__i386__)
  auto pointer = [](const char* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
  };
  const uint32_t args[10] = {static_cast<uint32_t>(a.left),
                             static_cast<uint32_t>(a.top),
                             static_cast<uint32_t>(a.width),
                             static_cast<uint32_t>(a.height),
                             static_cast<uint32_t>(a.winVersionType),
                             static_cast<uint32_t>(a.language),
                             pointer(caption.get()),
                             pointer(hint.get()),
                             a.validWinVersions,
                             static_cast<uint32_t>(a.helpId)};
  RegisterCallResult r = CallRegister10(As<const void*>(create_), args);
  if (r.stackOffset != 0)
    throw fw::Exception("ModulCreate left the stack " + std::to_string(r.stackOffset) +
                        " bytes off: it must remove its 28 bytes of arguments");
  return r.result;
#else
  using Create10 = int32_t (*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                               const char*, uint32_t, int32_t);
  auto create = As<Create10>(create_);
  return create(a.left, a.top, a.width, a.height, a.winVersionType, a.language, caption.get(),
                hint.get(), a.validWinVersions, a.helpId);
#endif
}

}  // namespace host
