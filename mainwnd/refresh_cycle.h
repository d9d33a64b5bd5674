// The one-second refresh cycle: memory figures and their texts, the countdown
// bars, the tooltip preset, the period update after the options sheet, and
// the low-space watch over the watch list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/settings.h"
#include "res/resource.h"

namespace vantrel {

// ---- Memory -----------------------------------------------------------------

struct MemoryFigures {
  std::uint32_t totalMB = 0;  // floor(total / 1 MiB) + 1
  std::uint32_t freeMB = 0;   // floor(avail / 1 MiB) + 1
  std::uint32_t load = 0;     // dwMemoryLoad
  std::string totalText;      // 1001: totalMB + " MB"
  std::string freeText;       // 1002: freeMB + " MB"
  std::string loadText;       // 1004: load + "%"
};

// From GlobalMemoryStatus's dwTotalPhys, dwAvailPhys and dwMemoryLoad.
MemoryFigures ComputeMemoryFigures(std::uint64_t totalPhys, std::uint64_t availPhys, std::uint32_t memoryLoad);

// Tray tooltip for nTooltip 0 ("Free Memory : 23 MB") and 1
// ("Memory Utilization : 64%"); none for every other choice.
std::optional<std::string> MemoryTooltipText(int nTooltip, const MemoryFigures& figures);

// The gauge takes 16-bit arguments: the low 16 bits of a value, as a signed short.
std::int16_t GaugeShort(std::int64_t value);

// ---- Countdown bars -----------------------------------------------------------

// The main window's one timer: a tick a second drives both countdown bars.
inline constexpr unsigned kRefreshTimer = 1;
inline constexpr unsigned kRefreshElapseMs = 1000;

// Bar range limit: a progress bar's range is 16-bit.
inline constexpr int kMaxPeriod = 65535;

// Seconds between refreshes as the bars count them: MemoryPos, and
// DrivePos * 60, kept within 0..65535 so that the bar can reach the period
// (a negative value refreshes on every tick, a huge one every 65,535 s).
int MemoryPeriodSeconds(int memoryPos);
int DrivePeriodSeconds(int drivePos);

enum class CountdownAction {
  RefreshAndReset,  // run the refresh, then set the bar's position to 0
  Step,             // PBM_STEPIT
};

// What a tick does with a bar at barPos counting to period.
CountdownAction CountdownStep(int barPos, int period);

// ---- Settings change ----------------------------------------------------------

enum class TooltipPreset {
  None,    // leave the tooltip alone
  Memory,  // RefreshMemory
  Drive,   // CheckDriveSpace
  Fixed,   // string IDS_PROGRAM_VERSION ("Vantrel v 1.10")
};

TooltipPreset TooltipPresetFor(int nTooltip);

// Which countdown bars restart after the options sheet's OK; a bar whose
// period did not change keeps its position.
struct PeriodUpdate {
  bool resetMemory = false;
  int memoryPeriod = 0;  // new m_nMemoryPeriod
  bool resetDrive = false;
  int drivePeriod = 0;  // new m_nDrivePeriod
};
PeriodUpdate UpdatePeriods(const Settings& settings, int currentMemoryPeriod, int currentDrivePeriod);

// ---- Low-space watch ------------------------------------------------------------

// The figures _getdiskfree reports for a drive.
struct DiskFreeInfo {
  std::uint32_t bytesPerSector = 0;
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t totalClusters = 0;
  std::uint32_t availClusters = 0;
};

struct LowSpaceFigures {
  std::uint64_t totalMB = 0;
  std::uint64_t freeMB = 0;
  int freePct = 0;  // floor(freeMB * 100 / totalMB)
};

// Free space of a drive. Drives under 1 MiB take the percentage from the
// cluster counts; a drive reporting no space at all gives none.
std::optional<LowSpaceFigures> ComputeLowSpaceFigures(const DiskFreeInfo& info);

// At or below the threshold.
bool IsLowOnSpace(int freePct, int percent);

// "C drive is low on disk space.\nThe free space has dropped below 14%.\n"
std::string LowSpaceNoticeText(char letter, int freePct);

inline constexpr const char* kLowSpaceCaption = "Low drive space notification";

// _getdiskfree for a drive number (1 for A:); none when the query fails.
using DiskFreeQuery = std::function<std::optional<DiskFreeInfo>(int driveNumber)>;

struct LowSpaceNotice {
  std::size_t index = 0;  // entry that raised it; continue from index + 1
  std::string text;
  int freePct = 0;
};

// The next notice of a drive cycle, from entry fromIndex on. Only entries with
// watch and notify set, a valid drive number and a query that answers take
// part. The entry's notify is cleared before the notice is returned, so a
// cycle re-entered while the box is open cannot raise it again. Typical use:
//   std::size_t i = 0;
//   while (auto n = NextLowSpaceNotice(list, i, query, pct)) {
//       i = n->index + 1;
//       MessageBox(n->text, kLowSpaceCaption);
//   }
std::optional<LowSpaceNotice> NextLowSpaceNotice(DriveList& entries, std::size_t fromIndex, const DiskFreeQuery& query,
                                                 int percent);

}  // namespace vantrel
