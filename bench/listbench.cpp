// Times the file list's read of a big directory against a bare program that
// shows the same list: a FindFirstFile/FindNextFile walk over the same
// pattern that fills an owner-drawn list box of the same size and font with
// the names in the same order (BareFileList), which is the least any listing
// has to pay. The directory holds N .mp3 files and N others; both sides look
// for "*.mp3". Both times end when the list has painted.
//
//   listbench [N ...]           (default: 10000 100000)
//   listbench --dir <dir> N     use a directory that already holds the files
//
// Prints the medians and their ratio (read / walk) for each N. Under Wine,
// creating files costs a scan of the whole directory each (it looks for a
// name in other letter case), so bench/listbench.sh fills the directories
// from the host side and uses --dir.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

#include "BareFileList.h"
#include "filectrl/FileListBox.h"
#include "fw/Application.h"
#include "fw/Form.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double ThreadMillis() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

struct Timings {
  std::vector<double> wall, cpu;
};

class Stopwatch {
 public:
  void StopInto(Timings& t) const {
    t.wall.push_back(Millis(Clock::now() - wall_));
    t.cpu.push_back(ThreadMillis() - cpu_);
  }

 private:
  Clock::time_point wall_ = Clock::now();
  double cpu_ = ThreadMillis();
};

// A directory of its own under the temp directory, emptied and removed at
// the end.
class BenchDir {
 public:
  // A directory filled beforehand, left as it is.
  explicit BenchDir(std::wstring given) : path_(std::move(given)), own_(false) {}
  BenchDir() {
    wchar_t temp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp, n) + L"listbench" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(path_.c_str(), nullptr)) {
      std::fprintf(stderr, "cannot create %s\n", fw::Utf8(path_).c_str());
      std::exit(1);
    }
  }
  ~BenchDir() {
    if (!own_) return;
    Empty();
    RemoveDirectoryW(path_.c_str());
  }
  BenchDir(const BenchDir&) = delete;
  BenchDir& operator=(const BenchDir&) = delete;

  const std::wstring& Path() const { return path_; }

  void Fill(int count) {
    wchar_t name[32];
    for (int i = 0; i < count; ++i) {
      // Not in name order, so the sorted list cannot just append.
      unsigned key = static_cast<unsigned>(i) * 2654435761u;
      std::swprintf(name, std::size(name), L"\\%08x_%06d.mp3", key, i);
      Touch(path_ + name);
      std::swprintf(name, std::size(name), L"\\%08x_%06d.txt", key, i);
      Touch(path_ + name);
    }
  }

  void Empty() {
    WIN32_FIND_DATAW data;
    std::vector<std::wstring> names;
    {
      fw::FindHandle find(FindFirstFileW((path_ + L"\\*").c_str(), &data));
      if (!find) return;
      do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
      } while (FindNextFileW(find.get(), &data));
    }
    for (const std::wstring& name : names) DeleteFileW((path_ + L"\\" + name).c_str());
  }

 private:
  static void Touch(const std::wstring& file) {
    fw::KernelHandle h(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
      std::fprintf(stderr, "cannot create %s\n", fw::Utf8(file).c_str());
      std::exit(1);
    }
  }
  std::wstring path_;
  bool own_ = true;
};

// The bare program's window: a list box like the file list's, drawn by its
// parent as the file list draws its items without glyphs.
class BareList {
 public:
  BareList() {
    static const ATOM registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = WndProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = L"BareList";
      return RegisterClassExW(&wc);
    }();
    (void)registered;
    font_.reset(
        CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    window_.reset(CreateWindowExW(0, L"BareList", L"", WS_OVERLAPPEDWINDOW, 330, 20, 300, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    list_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS |
                            LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_SORT,
                        8, 8, 260, 340, window_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ShowWindow(window_.get(), SW_SHOWNA);
  }
  HWND List() const { return list_; }

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<BareList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (msg == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 13;
      return TRUE;
    }
    if (msg == WM_DRAWITEM && self) {
      self->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    }
    return DefWindowProcW(window, msg, wp, lp);
  }
  void DrawItem(const DRAWITEMSTRUCT& item) {
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) return;
    wchar_t text[MAX_PATH];
    const auto length =
        SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT rect = item.rcItem;
    rect.left += 2;
    HGDIOBJ old = SelectObject(item.hDC, font_.get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text, static_cast<int>(std::max<LRESULT>(length, 0)), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(item.hDC, old);
  }

  fw::GdiObject font_;
  fw::WindowHandle window_;
  HWND list_ = nullptr;
};

std::wstring ListText(HWND list, int index) {
  wchar_t text[MAX_PATH];
  const auto n = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<size_t>(std::max<LRESULT>(n, 0)));
}

