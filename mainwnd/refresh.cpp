// The refresh cycle: timer 1 steps the two countdown bars and, when a bar is
// full, refreshes memory or runs the drive cycle with the low-space watch.
#include <windows.h>
#include <commctrl.h>
#include <direct.h>

#include "fw/window_text.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/vantrel_dlg.h"
#include "res/resource.h"

namespace vantrel {
namespace {

std::optional<DiskFreeInfo> QueryDiskFree(int driveNumber) {
  _diskfree_t df{};
  if (_getdiskfree(static_cast<unsigned>(driveNumber), &df) != 0) return std::nullopt;
  DiskFreeInfo info;
  info.bytesPerSector = df.bytes_per_sector;
  info.sectorsPerCluster = df.sectors_per_cluster;
  info.totalClusters = df.total_clusters;
  info.availClusters = df.avail_clusters;
  return info;
}

}  // namespace

void CVantrelDlg::ResetCountdown(int barId, int period) {
  HWND bar = GetDlgItem(barId);
  // The range is 16-bit: periods are kept within 0..65535.
  ::SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, period));
  ::SendMessageA(bar, PBM_SETPOS, 0, 0);
  ::SendMessageA(bar, PBM_SETSTEP, 1, 0);
}

void CVantrelDlg::StartRefreshTimer() {
  m_nMemoryPeriod = MemoryPeriodSeconds(m_settings.MemoryPos);
  m_nDrivePeriod = DrivePeriodSeconds(m_settings.DrivePos);
  ResetCountdown(IDC_MEMORY_COUNTDOWN, m_nMemoryPeriod);
  ResetCountdown(IDC_DRIVE_COUNTDOWN, m_nDrivePeriod);
  if (SetTimer(kRefreshTimer, kRefreshElapseMs) == 0) {
    MessageBox("Timer failed to start. The system is low on resources.", "System error", MB_OK | MB_ICONEXCLAMATION);
    ForceClose();
  }
}

void CVantrelDlg::OnTimer(UINT_PTR) {
  const struct {
    int barId;
    int period;
    void (CVantrelDlg::*refresh)();
  } counters[] = {{IDC_MEMORY_COUNTDOWN, m_nMemoryPeriod, &CVantrelDlg::RefreshMemory},
                  {IDC_DRIVE_COUNTDOWN, m_nDrivePeriod, &CVantrelDlg::CheckDriveSpace}};
  for (const auto& c : counters) {
    HWND bar = GetDlgItem(c.barId);
    const int pos = static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0));
    if (CountdownStep(pos, c.period) == CountdownAction::RefreshAndReset) {
      // The bar restarts before the refresh: a low-space notice keeps timer
      // messages coming while it is open, and a full bar would rerun the
      // drive cycle on every one of them instead of on its schedule.
      ::SendMessageA(bar, PBM_SETPOS, 0, 0);
      (this->*c.refresh)();
    } else {
      ::SendMessageA(bar, PBM_STEPIT, 0, 0);
    }
  }
}

MemoryFigures CVantrelDlg::ReadMemoryFigures() {
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  ::GlobalMemoryStatus(&status);
  return ComputeMemoryFigures(status.dwTotalPhys, status.dwAvailPhys, status.dwMemoryLoad);
}

void CVantrelDlg::ShowMemory(const MemoryFigures& m) {
  m_gaugeFreeMem.SetRange(0, GaugeShort(m.totalMB));
  m_gaugeFreeMem.SetPos(GaugeShort(m.freeMB));
  m_gaugeMemLoad.SetRange(0, 100);
  m_gaugeMemLoad.SetPos(GaugeShort(m.load));
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_PHYSICAL_MEMORY), m.totalText);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_FREE_MEMORY), m.freeText);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_MEMORY_LOAD), m.loadText);
}

void CVantrelDlg::RefreshMemory() {
  const MemoryFigures m = ReadMemoryFigures();
  ShowMemory(m);
  if (auto tip = MemoryTooltipText(m_settings.nTooltip, m)) SetTrayTooltip(*tip);
  // Data exchange sets the Watch box back to the tick the window keeps.
  UpdateData(FALSE);
}

void CVantrelDlg::CheckDriveSpace() {
  if (!m_bNoDisk) UpdateDrivePanel();
  if (m_driveList) {
    // The notice is disarmed before its box opens, so a cycle that runs while
    // the box is up (timer ticks keep coming) cannot raise it twice.
    const int percent = m_settings.Percent;
    size_t next = 0;
    while (m_driveList) {
      const std::optional<LowSpaceNotice> notice = NextLowSpaceNotice(*m_driveList, next, QueryDiskFree, percent);
      if (!notice) break;
      next = notice->index + 1;
      MessageBox(notice->text, kLowSpaceCaption, MB_OK | MB_ICONINFORMATION);
    }
  }
  UpdateData(FALSE);
}

void CVantrelDlg::ApplySettingsChange() {
  // While disabled the tooltip keeps saying so, and no low-space notice comes
  // after the Disable notice promised none would; Enable refreshes memory and
  // drives again.
  if (!m_bDisabled) PresetTooltip();
  const PeriodUpdate update = UpdatePeriods(m_settings, m_nMemoryPeriod, m_nDrivePeriod);
  if (update.resetMemory) {
    m_nMemoryPeriod = update.memoryPeriod;
    ResetCountdown(IDC_MEMORY_COUNTDOWN, m_nMemoryPeriod);
  }
  if (update.resetDrive) {
    m_nDrivePeriod = update.drivePeriod;
    ResetCountdown(IDC_DRIVE_COUNTDOWN, m_nDrivePeriod);
  }
}

}  // namespace vantrel
