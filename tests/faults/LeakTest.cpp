// A long session: a thousand selections and saves in a row must leave the
// process holding what it held after the first hundred.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "FaultSession.h"
#include "fw/Handle.h"
#include "testsupport/ProcessObjects.h"

namespace faultstest {
namespace {

using testsupport::CountProcessObjects;
using testsupport::DescribeSources;
using testsupport::ProcessObjects;

TEST_F(FaultSession, AThousandSelectionsAndSavesLeakNothing) {
  // The figures must see what they are asked to count.
  {
    const ProcessObjects before = CountProcessObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    fw::KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HWND window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const ProcessObjects during = CountProcessObjects();
    DestroyWindow(window);
    DeleteObject(brush);
    EXPECT_EQ(during.gdi, before.gdi + 1) << DescribeSources();
    EXPECT_EQ(during.user, before.user + 1) << DescribeSources();
    EXPECT_EQ(during.kernel, before.kernel + 1) << DescribeSources();
  }

  Open();
  TipWindow& tip = Tip();
  const char* files[] = {"Abendlied.mp3", "Bergfahrt.mp3"};
  auto round = [&](int i) {
    tip.ClickFile(files[i % 2]);
    tip.Type(tip.Title(), "Lauf " + std::to_string(i));
    // By button and by the host in turn.
    if (i % 4 < 2) {
      tip.Click(*tip.ok);
    } else {
      host_.SaveChanges();
    }
  };
  constexpr int kWarmUp = 100, kRounds = 1000;
  for (int i = 0; i < kWarmUp; ++i) round(i);
  const ProcessObjects start = CountProcessObjects();
  for (int i = kWarmUp; i < kWarmUp + kRounds; ++i) round(i);
  const ProcessObjects end = CountProcessObjects();

  std::printf("%s\nGDI %ld -> %ld, USER %ld -> %ld, kernel %ld -> %ld, bytes %zu -> %zu\n",
              DescribeSources().c_str(), start.gdi, end.gdi, start.user, end.user, start.kernel,
              end.kernel, start.privateBytes, end.privateBytes);
  EXPECT_LE(end.gdi, start.gdi + 2);
  EXPECT_LE(end.user, start.user);
  EXPECT_LE(end.kernel, start.kernel + 2);
  // Less than 256 bytes a round.
  EXPECT_LT(end.privateBytes, start.privateBytes + 256 * kRounds);

  // Every round saved, the last ones as typed.
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(Notices(9999), static_cast<std::size_t>(kWarmUp + kRounds));
  EXPECT_EQ(TitleOnDisk("Musik\\Abendlied.mp3"), Padded("Lauf 1098"));
  EXPECT_EQ(TitleOnDisk("Musik\\Bergfahrt.mp3"), Padded("Lauf 1099"));
}

}  // namespace
}  // namespace faultstest
