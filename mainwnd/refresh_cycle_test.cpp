#include "mainwnd/refresh_cycle.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <tuple>
#include <vector>

#include "app/settings_testing.h"

namespace vantrel {
namespace {

using testing::Entry;
constexpr std::uint64_t MiB = 1048576;

TEST(Memory, FiguresTextsTooltipsAndGaugeCut) {
  const MemoryFigures m = ComputeMemoryFigures(64 * MiB, 22 * MiB + 5, 64);
  EXPECT_EQ(m.totalText, "65 MB");  // the added one always applies
  EXPECT_EQ(m.freeText, "23 MB");
  EXPECT_EQ(m.loadText, "64%");
  EXPECT_EQ(ComputeMemoryFigures(64 * MiB - 300000, 0, 0).totalMB, 64u);  // 63.7 MB
  EXPECT_EQ(MemoryTooltipText(0, m), "Free Memory : 23 MB");
  EXPECT_EQ(MemoryTooltipText(1, m), "Memory Utilization : 64%");
  for (int other : {-1, 2, 3, 4}) EXPECT_FALSE(MemoryTooltipText(other, m)) << other;

  const std::pair<std::int64_t, std::int16_t> cuts[] = {{100, 100}, {32767, 32767}, {32768, -32768}, {65535, -1},
                                                        {65536, 0}, {70000, 4464},  {-1, -1}};
  for (const auto& [in, out] : cuts) EXPECT_EQ(GaugeShort(in), out) << in;
}

// The ticks on which a bar driven as the timer handler drives it refreshes.
std::vector<int> RefreshTicks(int period, int ticks) {
  std::vector<int> at;
  for (int t = 1, pos = 0; t <= ticks; ++t) {
    if (CountdownStep(pos, period) == CountdownAction::RefreshAndReset) {
      at.push_back(t);
      pos = 0;
    } else {
      ++pos;
    }
  }
  return at;
}

TEST(Countdown, PeriodsPresetsAndUpdates) {
  EXPECT_EQ(RefreshTicks(MemoryPeriodSeconds(10), 35), (std::vector<int>{11, 22, 33}));
  EXPECT_EQ(RefreshTicks(DrivePeriodSeconds(10), 1202), (std::vector<int>{601, 1202}));
  EXPECT_EQ(RefreshTicks(MemoryPeriodSeconds(0), 3), (std::vector<int>{1, 2, 3}));
  // Periods stay within the bar's 16-bit range, without overflow.
  const std::pair<int, int> drive[] = {{1092, 65520}, {1093, 65535}, {INT_MAX, 65535}, {INT_MIN, 0}};
  for (const auto& [pos, secs] : drive) EXPECT_EQ(DrivePeriodSeconds(pos), secs) << pos;
  EXPECT_EQ(MemoryPeriodSeconds(-5), 0);
  EXPECT_EQ(MemoryPeriodSeconds(70000), 65535);

  using P = TooltipPreset;
  const P presets[] = {P::None, P::Memory, P::Memory, P::Drive, P::Drive, P::Fixed, P::None};
  for (int n = -1; n <= 5; ++n) EXPECT_EQ(TooltipPresetFor(n), presets[n + 1]) << n;
}

// After the options sheet's OK only a counter whose period changed restarts;
// the others keep their position and schedule.
TEST(Countdown, OnlyChangedPeriodsRestartTheirCounters) {
  struct Case {
    const char* what;
    int memoryPos, drivePos;          // the record after OK
    int currentMemory, currentDrive;  // the counters' periods before
    bool resetMemory, resetDrive;
    int memoryPeriod, drivePeriod;  // the periods after
  };
  const Case cases[] = {
      {"nothing changed", 10, 10, 10, 600, false, false, 10, 600},
      {"drive rate only", 10, 5, 10, 600, false, true, 10, 300},
      {"memory rate only", 20, 10, 10, 600, true, false, 20, 600},
      {"both", 5, 60, 10, 600, true, true, 5, 3600},
      {"a stored 2 seconds that the slider made 5", 5, 10, 2, 600, true, false, 5, 600},
      {"drive periods beyond the bar's range that clamp alike", 10, 1094, 10, 65535, false, false, 10, 65535},
  };
  for (const Case& c : cases) {
    Settings s;
    s.MemoryPos = c.memoryPos;
    s.DrivePos = c.drivePos;
    const PeriodUpdate u = UpdatePeriods(s, c.currentMemory, c.currentDrive);
    EXPECT_EQ(u.resetMemory, c.resetMemory) << c.what;
    EXPECT_EQ(u.resetDrive, c.resetDrive) << c.what;
    EXPECT_EQ(u.memoryPeriod, c.memoryPeriod) << c.what;
    EXPECT_EQ(u.drivePeriod, c.drivePeriod) << c.what;
  }
}

DiskFreeInfo Disk(std::uint32_t bps, std::uint32_t spc, std::uint32_t total, std::uint32_t avail) {
  return DiskFreeInfo{bps, spc, total, avail};
}
const DiskFreeInfo kLow = Disk(512, 8, 262144, 38000);     // 14 %
const DiskFreeInfo kRoomy = Disk(512, 8, 262144, 131072);  // 50 %

TEST(LowSpace, FiguresAndThreshold) {
  auto f = ComputeLowSpaceFigures(kLow);
  ASSERT_TRUE(f);
  EXPECT_EQ(std::make_tuple(f->totalMB, f->freeMB, f->freePct), std::make_tuple(1024ull, 148ull, 14));
  EXPECT_EQ(LowSpaceNoticeText('C', 14), "C drive is low on disk space.\nThe free space has dropped below 14%.\n");
  // 1 MiB clusters: 159 of 1000 free is 15.9 % -> 15, at the threshold; 16 % is above it.
  EXPECT_EQ(ComputeLowSpaceFigures(Disk(512, 2048, 1000, 159))->freePct, 15);
  EXPECT_EQ(ComputeLowSpaceFigures(Disk(512, 2048, 1000, 160))->freePct, 16);
  EXPECT_TRUE(IsLowOnSpace(15, 15));
  EXPECT_FALSE(IsLowOnSpace(16, 15));
  // Sizes beyond 32 bits.
  EXPECT_EQ(ComputeLowSpaceFigures(Disk(4096, 16, 0xFFFFFFFFu, 0x7FFFFFFFu))->freePct, 49);
  // Under 1 MiB the clusters give the percentage; no space at all gives nothing.
  EXPECT_EQ(ComputeLowSpaceFigures(Disk(512, 1, 1000, 100))->freePct, 10);
  EXPECT_FALSE(ComputeLowSpaceFigures(Disk(512, 8, 0, 0)));
  EXPECT_FALSE(ComputeLowSpaceFigures(Disk(0, 8, 100, 10)));
}

// Drives by number with their free-space answers; records what was asked.
struct FakeDisks {
  std::map<int, DiskFreeInfo> disks;
  std::vector<int> asked;
  DiskFreeQuery Query() {
    return [this](int drive) -> std::optional<DiskFreeInfo> {
      asked.push_back(drive);
      auto it = disks.find(drive);
      return it == disks.end() ? std::nullopt : std::optional<DiskFreeInfo>(it->second);
    };
  }
  // One drive cycle as the main window runs it: one box after another.
  std::string Cycle(DriveList& list, int percent) {
    std::string letters;
    std::size_t i = 0;
    while (auto n = NextLowSpaceNotice(list, i, Query(), percent)) {
      i = n->index + 1;
      letters += n->text[0];
    }
    return letters;
  }
};

TEST(LowSpaceWalk, OneNoticePerArmedWatchedDrive) {
  FakeDisks d{{{3, kLow}, {4, kLow}, {5, kLow}, {7, kLow}}, {}};
  DriveList list{Entry("C:\\", true, 3, true), Entry("D:\\", false, 4, true), Entry("E:\\", true, 5, true),
                 Entry("F:\\", true, 6, true), Entry("G:\\", true, 7, false)};
  EXPECT_EQ(d.Cycle(list, 15), "CE");               // in letter order
  EXPECT_EQ(d.asked, (std::vector<int>{3, 5, 6}));  // F is gone: skipped, tried next time
  EXPECT_TRUE(!list[0].notify && !list[2].notify && list[3].notify);

  // Never re-armed: freed up and filled again, later cycles stay silent.
  d.disks[3] = kRoomy;
  EXPECT_EQ(d.Cycle(list, 15), "");
  d.disks[3] = kLow;
  EXPECT_EQ(d.Cycle(list, 100), "");
}

TEST(LowSpaceWalk, ReenteredCycleAndDamagedEntries) {
  FakeDisks d{{{3, kLow}, {5, kLow}}, {}};
  DriveList list{Entry("C:\\", true, 3, true), Entry("E:\\", true, 5, true)};
  auto first = NextLowSpaceNotice(list, 0, d.Query(), 15);
  ASSERT_TRUE(first);
  EXPECT_EQ(d.Cycle(list, 15), "E");  // a tick while C's box is open
  EXPECT_FALSE(NextLowSpaceNotice(list, first->index + 1, d.Query(), 15));
  EXPECT_FALSE(NextLowSpaceNotice(list, 99, d.Query(), 15));

  // Drive 0 would ask about the current drive: skipped, unasked. An entry
  // without a path names its drive by number.
  FakeDisks e{{{0, kLow}, {4, kLow}}, {}};
  DriveList odd{Entry("", true, 0, true), Entry("", true, 4, true), Entry("X:\\", true, 40, true)};
  EXPECT_EQ(e.Cycle(odd, 15), "D");
  EXPECT_EQ(e.asked, (std::vector<int>{4}));
}

}  // namespace
}  // namespace vantrel
