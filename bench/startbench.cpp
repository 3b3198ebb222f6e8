// Times the start of the tag editor's tip window against the least a window of
// the framework costs: Ombrik63.dll's ModulCreate (which makes the tip form from
// its layouts and shows it) followed by ModulFree, against an empty framework
// form made, shown and freed. Both are given the same bounds and have their
// messages pumped (painting included) before they go.
//
//   startbench [repetitions]   (default 51)
//
// Prints the medians in milliseconds of the whole cycle and of creation and
// showing alone, and their ratios (tip / empty form). It measures whatever
// form the module makes, so the figures follow the form as it grows.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Ombrik63.h"
#include "fw/Application.h"
#include "fw/Form.h"
#include "fw/LongString.h"
#include "fw/SysUtils.h"

namespace {

using Clock = std::chrono::steady_clock;

// The export's own type, with the register convention on i686.
using ModulCreateFn = decltype(&ModulCreate);
using NoArgumentFn = int32_t (*)();

constexpr int kLeft = 40, kTop = 30, kWidth = 350, kHeight = 480;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Pump() { fw::Application().ProcessMessages(); }

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "startbench: %s (error %lu)\n", what.c_str(), GetLastError());
  std::exit(1);
}

// The module as its host sees it.
class Module {
 public:
  Module() : library_(LoadLibraryA("Ombrik63.dll")) {
    if (!library_) Fail("Ombrik63.dll not loaded");
    create_ = reinterpret_cast<ModulCreateFn>(Export("ModulCreate"));
    free_ = reinterpret_cast<NoArgumentFn>(Export("ModulFree"));
  }
  ~Module() { FreeLibrary(library_); }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  void Create() {
    // Windows XP, German, valid on XP: no prompt of any kind.
#if defined(__i386__)
    create_(kLeft, kTop, kWidth, 6300, 0x1000, hint_.get(), caption_.get(), 0, 13, kHeight);
#else
    create_(kLeft, kTop, kWidth, kHeight, 13, 0, caption_.get(), hint_.get(), 0x1000, 6300);
#endif
  }
  void Free() { free_(); }

 private:
  void* Export(const char* name) {
    void* fn = reinterpret_cast<void*>(GetProcAddress(library_, name));
    if (!fn) Fail(std::string("no export ") + name);
    return fn;
  }

  HMODULE library_;
  ModulCreateFn create_ = nullptr;
  NoArgumentFn free_ = nullptr;
  fw::LongString caption_{"MP3 ID Tag"}, hint_{"Hinweis"};
};

// ModulCreate answers 0 in every case; the window tells whether it worked.
BOOL CALLBACK CountTip(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (process == GetCurrentProcessId() && std::string(name) == "TFormOmbrik63")
    ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int TipWindows() {
  int count = 0;
  EnumWindows(CountTip, reinterpret_cast<LPARAM>(&count));
  return count;
}

// The tip reads the suite's settings key and leaves it behind; a key that
// was not there before goes again.
class SettingsKey {
 public:
  SettingsKey() : existed_(Exists("SOFTWARE\\Tovrane")) {}
  ~SettingsKey() {
    if (!existed_) RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tovrane");
  }
  SettingsKey(const SettingsKey&) = delete;
  SettingsKey& operator=(const SettingsKey&) = delete;

 private:
  static bool Exists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  bool existed_;
};

// The tip's file list reads the current directory's *.mp3 files: it stands
// in an empty directory, so that the figures are the form's own.
class EmptyCurrentDirectory {
 public:
  EmptyCurrentDirectory() : home_(fw::GetCurrentDir()) {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp, n) + "startbench" + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryA(path_.c_str(), nullptr)) Fail("cannot create " + path_);
    fw::ChDir(path_);
  }
  ~EmptyCurrentDirectory() {
    SetCurrentDirectoryA(home_.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  EmptyCurrentDirectory(const EmptyCurrentDirectory&) = delete;
  EmptyCurrentDirectory& operator=(const EmptyCurrentDirectory&) = delete;

 private:
  std::string home_, path_;
};

struct Cycle {
  std::vector<double> shown, whole;
};

// One cycle: make and show (until the queue is empty), then free.
void TimeCycle(Cycle& into, const std::function<void()>& show, const std::function<void()>& free) {
  const auto start = Clock::now();
  show();
  Pump();
  const auto shown = Clock::now();
  free();
  Pump();
  const auto end = Clock::now();
  into.shown.push_back(Millis(shown - start));
  into.whole.push_back(Millis(end - start));
}

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
  fw::Application().SetTitle("startbench");
  SettingsKey settings;
  EmptyCurrentDirectory directory;
  Module module;

  fw::Owned<fw::TForm> form;
  const auto showForm = [&] {
    form = fw::MakeOwned<fw::TForm>();
    form->SetBounds(kLeft, kTop, kWidth, kHeight);
    form->SetText("MP3 ID Tag");
    form->Show();
  };
  const auto freeForm = [&] { form.reset(); };
  const auto showTip = [&] { module.Create(); };
  const auto freeTip = [&] { module.Free(); };

  // The first rounds pay for loading resources, fonts and classes.
  Cycle warm;
  for (int i = 0; i < 3; ++i) {
    TimeCycle(warm, showForm, freeForm);
    module.Create();
    Pump();
    if (TipWindows() != 1) Fail("ModulCreate made no tip window");
    module.Free();
    Pump();
    if (TipWindows() != 0) Fail("ModulFree left the tip window");
  }

  // The two take turns, so drifting machine load hits them alike.
  Cycle bare, tip;
  for (int i = 0; i < reps; ++i) {
    TimeCycle(bare, showForm, freeForm);
    TimeCycle(tip, showTip, freeTip);
  }
  const double bareShown = Median(bare.shown), tipShown = Median(tip.shown);
  const double bareWhole = Median(bare.whole), tipWhole = Median(tip.whole);
  std::printf("%d runs each, medians in milliseconds\n", reps);
  std::printf("%-22s %12s %12s %7s\n", "", "empty form", "tip window", "ratio");
  std::printf("%-22s %12.2f %12.2f %7.2f\n", "create and show", bareShown, tipShown,
              tipShown / bareShown);
  std::printf("%-22s %12.2f %12.2f %7.2f\n", "create, show and free", bareWhole, tipWhole,
              tipWhole / bareWhole);
  return 0;
}
