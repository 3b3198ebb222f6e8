// Times the file list's read of a big directory against a bare
// FindFirstFile/FindNextFile walk over the same pattern, which is the least
// any listing has to pay. The directory holds N .mp3 files and N others;
// both sides look for "*.mp3".
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

// What any listing must do at least: walk the matching entries.
size_t Walk(const std::wstring& pattern) {
  WIN32_FIND_DATAW data;
  size_t count = 0;
  fw::FindHandle find(FindFirstFileW(pattern.c_str(), &data));
  if (!find) return 0;
  do {
    ++count;
  } while (FindNextFileW(find.get(), &data));
  return count;
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
  fw::Application().ProcessMessages();

  // Wall time, and the thread's processor time, which other work on a busy
  // machine disturbs less (it counts in the system's clock ticks).
  Timings reads, walks;
  for (int i = 0; i < runs; ++i) {
    Stopwatch watch;
    list->ReadEntries();
    watch.StopInto(reads);
    fw::Application().ProcessMessages();

    Stopwatch walkWatch;
    size_t walked = Walk(dir.Path() + L"\\*.mp3");
    walkWatch.StopInto(walks);
    if (walked != static_cast<size_t>(count) || list->Items().Count() != count) {
      std::fprintf(stderr, "listed %d, walked %zu, expected %d\n", list->Items().Count(), walked,
                   count);
      std::exit(1);
    }
  }
  std::printf("  ReadEntries \"*.mp3\": median %8.1f ms wall, %8.1f ms cpu (%d runs)\n",
              Median(reads.wall), Median(reads.cpu), runs);
  std::printf("  FindFirst/NextFile:  median %8.1f ms wall, %8.1f ms cpu\n", Median(walks.wall),
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