void Run(BenchDir& dir, int count, int runs) {
  // Reading moves the process into the directory; it must leave before the
  // directory can go.
  struct Leave {
    std::string home = fw::GetCurrentDir();
    ~Leave() { fw::SetCurrentDir(home); }
  } leave;
  std::printf("N = %d: %d .mp3 + %d others\n", count, count, count);

  fw::Owned<fw::TForm> form = fw::MakeOwned<fw::TForm>();
  form->SetBounds(20, 20, 300, 400);
  auto* list = fw::Make<filectrl::TFileListBox>(form.get());
  list->SetParent(form.get());
  list->SetBounds(8, 8, 260, 340);
  list->SetMask("*.mp3");
  list->SetDirectory(fw::Utf8(dir.Path()));
  form->Show();  // the first read
  BareList bare;
  SendMessageW(bare.List(), LB_SETITEMHEIGHT, 0, list->ItemHeight());
  FillFileList(bare.List(), (dir.Path() + L"\\*.mp3").c_str(), 0);
  fw::Application().ProcessMessages();
  // The same names in the same order.
  const HWND tipList = list->Handle();
  for (int i = 0; i < count; i += std::max(1, count / 1000)) {
    if (ListText(tipList, i) != ListText(bare.List(), i)) {
      std::fprintf(stderr, "item %d differs: %s and %s\n", i,
                   fw::Utf8(ListText(tipList, i)).c_str(),
                   fw::Utf8(ListText(bare.List(), i)).c_str());
      std::exit(1);
    }
  }

  // Wall time, and the thread's processor time, which other work on a busy
  // machine disturbs less (it counts in the system's clock ticks).
  // The two take turns, so drifting machine load hits them alike.
  Timings reads, walks;
  for (int i = 0; i < runs; ++i) {
    Stopwatch watch;
    list->ReadEntries();
    UpdateWindow(tipList);
    watch.StopInto(reads);
    fw::Application().ProcessMessages();

    Stopwatch walkWatch;
    size_t walked = FillFileList(bare.List(), (dir.Path() + L"\\*.mp3").c_str(), 0);
    UpdateWindow(bare.List());
    walkWatch.StopInto(walks);
    fw::Application().ProcessMessages();
    if (walked != static_cast<size_t>(count) || list->Items().Count() != count) {
      std::fprintf(stderr, "listed %d, walked %zu, expected %d\n", list->Items().Count(), walked,
                   count);
      std::exit(1);
    }
  }
  std::printf("  ReadEntries \"*.mp3\": median %8.1f ms wall, %8.1f ms cpu (%d runs)\n",
              Median(reads.wall), Median(reads.cpu), runs);
  std::printf("  bare walk and fill:  median %8.1f ms wall, %8.1f ms cpu\n", Median(walks.wall),
              Median(walks.cpu));
  std::printf("  ratio %.2f wall, %.2f cpu\n", Median(reads.wall) / Median(walks.wall),
              Median(reads.cpu) / Median(walks.cpu));
  std::fflush(stdout);
}

}  // namespace

int Runs(int count) { return count >= 50000 ? 3 : 7; }

// Wide arguments (linked with -municode), so that --dir takes any directory's name.
int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"--dir") {
    BenchDir dir(argv[2]);
    int count = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    Run(dir, count, Runs(count));
    return 0;
  }
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i)
    counts.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
  if (counts.empty()) counts = {10000, 100000};
  for (int count : counts) {
    BenchDir dir;
    auto start = Clock::now();
    dir.Fill(count);
    std::printf("(filled in %.0f ms)\n", Millis(Clock::now() - start));
    Run(dir, count, Runs(count));
  }
  return 0;
}
