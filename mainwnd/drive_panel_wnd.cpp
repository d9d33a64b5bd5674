// The drive panel: the drive list, the watch list of fixed drives, the query
// of the chosen drive and the Watch box.
#include <windows.h>
#include <direct.h>

#include "fw/busy_scope.h"
#include "fw/window_text.h"
#include "mainwnd/drive_panel.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/vantrel_dlg.h"
#include "mainwnd/watch_list.h"
#include "res/resource.h"

namespace vantrel {
namespace {

unsigned DriveTypeOf(const std::string& root) { return ::GetDriveTypeA(root.c_str()); }

// The drive letter of the list's selected item; none without a selection.
std::optional<char> ChosenLetter(const fw::CWnd& combo) {
  const LRESULT sel = combo.SendMessage(CB_GETCURSEL);
  if (sel == CB_ERR) return std::nullopt;
  const LRESULT len = combo.SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(sel));
  if (len == CB_ERR) return std::nullopt;
  std::string item(static_cast<size_t>(len) + 1, '\0');
  combo.SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(item.data()));
  item.resize(static_cast<size_t>(len));
  return LetterFromComboItem(item);
}

}  // namespace

void CVantrelDlg::FillDriveList() {
  m_driveCombo.SendMessage(CB_RESETCONTENT);
  static char pattern[] = "";
  m_driveCombo.SendMessage(CB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, reinterpret_cast<LPARAM>(pattern));
}

void CVantrelDlg::BuildDriveList() {
  std::optional<DriveList> loaded = LoadDriveList(m_store, m_settings.driveCount);
  std::optional<DriveList> list = vantrel::BuildDriveList(std::move(loaded), ::GetLogicalDrives(), DriveTypeOf);
  if (!list) {
    MessageBox("Could not allocate memory!", "DW1", MB_OK | MB_ICONSTOP);
    m_driveList.reset();
    ForceClose();
    return;
  }
  m_driveList = std::move(list);
}

void CVantrelDlg::UpdateDrivePanel() {
  fw::BusyScope busy(m_hWnd);
  m_nSelectedEntry = -1;
  const int currentDrive = _getdrive();
  const std::optional<char> letter = ChosenLetter(m_driveCombo);
  if (!letter) return;
  const std::string root = RootPath(*letter);

  const unsigned type = ::GetDriveTypeA(root.c_str());
  if (m_pPieWnd) m_pPieWnd->SetDriveLetter(*letter);
  ULARGE_INTEGER total{}, totalFree{};
  const bool ok = ::GetDiskFreeSpaceExA(root.c_str(), nullptr, &total, &totalFree) != FALSE;
  const DrivePanelView view =
      ok ? DescribeDriveQuery(type, total.QuadPart, totalFree.QuadPart) : DescribeFailedQuery(type);
  m_bNoDisk = !ok;
  ShowDrivePanel(view);
  ApplyWatchBox(view.row.watchBox, *letter);
  if (ok) {
    // A drive that does not answer leaves the pie button and its figures as
    // they were; the pie window itself shows nothing for it.
    m_nDriveTotal = view.pie.total;
    m_nDriveFree = view.pie.free;
    m_btnPie.EnableWindow(TRUE);
    if (auto tip = DriveTooltipText(m_settings.nTooltip, root, view.texts)) SetTrayTooltip(*tip);
  }
  if (m_pPieWnd) m_pPieWnd->SetValues(view.pie.free, view.pie.total);
  _chdrive(currentDrive);
  UpdateData(FALSE);
}

void CVantrelDlg::ShowDrivePanel(const DrivePanelView& view) {
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_DRIVE_TYPE), view.row.typeText);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_DRIVE_CAPACITY), view.texts.capacity);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_DRIVE_FREE), view.texts.free);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_DRIVE_USED), view.texts.used);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_USED_PERCENT), view.texts.usedPct);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_FREE_PERCENT), view.texts.freePct);
  m_gaugeDriveUsed.SetPos(GaugeShort(view.usedGauge));
  m_gaugeDriveFree.SetPos(GaugeShort(view.freeGauge));
  // The button is given an icon only when its icon changes: Wine's version 6
  // of the common controls copies every image a button is given and never
  // frees the copy it replaces, so a drive cycle that set it every time would
  // leak GDI objects on each run.
  const auto image =
      reinterpret_cast<LPARAM>(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(view.row.iconId)));
  if (m_btnRefresh.SendMessage(BM_GETIMAGE, IMAGE_ICON) != image)
    m_btnRefresh.SendMessage(BM_SETIMAGE, IMAGE_ICON, image);
}

void CVantrelDlg::ApplyWatchBox(WatchBox rule, char letter) {
  HWND watchBox = GetDlgItem(IDC_WATCH);
  switch (rule) {
    case WatchBox::DisabledCleared:
      m_nWatch = 0;
      ::EnableWindow(watchBox, FALSE);
      break;
    case WatchBox::Disabled:
      ::EnableWindow(watchBox, FALSE);
      break;
    case WatchBox::EnabledFromEntry:
      ::EnableWindow(watchBox, TRUE);
      m_nSelectedEntry = FindEntryForDrive(m_driveList, DriveNumber(letter));
      if (m_nSelectedEntry >= 0) m_nWatch = (*m_driveList)[static_cast<size_t>(m_nSelectedEntry)].watch ? 1 : 0;
      break;
  }
}

void CVantrelDlg::OnWatch() {
  if (m_nSelectedEntry == -1) return;
  UpdateData(TRUE);
  SetEntryWatch(m_driveList, m_nSelectedEntry, m_nWatch != 0);
}

}  // namespace vantrel
