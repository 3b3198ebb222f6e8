// Times the start of the tag editor's tip window and the selection of a file
// in it against the least a plain Win32 program must do for the same window
// (BareTipWindow): Ombrik63.dll's ModulCreate, which makes the tip form from
// its layouts and shows it, followed by ModulFree, against the bare window
// made, shown and destroyed; and a click on a file until the six fields show
// its tag, in both. Both stand in the same directory, which holds a few
// tagged *.mp3 files and two subdirectories, and have their messages pumped
// (painting included) before the clock stops.
//
//   startbench [repetitions]   (default 51)
//   startbench --memory bare|tip
//
// Prints the medians in milliseconds and their ratios (tip / bare); with
// --memory, what the one window holds (private bytes, GDI and USER objects
// above the process before its first start) after that start and after
// 1,000 selections.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "BareTipWindow.h"
#include "Ombrik63.h"
#include "fw/Application.h"
#include "fw/LongString.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

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
  Module() : library_(LoadLibraryW(L"Ombrik63.dll")) {
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
  wchar_t name[64] = {};
  GetClassNameW(window, name, std::size(name));
  if (process == GetCurrentProcessId() && std::wstring(name) == L"TFormOmbrik63")
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
  SettingsKey() : existed_(Exists(L"SOFTWARE\\Tovrane")) {}
  ~SettingsKey() {
    if (!existed_) RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tovrane");
  }
  SettingsKey(const SettingsKey&) = delete;
  SettingsKey& operator=(const SettingsKey&) = delete;

 private:
  static bool Exists(const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  bool existed_;
};

// The directory both windows show: tagged *.mp3 files, another file and two
// subdirectories, gone again at the end.
class SampleDirectory {
 public:
  static constexpr int kFiles = 12;
  static constexpr const wchar_t* kSubdirectories[] = {L"Alben", L"Singles"};

  SampleDirectory() : home_(fw::GetCurrentDir()) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp, n) + L"startbench" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(path_.c_str(), nullptr)) Fail("cannot create " + fw::Utf8(path_));
    fw::ChDir(fw::Utf8(path_));
    for (const wchar_t* name : kSubdirectories) CreateDirectoryW(name, nullptr);
    for (int i = 0; i < kFiles; ++i) Write(FileName(i), Tag(i));
    Write(L"cover.jpg", std::string(1000, 'x'));
  }
  ~SampleDirectory() {
    fw::SetCurrentDir(home_);
    for (int i = 0; i < kFiles; ++i) DeleteFileW((path_ + L"\\" + FileName(i)).c_str());
    DeleteFileW((path_ + L"\\cover.jpg").c_str());
    for (const wchar_t* name : kSubdirectories) RemoveDirectoryW((path_ + L"\\" + name).c_str());
    RemoveDirectoryW(path_.c_str());
  }
  SampleDirectory(const SampleDirectory&) = delete;
  SampleDirectory& operator=(const SampleDirectory&) = delete;

  // What the fields show for the file in the list's row (the list is sorted).
  static std::string Title(int row) { return "Titel " + std::to_string(row + 1); }
  static int Genre(int row) { return 10 + row; }

 private:
  static std::wstring FileName(int i) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"Lied %02d.mp3", i + 1);
    return name;
  }
  // Audio stand-in, then the 128-byte record.
  static std::string Tag(int i) {
    std::string bytes(4000, '\0');
    std::string record(128, '\0');
    auto put = [&record](size_t at, const std::string& text) {
      record.replace(at, text.size(), text);
    };
    put(0, "TAG");
    put(3, Title(i));
    put(33, "Kapelle");
    put(63, "Album");
    put(93, "1999");
    put(97, "Kommentar");
    record[127] = static_cast<char>(Genre(i));
    return bytes + record;
  }
  static void Write(const std::wstring& name, const std::string& bytes) {
    fw::KernelHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      Fail("cannot write " + fw::Utf8(name));
  }

  std::string home_;
  std::wstring path_;
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

