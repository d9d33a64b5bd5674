#include "mainwnd/refresh_cycle.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <vector>

#include "app/settings_testing.h"

namespace vantrel {
namespace {

using testing::Entry;
constexpr std::uint64_t MiB = 1048576;

TEST(Memory, FiguresTextsAndTooltips) {
    const MemoryFigures m = ComputeMemoryFigures(64 * MiB, 22 * MiB + 5, 64);
    EXPECT_EQ(m.totalMB, 65u);  // the added one always applies
    EXPECT_EQ(m.totalText, "65 MB");
    EXPECT_EQ(m.freeText, "23 MB");
    EXPECT_EQ(m.loadText, "64%");
    EXPECT_EQ(ComputeMemoryFigures(64 * MiB - 300000, 0, 0).totalMB, 64u);  // 63.7 MB
    EXPECT_EQ(ComputeMemoryFigures(0xFFFFFFFFull, 0, 100).totalMB, 4096u);

    EXPECT_EQ(MemoryTooltipText(0, m), "Free Memory : 23 MB");
    EXPECT_EQ(MemoryTooltipText(1, m), "Memory Utilization : 64%");
    for (int other : {-1, 2, 3, 4}) EXPECT_FALSE(MemoryTooltipText(other, m)) << other;
}

TEST(Memory, GaugeTakesLowSixteenBitsSigned) {
    const std::pair<std::int64_t, std::int16_t> cases[] = {
        {0, 0}, {100, 100}, {32767, 32767}, {32768, -32768}, {65535, -1}, {65536, 0}, {70000, 4464}, {-1, -1},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(GaugeShort(in), out) << in;
}

// Ticks until each refresh, driving a bar as the timer handler does.
std::vector<int> RefreshTicks(int period, int ticks) {
    std::vector<int> at;
    int pos = 0;
    for (int t = 1; t <= ticks; ++t) {
        if (CountdownStep(pos, period) == CountdownAction::RefreshAndReset) {
            at.push_back(t);
            pos = 0;
        } else {
            ++pos;
        }
    }
    return at;
}

TEST(Countdown, RefreshComesOneTickAfterTheBarFills) {
    EXPECT_EQ(RefreshTicks(MemoryPeriodSeconds(10), 35), (std::vector<int>{11, 22, 33}));
    EXPECT_EQ(RefreshTicks(DrivePeriodSeconds(10), 1202), (std::vector<int>{601, 1202}));
    EXPECT_EQ(RefreshTicks(MemoryPeriodSeconds(0), 3), (std::vector<int>{1, 2, 3}));

    // Periods stay within the bar's 16-bit range, without overflow.
    EXPECT_EQ(DrivePeriodSeconds(1092), 65520);
    EXPECT_EQ(DrivePeriodSeconds(1093), 65535);
    EXPECT_EQ(DrivePeriodSeconds(INT_MAX), 65535);
    EXPECT_EQ(DrivePeriodSeconds(INT_MIN), 0);
    EXPECT_EQ(MemoryPeriodSeconds(-5), 0);
    EXPECT_EQ(MemoryPeriodSeconds(70000), 65535);
}

TEST(SettingsChange, TooltipPresetAndPeriodUpdate) {
    const TooltipPreset presets[] = {TooltipPreset::None,  TooltipPreset::Memory, TooltipPreset::Memory,
                                     TooltipPreset::Drive, TooltipPreset::Drive,  TooltipPreset::Fixed,
                                     TooltipPreset::None};
    for (int n = -1; n <= 5; ++n) EXPECT_EQ(TooltipPresetFor(n), presets[n + 1]) << n;

    Settings s;
    s.MemoryPos = 10;
    s.DrivePos = 5;
    PeriodUpdate u = UpdatePeriods(s, 10, 600);
    EXPECT_FALSE(u.resetMemory);
    EXPECT_TRUE(u.resetDrive);
    EXPECT_EQ(u.drivePeriod, 300);
    s.DrivePos = 10;
    u = UpdatePeriods(s, 10, 600);
    EXPECT_FALSE(u.resetMemory || u.resetDrive);
}

DiskFreeInfo Disk(std::uint32_t bps, std::uint32_t spc, std::uint32_t total, std::uint32_t avail) {
    return DiskFreeInfo{bps, spc, total, avail};
}

TEST(LowSpace, FiguresAndThreshold) {
    auto f = ComputeLowSpaceFigures(Disk(512, 8, 262144, 38000));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->totalMB, 1024u);
    EXPECT_EQ(f->freeMB, 148u);
    EXPECT_EQ(f->freePct, 14);
    EXPECT_EQ(LowSpaceNoticeText('C', 14),
              "C drive is low on disk space.\nThe free space has dropped below 14%.\n");

    // 1 MiB clusters: 159 of 1000 free is 15.9 % -> 15, at the threshold.
    EXPECT_EQ(ComputeLowSpaceFigures(Disk(512, 2048, 1000, 159))->freePct, 15);
    EXPECT_TRUE(IsLowOnSpace(15, 15));
    EXPECT_EQ(ComputeLowSpaceFigures(Disk(512, 2048, 1000, 160))->freePct, 16);
    EXPECT_FALSE(IsLowOnSpace(16, 15));

    // 64-bit arithmetic: 64 KiB clusters, 4 G clusters would overflow 32 bits.
    EXPECT_EQ(ComputeLowSpaceFigures(Disk(4096, 16, 0xFFFFFFFFu, 0x7FFFFFFFu))->freePct, 49);

    // Under 1 MiB the clusters give the percentage; no clusters, no figures.
    auto tiny = ComputeLowSpaceFigures(Disk(512, 1, 1000, 100));
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->totalMB, 0u);
    EXPECT_EQ(tiny->freePct, 10);
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
            if (it == disks.end()) return std::nullopt;
            return it->second;
        };
    }
};

