#include "Host.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>
#include <vector>

#include "HostForm.h"
#include "Screenshot.h"
#include "ScriptText.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Services.h"
#include "fw/Unicode.h"

namespace host {
namespace {

// "EWriteError" for fw::EWriteError: the names the framework's users know.
std::string ExceptionClass(const std::type_info& type) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : type.name();
  std::free(demangled);
  if (name.rfind("fw::", 0) == 0) name.erase(0, 4);
  return name;
}

// The class and message of the exception being handled.
std::string CurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    return ExceptionClass(typeid(e)) + ": " + EscapeText(e.what());
  } catch (...) {
    return "unknown exception";
  }
}

std::string DefaultModulePath() {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::string path = fw::Utf8(std::wstring_view(buffer, length < MAX_PATH ? length : 0));
  size_t slash = path.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "Ombrik63.dll";
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowCaption(HWND w) {
  wchar_t buffer[512];
  int length = GetWindowTextW(w, buffer, 512);
  return fw::Utf8(std::wstring_view(buffer, length > 0 ? length : 0));
}

bool OwnWindow(HWND w) {
  return w && IsWindow(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId();
}

}  // namespace

Host::Host(Options options, std::string startDir)
    : options_(std::move(options)), startDir_(std::move(startDir)) {
  hostMessage_ = RegisterWindowMessageW(L"Tovrane");
  modulePath_ = options_.module.empty() ? DefaultModulePath() : ScriptPath(options_.module);
  form_ = fw::Owned<THostForm>(fw::CreateForm<THostForm>(nullptr));
  form_->Attach(*this);
  module_ = std::make_unique<TipModule>(modulePath_);
  modulePath_ = module_->Path();
  form_->ModuleChanged();
}

Host::~Host() {
  // The module goes first: a tip window still open is its to end, while the
  // framework is whole.
  module_.reset();
  form_.reset();
}

void Host::Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  if (form_) form_->AddLog(line);
}

std::string Host::ScriptPath(const std::string& file) const {
  bool absolute = (file.size() > 1 && file[1] == ':') || file.rfind("\\\\", 0) == 0 ||
                  file.rfind("//", 0) == 0 ||
                  (!file.empty() && (file[0] == '\\' || file[0] == '/'));
  if (absolute || startDir_.empty()) return file;
  std::string base = startDir_;
  if (base.back() != '\\' && base.back() != '/') base += '\\';
  return base + file;
}

void Host::Load(const std::string& path) {
  if (module_) {
    Say("load: already loaded");
    return;
  }
  if (!path.empty()) modulePath_ = ScriptPath(path);
  try {
    module_ = std::make_unique<TipModule>(modulePath_);
    Say("load");
  } catch (...) {
    Fail("load");
  }
  form_->ModuleChanged();
}

void Host::Unload() {
  if (!module_) {
    Say("unload: not loaded");
    return;
  }
  module_.reset();
  tipWindow_ = nullptr;
  Say("unload");
  form_->ModuleChanged();
}

bool Host::Require() {
  if (module_) return true;
  Say("error: no module loaded");
  return false;
}

void Host::Fail(const std::string& command) { Say(command + " error " + CurrentException()); }

void Host::Create(const CreateArgs& args) {
  if (!Require()) return;
  std::vector<HWND> before = ThreadWindows();
  lastCaption_ = args.caption;
  std::optional<int32_t> result;
  try {
    result = module_->Create(args);
  } catch (...) {
    Fail("create");
  }
  // The tip window: a framework window new in this thread, the one with
  // the given caption if there are several.
  tipWindow_ = nullptr;
  HWND first = nullptr;
  for (HWND w : ThreadWindows()) {
    if (std::find(before.begin(), before.end(), w) != before.end()) continue;
    if (w == form_->Handle() || !fw::TWinControl::FromHandle(w)) continue;
    if (!first) first = w;
    if (WindowCaption(w) == args.caption) {
      tipWindow_ = w;
      break;
    }
  }
  if (!tipWindow_) tipWindow_ = first;
  if (result) Say("create " + std::to_string(*result));
  form_->ModuleChanged();
}

void Host::Changed() {
  if (!Require()) return;
  try {
    Say("changed " + std::to_string(module_->Changed()));
  } catch (...) {
    Fail("changed");
  }
}

void Host::Nr() {
  if (!Require()) return;
  try {
    Say("nr " + std::to_string(module_->Nr()));
  } catch (...) {
    Fail("nr");
  }
}

void Host::Save() {
  if (!Require()) return;
  try {
    Say("save ok " + std::to_string(module_->SaveChanges()));
  } catch (...) {
    Fail("save");
    // By hand the user sees why: the framework exception's own message.
    if (!Scripted()) {
      try {
        throw;
      } catch (const std::exception& e) {
        fw::ShowMessage(e.what());
      } catch (...) {
      }
    }
  }
}

void Host::Free() {
  if (!Require()) return;
  try {
    Say("free " + std::to_string(module_->Free()));
  } catch (...) {
    Fail("free");
  }
  form_->ModuleChanged();
}

HWND Host::TipWindow() {
  if (OwnWindow(tipWindow_) && tipWindow_ != form_->Handle()) return tipWindow_;
  tipWindow_ = nullptr;
  // Made anew (the framework re-creates windows whose style changes): found
  // again by its caption among this thread's windows.
  if (!module_) return nullptr;
  for (HWND w : ThreadWindows()) {
    if (w != form_->Handle() && fw::TWinControl::FromHandle(w) &&
        WindowCaption(w) == lastCaption_) {
      tipWindow_ = w;
      break;
    }
  }
  return tipWindow_;
}

void Host::Send(uint32_t wparam, uint32_t lparam) {
  std::string what = "send " + std::to_string(static_cast<int32_t>(wparam)) + " " +
                     std::to_string(static_cast<int32_t>(lparam));
  HWND tip = TipWindow();
  if (!tip) {
    Say(what + ": no tip window");
    return;
  }
  try {
    LRESULT r = SendMessageW(tip, hostMessage_, static_cast<WPARAM>(wparam),
                             static_cast<LPARAM>(static_cast<uintptr_t>(lparam)));
    Say(what + " -> " + std::to_string(static_cast<int64_t>(r)));
  } catch (...) {
    Fail(what);
  }
  form_->ModuleChanged();
}

void Host::Window() {
  HWND tip = TipWindow();
  if (!tip) {
    Say("window none");
    return;
  }
  RECT r;
  GetWindowRect(tip, &r);
  Say("window " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
      std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) +
      (IsWindowVisible(tip) ? " visible" : " hidden"));
}

void Host::Screenshot(const std::string& file) {
  HWND tip = TipWindow();
  if (!tip) {
    Say("screenshot: no tip window");
    return;
  }
  try {
    ShotSize size = SaveWindowBitmap(tip, ScriptPath(file));
    Say("screenshot " + std::to_string(size.width) + " " + std::to_string(size.height));
  } catch (...) {
    Fail("screenshot");
  }
}

std::optional<Host::Answers> Host::Poll() {
  if (!module_) return std::nullopt;
  return Answers{module_->Changed(), module_->Nr()};
}

void Host::Broadcast(WPARAM wparam, LPARAM lparam, bool foreign) {
  Say("broadcast " + std::to_string(static_cast<int32_t>(wparam)) + " " +
      std::to_string(static_cast<int32_t>(lparam)) + (foreign ? " from another thread" : ""));
}

}  // namespace host