// The windows a selection touches, in the tip or in the bare window.
struct Fields {
  HWND fileList = nullptr, title = nullptr, genre = nullptr;
};

BOOL CALLBACK CollectTipField(HWND child, LPARAM into) {
  auto& fields = *reinterpret_cast<Fields*>(into);
  wchar_t name[64] = {};
  GetClassNameW(child, name, std::size(name));
  const std::wstring kind = name;
  RECT r;
  GetWindowRect(child, &r);
  if (kind == L"TFileListBox") fields.fileList = child;
  if (kind == L"TComboBox") fields.genre = child;
  // The title is the topmost of the visible edits.
  if (kind == L"TEdit" && IsWindowVisible(child)) {
    RECT title;
    if (!fields.title || (GetWindowRect(fields.title, &title), r.top < title.top))
      fields.title = child;
  }
  return TRUE;
}

Fields TipFields() {
  HWND tip = FindWindowW(L"TFormOmbrik63", nullptr);
  if (!tip) Fail("no tip window");
  Fields fields;
  EnumChildWindows(tip, CollectTipField, reinterpret_cast<LPARAM>(&fields));
  if (!fields.fileList || !fields.title || !fields.genre) Fail("tip window without its fields");
  return fields;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256];
  return std::wstring(text, GetWindowTextW(window, text, std::size(text)));
}

// A click on the row's file, then the messages pumped until the fields show
// its tag.
double TimeSelection(const Fields& fields, int row) {
  const int itemHeight = static_cast<int>(SendMessageW(fields.fileList, LB_GETITEMHEIGHT, 0, 0));
  const LPARAM at = MAKELPARAM(20, row * itemHeight + itemHeight / 2);
  // ASCII, so each byte is its character.
  const std::string ascii = SampleDirectory::Title(row);
  const std::wstring title(ascii.begin(), ascii.end());
  // The window is the active one, with the list focused, as when the user
  // clicks one file after another; the two windows taking turns would
  // otherwise time activating them.
  SetActiveWindow(GetAncestor(fields.fileList, GA_ROOT));
  SetFocus(fields.fileList);
  Pump();
  const auto start = Clock::now();
  PostMessageW(fields.fileList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(fields.fileList, WM_LBUTTONUP, 0, at);
  for (int spin = 0;; ++spin) {
    Pump();
    if (SendMessageW(fields.genre, CB_GETCURSEL, 0, 0) == SampleDirectory::Genre(row) &&
        WindowText(fields.title) == title)
      break;
    if (spin == 100000) Fail("the click showed no tag");
    Sleep(0);
  }
  return Millis(Clock::now() - start);
}

// What the process holds. Wine answers GetGuiResources with 0 and leaves
// PrivateUsage at 0 (its PagefileUsage is the private commit). There a
// handle's low word is its index in the process's GDI table and in the
// window manager's table, so the live entries are counted: GDI objects of
// every kind, and this process's windows and menus.
struct Usage {
  long long privateBytes = 0;
  long gdi = 0, user = 0;
};

long GdiObjects() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
    return static_cast<long>(n);
  long count = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++count;
  return count;
}

long UserObjects() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
    return static_cast<long>(n);
  long count = 0;
  // The first USER handle is 0x20, and they go in steps of two.
  for (ULONG_PTR i = 0x20; i < 0x10000; i += 2) {
    DWORD process = 0;
    if (IsWindow(reinterpret_cast<HWND>(i))) {
      GetWindowThreadProcessId(reinterpret_cast<HWND>(i), &process);
      if (process == GetCurrentProcessId()) ++count;
    } else if (IsMenu(reinterpret_cast<HMENU>(i))) {
      ++count;
    }
  }
  return count;
}

Usage Held() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  const SIZE_T privateBytes =
      counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  return {static_cast<long long>(privateBytes), GdiObjects(), UserObjects()};
}

