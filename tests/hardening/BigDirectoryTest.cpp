// A directory of 100,000 entries: the file list reads all of them, in the
// list's sorted order, with the hourglass on while it fills and the cursor
// as it was afterwards. The list fills on the window's thread: the window
// answers no message until it is done, and the hourglass is what the user
// sees meanwhile; the test measures how long that is.
//
// Under Wine the entries are made on the Unix side: Wine looks through the
// whole directory for a name in other letter case before it creates a file,
// so 100,000 creations from here would take the better part of an hour
// (8,000 took 18 s). Outside Wine the program makes them itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "HardeningSupport.h"
#include "filectrl/FileListBox.h"
#include "fw/Application.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/TempDir.h"

namespace {

using filectrl::TFileListBox;

constexpr int kEntries = 100000;

// Notes the screen cursor at the first and the last item the list takes.
class WatchedFileList : public TFileListBox {
 public:
  using TFileListBox::TFileListBox;
  int inserts = 0;
  fw::TCursor firstCursor = fw::crDefault, lastCursor = fw::crDefault;
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == LB_ADDSTRING || m.Msg == LB_INSERTSTRING) {
      (inserts == 0 ? firstCursor : lastCursor) = fw::Screen().Cursor();
      ++inserts;
    }
    TFileListBox::WndProc(m);
  }
};

// Names out of sort order and in both letter cases: a scrambled key, then
// the number, which keeps them apart.
bool FillFromUnixSide(const testsupport::TempDir& temp, const std::string& scratch) {
  const std::string dir = hardening::UnixPathOf(temp.Path());
  if (dir.empty()) return false;
  const std::string script =
      "cd '" + dir + "' && seq 0 " + std::to_string(kEntries - 1) +
      " | awk -v f=%08x_%06d.mp3 '{n=sprintf(f, ($1*2654435761)%4294967296, $1);"
      " if ($1%2) n=toupper(n); print n}' | xargs touch";
  return hardening::RunUnixScript(script, scratch, 120000);
}

void FillFromHere(const testsupport::TempDir& temp) {
  for (int i = 0; i < kEntries; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, i % 2 ? "%08X_%06d.MP3" : "%08x_%06d.mp3",
                  static_cast<unsigned>(i * 2654435761u), i);
    temp.WriteFile(name, "");
  }
}

// The entries as a bare search sees them.
std::vector<std::string> Walk(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  fw::FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
  if (find) {
    do names.emplace_back(data.cFileName);
    while (::FindNextFileA(find.get(), &data));
  }
  return names;
}

// Asks a window for an answer every 20 ms from another thread and keeps the
// longest wait, as a user's click or a paint would wait.
class AnswerProbe {
 public:
  explicit AnswerProbe(HWND window) : window_(window), thread_([this] { Run(); }) {}
  ~AnswerProbe() { Stop(); }
  AnswerProbe(const AnswerProbe&) = delete;
  AnswerProbe& operator=(const AnswerProbe&) = delete;
  // Seconds.
  double Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return longest_;
  }

 private:
  void Run() {
    while (!stop_) {
      const auto start = std::chrono::steady_clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
      longest_ =
          std::max(longest_,
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      Sleep(20);
    }
  }
  HWND window_;
  std::atomic<bool> stop_{false};
  double longest_ = 0;
  std::thread thread_;
};

TEST(BigDirectory, HundredThousandEntriesListSortedUnderTheHourglass) {
  testsupport::TempDir scratch;
  testsupport::TempDir temp;
  testsupport::CurrentDirGuard cwd;
  const auto start = std::chrono::steady_clock::now();
  const bool unixSide = FillFromUnixSide(temp, scratch.Path());
  if (!unixSide) FillFromHere(temp);
  const double made =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("[ info     ] %d entries made in %.1f s from the %s side\n", kEntries, made,
              unixSide ? "Unix" : "Windows");

  fw::ChDir(temp.Path());
  hardening::Host host;
  auto* list = host.Add<WatchedFileList>(10, 10, 300, 360);
  // Shown first with nothing to list, so that the probe has a window to ask.
  list->SetMask("*.none");
  host.Show();
  fw::Screen().SetCursor(fw::crHandPoint);
  const auto listing = std::chrono::steady_clock::now();
  AnswerProbe probe(host.Form().Handle());
  Sleep(100);
  list->SetMask("*.mp3");
  const double listed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - listing).count();
  hardening::Pump();
  const double unanswered = probe.Stop();
  std::printf("[ info     ] listed in %.1f s; the window answered nothing for %.1f s\n",
              listed - 0.1, unanswered);
  // Answering again as soon as the list is full.
  EXPECT_LT(unanswered, listed + 1.0);
  ASSERT_EQ(list->Items().Count(), kEntries);
  EXPECT_EQ(list->inserts, kEntries);
  EXPECT_EQ(list->firstCursor, fw::crHourGlass);
  EXPECT_EQ(list->lastCursor, fw::crHourGlass);
  EXPECT_EQ(fw::Screen().Cursor(), fw::crHandPoint);
  fw::Screen().SetCursor(fw::crDefault);

  std::vector<std::string> items = hardening::ItemTexts(*list);
  int outOfOrder = 0;
  for (size_t i = 1; i < items.size(); ++i)
    if (fw::AnsiCompareText(items[i - 1], items[i]) > 0) ++outOfOrder;
  EXPECT_EQ(outOfOrder, 0);
  std::vector<std::string> walked = Walk("*.mp3");
  std::sort(items.begin(), items.end());
  std::sort(walked.begin(), walked.end());
  EXPECT_TRUE(items == walked);

  // A selection far down gives its file.
  list->SetItemIndex(kEntries - 1);
  EXPECT_TRUE(fw::FileExists(list->FileName()));

  if (unixSide) {
    ::SetCurrentDirectoryA(scratch.Path().c_str());
    // Removing them one by one from here costs a search each under Wine.
    EXPECT_TRUE(hardening::RunUnixScript(
        "find '" + hardening::UnixPathOf(temp.Path()) + "' -mindepth 1 -delete", scratch.Path(),
        120000));
  }
}

}  // namespace
