// What the drive panel shows for one query of the chosen drive: type text,
// button icon, display unit, the five figure texts, the gauge positions, the
// pie values and the tray tooltip for the drive choices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

inline constexpr std::uint64_t kUnitByte = 1;
inline constexpr std::uint64_t kUnitKB = 1024;
inline constexpr std::uint64_t kUnitMB = 1048576;

// Removable media below this many bytes are diskettes, shown in KB.
inline constexpr std::uint64_t kFloppyLimit = 2097152;
// The exact size of a Zip disk.
inline constexpr std::uint64_t kZipSize = 100431872;

// What the Watch box 1041 does for a drive that answered.
enum class WatchBox {
  DisabledCleared,   // disabled and m_nWatch cleared (unknown type)
  Disabled,          // disabled, m_nWatch kept as it was
  EnabledFromEntry,  // enabled, ticked from the drive's watch entry
};

struct DriveTypeRow {
  const char* typeText = "";       // control 1015
  int iconId = 0;                  // image of button 1042
  std::uint64_t unit = kUnitByte;  // bytes per display unit
  const char* suffix = "";         // "", " KB" or " MB"
  WatchBox watchBox = WatchBox::Disabled;
};

// The row for a drive whose free-space query succeeded. Types outside the
// table are shown as "Unknown Drive".
DriveTypeRow DescribeDrive(unsigned driveType, std::uint64_t totalBytes);

struct DriveFigures {
  std::uint64_t totalU = 0;  // total / unit
  std::uint64_t freeU = 0;   // free / unit
  std::uint64_t usedU = 0;   // (total - free) / unit, divided on its own
  int usedPct = 0;           // 0..100
  int FreePct() const { return 100 - usedPct; }
};

// Figures in display units. usedPct = usedU * 100 / totalU while totalU > 0.
// A drive smaller than one unit (totalU 0) takes its percentage from the byte
// counts; a drive of 0 bytes shows 0 % used. A free figure above the total
// counts as nothing used.
DriveFigures ComputeDriveFigures(std::uint64_t totalBytes, std::uint64_t freeBytes, std::uint64_t unit);

struct DrivePanelTexts {
  std::string capacity;  // 1011: totalU + suffix
  std::string free;      // 1007: freeU + suffix
  std::string used;      // 1021: usedU + suffix
  std::string usedPct;   // 1039: usedPct + "%"
  std::string freePct;   // 1040: (100 - usedPct) + "%"
};

DrivePanelTexts FormatDrivePanel(const DriveFigures& figures, const std::string& suffix);

// The two 32-bit values handed to the pie window (m_nDriveFree, m_nDriveTotal).
// Figures beyond the 32-bit range are scaled down together so that the ratio
// the pie draws stays right.
struct PieValues {
  std::int32_t free = 0;
  std::int32_t total = 0;
};
PieValues PieValuesFor(const DriveFigures& figures);

// Everything the panel shows after a query of the chosen drive.
struct DrivePanelView {
  DriveTypeRow row;
  DriveFigures figures;
  DrivePanelTexts texts;
  int usedGauge = 0;  // SetPos on 1093
  int freeGauge = 0;  // SetPos on 1094
  PieValues pie;
};
DrivePanelView DescribeDriveQuery(unsigned driveType, std::uint64_t totalBytes, std::uint64_t freeBytes);
// The view for a drive whose free-space query failed: the type text, the
// IDI_NO_DISK icon, the Watch box disabled; no figures, empty gauges, no pie.
DrivePanelView DescribeFailedQuery(unsigned driveType);

// Tray tooltip for nTooltip 2 ("C:\ Used : 812 MB / 40%") and 3
// ("C:\ Free : 1024 MB / 25%"); none for every other choice.
std::optional<std::string> DriveTooltipText(int nTooltip, const std::string& root, const DrivePanelTexts& texts);

}  // namespace vantrel
