#include "mainwnd/drive_panel.h"

#include <limits>

#include "fw/drive_kind.h"
#include "res/resource.h"

namespace vantrel {

DriveTypeRow DescribeDrive(unsigned driveType, std::uint64_t totalBytes) {
  switch (driveType) {
    case kDriveRemovable:
      if (totalBytes < kFloppyLimit) return {"Floppy", IDI_FLOPPY, kUnitKB, " KB", WatchBox::Disabled};
      if (totalBytes == kZipSize) return {"Zip Drive (tm)", IDI_ZIP_DRIVE, kUnitMB, " MB", WatchBox::Disabled};
      return {"Removable Drive", IDI_REMOVABLE, kUnitMB, " MB", WatchBox::Disabled};
    case kDriveFixed:
      return {"Hard Drive", IDI_HARD_DRIVE, kUnitMB, " MB", WatchBox::EnabledFromEntry};
    case kDriveRemote:
      return {"Network Drive", IDI_NETWORK_DRIVE, kUnitMB, " MB", WatchBox::Disabled};
    case kDriveCdrom:
      return {"CD-ROM", IDI_CDROM, kUnitMB, " MB", WatchBox::Disabled};
    case kDriveRamdisk:
      return {"Ram Disk", IDI_HARD_DRIVE, kUnitMB, " MB", WatchBox::Disabled};
    default:
      return {"Unknown Drive", IDI_UNKNOWN_DRIVE, kUnitByte, "", WatchBox::DisabledCleared};
  }
}

namespace {

const char* FailedDriveTypeText(unsigned driveType) {
  switch (driveType) {
    case kDriveNoRootDir:
      return "No Disk";
    case kDriveRemovable:
      return "Floppy or Removable";
    case kDriveFixed:
      return "Hard Drive";
    case kDriveRemote:
      return "Network Drive";
    case kDriveCdrom:
      return "CD-ROM";
    case kDriveRamdisk:
      return "Ram Disk";
    default:
      return "Unknown Drive";
  }
}

}  // namespace

DriveFigures ComputeDriveFigures(std::uint64_t totalBytes, std::uint64_t freeBytes, std::uint64_t unit) {
  if (unit == 0) unit = kUnitByte;
  const std::uint64_t usedBytes = freeBytes < totalBytes ? totalBytes - freeBytes : 0;
  DriveFigures f;
  f.totalU = totalBytes / unit;
  f.freeU = freeBytes / unit;
  f.usedU = usedBytes / unit;
  if (f.totalU > 0) {
    f.usedPct = static_cast<int>(PercentOf(f.usedU, f.totalU));
  } else {
    // Below one unit the unit figures are all 0; the bytes still tell.
    f.usedPct = static_cast<int>(PercentOf(usedBytes, totalBytes));
  }
  return f;
}

DrivePanelTexts FormatDrivePanel(const DriveFigures& f, const std::string& suffix) {
  DrivePanelTexts t;
  t.capacity = std::to_string(f.totalU) + suffix;
  t.free = std::to_string(f.freeU) + suffix;
  t.used = std::to_string(f.usedU) + suffix;
  t.usedPct = std::to_string(f.usedPct) + "%";
  t.freePct = std::to_string(f.FreePct()) + "%";
  return t;
}

PieValues PieValuesFor(const DriveFigures& f) {
  std::uint64_t total = f.totalU, free = f.freeU;
  constexpr std::uint64_t kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  while (total > kMax || free > kMax) {
    total >>= 1;
    free >>= 1;
  }
  return {static_cast<std::int32_t>(free), static_cast<std::int32_t>(total)};
}

DrivePanelView DescribeDriveQuery(unsigned driveType, std::uint64_t totalBytes, std::uint64_t freeBytes) {
  DrivePanelView v;
  v.row = DescribeDrive(driveType, totalBytes);
  v.figures = ComputeDriveFigures(totalBytes, freeBytes, v.row.unit);
  v.texts = FormatDrivePanel(v.figures, v.row.suffix);
  v.usedGauge = v.figures.usedPct;
  v.freeGauge = v.figures.FreePct();
  v.pie = PieValuesFor(v.figures);
  return v;
}

DrivePanelView DescribeFailedQuery(unsigned driveType) {
  DrivePanelView v;
  v.row = {FailedDriveTypeText(driveType), IDI_NO_DISK, kUnitByte, "", WatchBox::Disabled};
  return v;
}

std::optional<std::string> DriveTooltipText(int nTooltip, const std::string& root, const DrivePanelTexts& t) {
  if (nTooltip == 2) return root + " Used : " + t.used + " / " + t.usedPct;
  if (nTooltip == 3) return root + " Free : " + t.free + " / " + t.freePct;
  return std::nullopt;
}

}  // namespace vantrel
