#include "mainwnd/drive_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "fw/drive_kind.h"
#include "res/resource.h"

namespace vantrel {
namespace {

constexpr std::uint64_t MiB = 1048576;

TEST(DrivePanel, TypeTableOnSuccess) {
  struct Case {
    unsigned type;
    std::uint64_t total;
    const char* text;
    int icon;
    std::uint64_t unit;
    const char* suffix;
    WatchBox box;
  };
  const Case cases[] = {
      {kDriveUnknown, 5000, "Unknown Drive", IDI_UNKNOWN_DRIVE, 1, "", WatchBox::DisabledCleared},
      {kDriveRemovable, 1457664, "Floppy", IDI_FLOPPY, 1024, " KB", WatchBox::Disabled},
      {kDriveRemovable, 2097151, "Floppy", IDI_FLOPPY, 1024, " KB", WatchBox::Disabled},
      {kDriveRemovable, 2097152, "Removable Drive", IDI_REMOVABLE, MiB, " MB", WatchBox::Disabled},
      {kDriveRemovable, 100431872, "Zip Drive (tm)", IDI_ZIP_DRIVE, MiB, " MB", WatchBox::Disabled},
      {kDriveRemovable, 100431873, "Removable Drive", IDI_REMOVABLE, MiB, " MB", WatchBox::Disabled},
      {kDriveFixed, 100431872, "Hard Drive", IDI_HARD_DRIVE, MiB, " MB", WatchBox::EnabledFromEntry},
      {kDriveRemote, 0, "Network Drive", IDI_NETWORK_DRIVE, MiB, " MB", WatchBox::Disabled},
      {kDriveCdrom, 0, "CD-ROM", IDI_CDROM, MiB, " MB", WatchBox::Disabled},
      {kDriveRamdisk, 0, "Ram Disk", IDI_HARD_DRIVE, MiB, " MB", WatchBox::Disabled},
      {kDriveNoRootDir, 0, "Unknown Drive", IDI_UNKNOWN_DRIVE, 1, "", WatchBox::DisabledCleared},
      {7, 0, "Unknown Drive", IDI_UNKNOWN_DRIVE, 1, "", WatchBox::DisabledCleared},
  };
  for (const Case& c : cases) {
    const DriveTypeRow r = DescribeDrive(c.type, c.total);
    EXPECT_EQ(std::string(r.typeText), c.text) << c.type << "/" << c.total;
    EXPECT_EQ(r.iconId, c.icon) << c.text;
    EXPECT_EQ(r.unit, c.unit) << c.text;
    EXPECT_EQ(std::string(r.suffix), c.suffix) << c.text;
    EXPECT_EQ(r.watchBox, c.box) << c.text;
  }
}

TEST(DrivePanel, TypeTableOnFailure) {
  const char* expected[] = {"Unknown Drive", "No Disk",  "Floppy or Removable", "Hard Drive", "Network Drive",
                            "CD-ROM",        "Ram Disk", "Unknown Drive"};
  for (unsigned t = 0; t < 8; ++t) EXPECT_EQ(std::string(DescribeFailedQuery(t).row.typeText), expected[t]) << t;
}

TEST(DrivePanel, FourGigabyteDriveWithOneGigabyteFree) {
  const DrivePanelView v = DescribeDriveQuery(kDriveFixed, 4294967296ull, 1073741824ull);
  EXPECT_EQ(std::string(v.row.typeText), "Hard Drive");
  EXPECT_EQ(v.texts.capacity, "4096 MB");
  EXPECT_EQ(v.texts.used, "3072 MB");
  EXPECT_EQ(v.texts.free, "1024 MB");
  EXPECT_EQ(v.texts.usedPct, "75%");
  EXPECT_EQ(v.texts.freePct, "25%");
  EXPECT_EQ(v.usedGauge, 75);
  EXPECT_EQ(v.freeGauge, 25);
  EXPECT_EQ(v.pie.free, 1024);
  EXPECT_EQ(v.pie.total, 4096);
  EXPECT_EQ(DriveTooltipText(3, "C:\\", v.texts), "C:\\ Free : 1024 MB / 25%");
  EXPECT_EQ(DriveTooltipText(2, "C:\\", v.texts), "C:\\ Used : 3072 MB / 75%");
  for (int other : {-1, 0, 1, 4, 5}) EXPECT_FALSE(DriveTooltipText(other, "C:\\", v.texts)) << other;

  const DrivePanelView w = DescribeDriveQuery(kDriveFixed, 2030 * MiB, 1218 * MiB);
  EXPECT_EQ(DriveTooltipText(2, "C:\\", w.texts), "C:\\ Used : 812 MB / 40%");
}

TEST(DrivePanel, DisketteAndSeparateTruncation) {
  const DrivePanelView floppy = DescribeDriveQuery(kDriveRemovable, 1457664, 1457664);
  EXPECT_EQ(floppy.texts.capacity, "1423 KB");
  EXPECT_EQ(floppy.texts.usedPct, "0%");
  EXPECT_EQ(floppy.texts.freePct, "100%");

  // 10 MiB with 4.5 MiB free: free and used each truncate, one short of the total.
  const DriveFigures f = ComputeDriveFigures(10 * MiB, 9 * MiB / 2, MiB);
  EXPECT_EQ(f.totalU, 10u);
  EXPECT_EQ(f.freeU, 4u);
  EXPECT_EQ(f.usedU, 5u);
  EXPECT_EQ(f.usedPct, 50);
}

TEST(DrivePanel, EmptyTinyAndInconsistentDrives) {
  // A drive reporting 0 bytes: nothing is used.
  const DrivePanelView zero = DescribeDriveQuery(kDriveFixed, 0, 0);
  EXPECT_EQ(zero.texts.capacity, "0 MB");
  EXPECT_EQ(zero.texts.usedPct, "0%");
  EXPECT_EQ(zero.texts.freePct, "100%");
  EXPECT_EQ(zero.usedGauge, 0);
  EXPECT_EQ(zero.freeGauge, 100);

  // Smaller than one unit: the percentage comes from the bytes.
  const DrivePanelView tiny = DescribeDriveQuery(kDriveFixed, 512 * 1024, 128 * 1024);
  EXPECT_EQ(tiny.texts.capacity, "0 MB");
  EXPECT_EQ(tiny.texts.free, "0 MB");
  EXPECT_EQ(tiny.texts.usedPct, "75%");
  EXPECT_EQ(tiny.texts.freePct, "25%");

  // More free than total: nothing used, percentages stay within 0..100.
  const DriveFigures odd = ComputeDriveFigures(100 * MiB, 150 * MiB, MiB);
  EXPECT_EQ(odd.usedU, 0u);
  EXPECT_EQ(odd.usedPct, 0);
}

TEST(DrivePanel, FiguresBeyondThirtyTwoBits) {
  // An unknown drive counts in bytes: 8 GiB does not fit an int.
  const DrivePanelView v = DescribeDriveQuery(kDriveUnknown, 8589934592ull, 2147483648ull);
  EXPECT_EQ(v.texts.capacity, "8589934592");
  EXPECT_EQ(v.texts.usedPct, "75%");
  EXPECT_GT(v.pie.total, 0);
  EXPECT_EQ(static_cast<std::int64_t>(v.pie.free) * 4, v.pie.total);
  const std::uint64_t max = ~std::uint64_t{0};
  EXPECT_EQ(PercentOf(max, max), 100u);
  EXPECT_EQ(PercentOf(max / 2, max), 49u);
}

}  // namespace
}  // namespace vantrel