const DiskFreeInfo kLow = Disk(512, 8, 262144, 38000);     // 14 %
const DiskFreeInfo kRoomy = Disk(512, 8, 262144, 131072);  // 50 %

std::vector<std::string> RunCycle(DriveList& list, FakeDisks& disks, int percent) {
    std::vector<std::string> shown;
    std::size_t i = 0;
    while (auto n = NextLowSpaceNotice(list, i, disks.Query(), percent)) {
        i = n->index + 1;
        shown.push_back(n->text);
    }
    return shown;
}

TEST(LowSpaceWalk, SkipsUnwatchedDisarmedAndUnanswered) {
    FakeDisks disks{{{3, kLow}, {4, kLow}, {5, kLow}, {7, kLow}}, {}};
    DriveList list{Entry("C:\\", true, 3, true), Entry("D:\\", false, 4, true), Entry("E:\\", true, 5, true),
                   Entry("F:\\", true, 6, true), Entry("G:\\", true, 7, false)};
    const auto shown = RunCycle(list, disks, 15);
    ASSERT_EQ(shown.size(), 2u);  // C then E, in letter order
    EXPECT_EQ(shown[0][0], 'C');
    EXPECT_EQ(shown[1][0], 'E');
    EXPECT_EQ(disks.asked, (std::vector<int>{3, 5, 6}));  // F is gone: skipped, asked again next time
    EXPECT_FALSE(list[0].notify);
    EXPECT_FALSE(list[2].notify);
    EXPECT_TRUE(list[3].notify);

    // Never re-armed: freed up and filled again, later cycles stay silent.
    disks.disks[3] = kRoomy;
    EXPECT_TRUE(RunCycle(list, disks, 15).empty());
    disks.disks[3] = kLow;
    EXPECT_TRUE(RunCycle(list, disks, 15).empty());
    EXPECT_TRUE(RunCycle(list, disks, 100).empty());
}

TEST(LowSpaceWalk, ReenteredCycleWhileABoxIsOpenRaisesEachDriveOnce) {
    FakeDisks disks{{{3, kLow}, {5, kLow}}, {}};
    DriveList list{Entry("C:\\", true, 3, true), Entry("E:\\", true, 5, true)};
    auto first = NextLowSpaceNotice(list, 0, disks.Query(), 15);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->index, 0u);
    // A timer tick while C's box is open runs a whole nested cycle.
    const auto nested = RunCycle(list, disks, 15);
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested[0][0], 'E');
    // Back in the outer cycle after C's box closes: nothing is left.
    EXPECT_FALSE(NextLowSpaceNotice(list, first->index + 1, disks.Query(), 15));
    EXPECT_FALSE(NextLowSpaceNotice(list, 99, disks.Query(), 15));
}

TEST(LowSpaceWalk, EntriesWithoutAUsableDriveNumber) {
    // A damaged entry with drive 0 would query the current drive: skipped.
    // An entry with no path still names its drive by number.
    FakeDisks disks{{{0, kLow}, {4, kLow}}, {}};
    DriveList list{Entry("", true, 0, true), Entry("", true, 4, true), Entry("X:\\", true, 40, true)};
    const auto shown = RunCycle(list, disks, 15);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "D drive is low on disk space.\nThe free space has dropped below 14%.\n");
    EXPECT_EQ(disks.asked, (std::vector<int>{4}));
    EXPECT_TRUE(list[0].notify);
}

}  // namespace
}  // namespace vantrel
