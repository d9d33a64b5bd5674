#include "mainwnd/refresh_cycle.h"

#include <algorithm>

#include "fw/drive_kind.h"
#include "mainwnd/watch_list.h"

namespace vantrel {

namespace {

constexpr std::uint64_t kMiB = 1048576;

int ClampPeriod(std::int64_t seconds) { return static_cast<int>(std::clamp<std::int64_t>(seconds, 0, kMaxPeriod)); }

}  // namespace

MemoryFigures ComputeMemoryFigures(std::uint64_t totalPhys, std::uint64_t availPhys, std::uint32_t memoryLoad) {
  MemoryFigures m;
  // The one is always added, so exactly 64 MiB shows as 65 MB.
  m.totalMB = static_cast<std::uint32_t>(totalPhys / kMiB + 1);
  m.freeMB = static_cast<std::uint32_t>(availPhys / kMiB + 1);
  m.load = memoryLoad;
  m.totalText = std::to_string(m.totalMB) + " MB";
  m.freeText = std::to_string(m.freeMB) + " MB";
  m.loadText = std::to_string(m.load) + "%";
  return m;
}

std::optional<std::string> MemoryTooltipText(int nTooltip, const MemoryFigures& m) {
  if (nTooltip == 0) return "Free Memory : " + m.freeText;
  if (nTooltip == 1) return "Memory Utilization : " + m.loadText;
  return std::nullopt;
}

std::int16_t GaugeShort(std::int64_t value) {
  const auto low = static_cast<std::int32_t>(static_cast<std::uint64_t>(value) & 0xFFFFu);
  return static_cast<std::int16_t>(low >= 0x8000 ? low - 0x10000 : low);
}

int MemoryPeriodSeconds(int memoryPos) { return ClampPeriod(memoryPos); }

int DrivePeriodSeconds(int drivePos) { return ClampPeriod(static_cast<std::int64_t>(drivePos) * 60); }

CountdownAction CountdownStep(int barPos, int period) {
  // A bar never passes its maximum; ">=" also covers a bar that was left
  // beyond a period that has since shrunk.
  return barPos >= period ? CountdownAction::RefreshAndReset : CountdownAction::Step;
}

TooltipPreset TooltipPresetFor(int nTooltip) {
  switch (nTooltip) {
    case 0:
    case 1:
      return TooltipPreset::Memory;
    case 2:
    case 3:
      return TooltipPreset::Drive;
    case 4:
      return TooltipPreset::Fixed;
    default:
      return TooltipPreset::None;
  }
}

PeriodUpdate UpdatePeriods(const Settings& s, int currentMemoryPeriod, int currentDrivePeriod) {
  PeriodUpdate u;
  u.memoryPeriod = MemoryPeriodSeconds(s.MemoryPos);
  u.resetMemory = u.memoryPeriod != currentMemoryPeriod;
  u.drivePeriod = DrivePeriodSeconds(s.DrivePos);
  u.resetDrive = u.drivePeriod != currentDrivePeriod;
  return u;
}

std::optional<LowSpaceFigures> ComputeLowSpaceFigures(const DiskFreeInfo& info) {
  const std::uint64_t cluster = std::uint64_t{info.bytesPerSector} * info.sectorsPerCluster;
  const std::uint64_t totalBytes = cluster * info.totalClusters;
  const std::uint64_t freeBytes = cluster * info.availClusters;
  LowSpaceFigures f;
  f.totalMB = totalBytes / kMiB;
  f.freeMB = freeBytes / kMiB;
  if (f.totalMB > 0) {
    f.freePct = static_cast<int>(std::min<std::uint64_t>(PercentOf(f.freeMB, f.totalMB), 100));
  } else if (info.totalClusters > 0 && cluster > 0) {
    // Below 1 MiB the MB figures are 0; the clusters still tell.
    f.freePct = static_cast<int>(std::min<std::uint64_t>(PercentOf(info.availClusters, info.totalClusters), 100));
  } else {
    return std::nullopt;
  }
  return f;
}

bool IsLowOnSpace(int freePct, int percent) { return freePct <= percent; }

std::string LowSpaceNoticeText(char letter, int freePct) {
  std::string text(1, letter);
  text += " drive is low on disk space.\nThe free space has dropped below ";
  text += std::to_string(freePct);
  text += "%.\n";
  return text;
}

std::optional<LowSpaceNotice> NextLowSpaceNotice(DriveList& entries, std::size_t fromIndex, const DiskFreeQuery& query,
                                                 int percent) {
  for (std::size_t i = fromIndex; i < entries.size(); ++i) {
    DriveWatchEntry& e = entries[i];
    if (!e.watch || !e.notify) continue;
    // Drive 0 would ask about the current drive, not this entry's.
    const char numberLetter = DriveLetterOf(e.drive);
    if (numberLetter == '\0') continue;
    const std::optional<DiskFreeInfo> info = query(e.drive);
    if (!info) continue;
    const std::optional<LowSpaceFigures> f = ComputeLowSpaceFigures(*info);
    if (!f || !IsLowOnSpace(f->freePct, percent)) continue;

    e.notify = false;  // before the box: a nested cycle must not repeat it
    LowSpaceNotice n;
    n.index = i;
    n.freePct = f->freePct;
    n.text = LowSpaceNoticeText(e.path.empty() ? numberLetter : e.path[0], f->freePct);
    return n;
  }
  return std::nullopt;
}

}  // namespace vantrel
