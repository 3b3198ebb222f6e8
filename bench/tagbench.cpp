// Times LoadTag and SaveTag against the least any reader of the record must do: open the file,
// seek to 128 bytes before its end, read them, close. Both should cost about that, whatever the
// file's size.
//   tagbench [repetitions]
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TagFile.h"
#include "fw/Handle.h"
#include "fw/Unicode.h"

namespace {

using Clock = std::chrono::steady_clock;

// A file of `size` bytes whose end is a tag. A sparse one has a hole where the file system allows;
// the others are written out.
void MakeFile(const std::wstring& path, std::int64_t size, bool sparse) {
  fw::KernelHandle h(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) throw std::runtime_error("cannot create " + fw::Utf8(path));
  DWORD written = 0;
  if (sparse) {
    ::DeviceIoControl(h.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &written, nullptr);
  } else {
    const std::vector<char> chunk(1 << 20, '\x55');
    for (std::int64_t left = size - tageditor::kRecordSize; left > 0;
         left -= std::int64_t(written)) {
      const DWORD n = static_cast<DWORD>(std::min<std::int64_t>(left, std::int64_t(chunk.size())));
      if (!::WriteFile(h.get(), chunk.data(), n, &written, nullptr) || written != n)
        throw std::runtime_error("cannot write " + fw::Utf8(path));
    }
  }
  std::string record(tageditor::kRecordSize, '\0');
  record.replace(0, 8, "TAGTitle");
  LARGE_INTEGER at;
  at.QuadPart = size - tageditor::kRecordSize;
  if (!::SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN) ||
      !::WriteFile(h.get(), record.data(), tageditor::kRecordSize, &written, nullptr))
    throw std::runtime_error("cannot write " + fw::Utf8(path));
}

void BareRead(const std::wstring& path) {
  fw::KernelHandle h(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) throw std::runtime_error("cannot open " + fw::Utf8(path));
  LARGE_INTEGER at;
  at.QuadPart = -tageditor::kRecordSize;
  char buffer[tageditor::kRecordSize];
  DWORD got = 0;
  if (!::SetFilePointerEx(h.get(), at, nullptr, FILE_END) ||
      !::ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr) || got != sizeof buffer)
    throw std::runtime_error("cannot read " + fw::Utf8(path));
}

// Microseconds one call takes.
double Time(const std::function<void()>& call) {
  const auto start = Clock::now();
  call();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 501;
  wchar_t tmp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, tmp);
  const struct {
    const char* label;
    std::int64_t size;
    bool sparse;
  } sizes[] = {
      {"4 KiB", 4LL << 10, false}, {"100 MiB", 100LL << 20, false}, {"5 GiB", 5LL << 30, true}};

  std::printf("%d runs each, medians in microseconds\n", reps);
  std::printf("%-8s %10s %10s %7s %10s %7s\n", "size", "minimum", "LoadTag", "ratio", "SaveTag",
              "ratio");
  int status = 0;
  for (const auto& s : sizes) {
    const std::wstring path =
        std::wstring(tmp) + L"tagbench-" + std::to_wstring(::GetCurrentProcessId()) + L".mp3";
    const std::string name = fw::Utf8(path);
    try {
      MakeFile(path, s.size, s.sparse);
      const tageditor::TagFields fields{"Title", "Artist", "Album", "2024", "Comment", 17};
      // The first opens of a file pay for caches and the Wine server warming up.
      for (int i = 0; i < 20; ++i) {
        BareRead(path);
        tageditor::LoadTag(name);
      }
      // The three take turns, so drifting machine load (such as the write-back of a file just
      // made) hits them alike.
      std::vector<double> bare, load, save;
      for (int i = 0; i < reps; ++i) {
        bare.push_back(Time([&] { BareRead(path); }));
        load.push_back(Time([&] { tageditor::LoadTag(name); }));
        save.push_back(Time([&] { tageditor::SaveTag(name, fields); }));
      }
      const double b = Median(bare), l = Median(load), w = Median(save);
      std::printf("%-8s %10.1f %10.1f %7.2f %10.1f %7.2f\n", s.label, b, l, l / b, w, w / b);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", s.label, e.what());
      status = 1;
    }
    ::DeleteFileW(path.c_str());
  }
  return status;
}