// One window alone: shown, then clicked 1,000 times, counted above the
// process without it.
void ReportMemory(const char* what, const std::function<void()>& show,
                  const std::function<Fields()>& fields, const std::function<void()>& free) {
  constexpr int kSelections = 1000;
  const Usage before = Held();
  show();
  Pump();
  const Usage started = Held();
  const Fields window = fields();
  for (int i = 0; i < kSelections; ++i) TimeSelection(window, i % 2);
  const Usage selected = Held();
  // Growth goes on; what the first selections set up once does not.
  for (int i = 0; i < kSelections; ++i) TimeSelection(window, i % 2);
  const Usage again = Held();
  free();
  Pump();
  const auto print = [&](const char* when, const Usage& now) {
    std::printf("memory %-4s %-22s %8.0f KiB %5ld GDI %5ld USER\n", what, when,
                static_cast<double>(now.privateBytes - before.privateBytes) / 1024,
                now.gdi - before.gdi, now.user - before.user);
  };
  print("after start", started);
  print("after 1000 selections", selected);
  print("after 2000 selections", again);
}

void Report(const char* what, const std::vector<double>& bare, const std::vector<double>& tip) {
  const double b = Median(bare), t = Median(tip);
  std::printf("%-22s %12.2f %12.2f %7.2f\n", what, b, t, t / b);
}

}  // namespace

int main(int argc, char** argv) {
  const bool memory = argc > 2 && std::string(argv[1]) == "--memory";
  const int reps = argc > 1 && !memory ? std::max(1, std::atoi(argv[1])) : 51;
  fw::Application().SetTitle("startbench");
  SettingsKey settings;
  SampleDirectory directory;
  Module module;
  BareTipWindow::RegisterClass();

  std::unique_ptr<BareTipWindow> bareWindow;
  const auto showBare = [&] {
    bareWindow = std::make_unique<BareTipWindow>(kLeft, kTop, kWidth, kHeight);
  };
  const auto freeBare = [&] { bareWindow.reset(); };
  const auto showTip = [&] { module.Create(); };
  const auto freeTip = [&] { module.Free(); };

  // Each window in a process of its own, from its first start on.
  if (memory && std::string(argv[2]) == "bare") {
    ReportMemory(
        "bare", showBare,
        [&] {
          return Fields{bareWindow->FileList(), bareWindow->TitleEdit(), bareWindow->GenreCombo()};
        },
        freeBare);
    return 0;
  }
  if (memory) {
    ReportMemory("tip", showTip, TipFields, freeTip);
    return 0;
  }

  // The first rounds pay for loading resources, fonts and classes.
  Cycle warm;
  for (int i = 0; i < 3; ++i) {
    TimeCycle(warm, showBare, freeBare);
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
    TimeCycle(bare, showBare, freeBare);
    TimeCycle(tip, showTip, freeTip);
  }

  // Selections: both windows open side by side, the clicks taking turns
  // between two files so that each one is a change.
  std::vector<double> bareSelect, tipSelect;
  showBare();
  showTip();
  Pump();
  const Fields bareFields{bareWindow->FileList(), bareWindow->TitleEdit(),
                          bareWindow->GenreCombo()};
  const Fields tipFields = TipFields();
  for (int i = 0; i < 2; ++i) {
    TimeSelection(bareFields, i);
    TimeSelection(tipFields, i);
  }
  for (int i = 0; i < reps; ++i) {
    bareSelect.push_back(TimeSelection(bareFields, i % 2));
    tipSelect.push_back(TimeSelection(tipFields, i % 2));
  }
  freeTip();
  freeBare();
  Pump();

  std::printf("%d runs each, medians in milliseconds\n", reps);
  std::printf("%-22s %12s %12s %7s\n", "", "bare window", "tip window", "ratio");
  Report("create and show", bare.shown, tip.shown);
  Report("create, show and free", bare.whole, tip.whole);
  Report("select a file", bareSelect, tipSelect);
  return 0;
}
