// The main window in the tray: the tray callback and menu, Open and Exit,
// close-to-tray with its notice, staying hidden, Disable and Enable, the
// About box, and the icon's return after the shell rebuilt its tray.
#include <windows.h>
#include <commctrl.h>

#include "mainwnd/about_dlg.h"
#include "mainwnd/notice_dlgs.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/tray_icon.h"
#include "mainwnd/vantrel_dlg.h"
#include "res/resource.h"

namespace vantrel {
namespace {

constexpr char kTitle[] = "Computer Information";
constexpr char kDisabledTitle[] = "Computer Information - DISABLED";

}  // namespace

LRESULT CVantrelDlg::OnTrayCallback(WPARAM wp, LPARAM lp) {
  TrayMenu menu(IDR_TRAY);
  if (!menu) return 0;
  switch (lp) {
    case WM_RBUTTONUP:
      ::ModifyMenuA(menu.Popup(), ID_TRAY_TOGGLE_ENABLE, MF_BYCOMMAND | MF_STRING, ID_TRAY_TOGGLE_ENABLE,
                    m_bDisabled ? "&Enable" : "&Disable");
      ::SetMenuDefaultItem(menu.Popup(), 0, TRUE);
      menu.Track(m_hWnd, TPM_RIGHTBUTTON | TPM_RIGHTALIGN);
      return 1;
    case WM_LBUTTONDBLCLK:
      menu.RunFirstItem(m_hWnd);
      return 1;
    default:
      return m_trayIcon.HandleTrayMessage(wp, lp);
  }
}

void CVantrelDlg::OnTrayOpen() {
  m_bHidden = false;
  ShowWindow(SW_SHOWNORMAL);
  ::SetForegroundWindow(m_hWnd);
}

void CVantrelDlg::OnTrayExit() { ForceClose(); }

void CVantrelDlg::OnClose() {
  // The pie goes with the main window, whether to the tray or for good.
  if (m_pPieWnd) m_pPieWnd->ShowWindow(SW_HIDE);
  if (m_bForceClose) {
    // The dialog's own handling ends it.
    Default();
    return;
  }
  if (!m_settings.CloseNotify) {
    CCloseNoticeDlg notice(m_settings.CloseNotify);
    notice.DoModal();
  }
  ShowWindow(SW_HIDE);
}

LRESULT CVantrelDlg::OnSysCommand(UINT id) {
  if ((id & 0xFFF0) != IDM_ABOUTBOX) return Default();
  OnAbout();
  return 0;
}

void CVantrelDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal();
}

LRESULT CVantrelDlg::OnWindowPosChanging(WINDOWPOS* pos) {
  // Every attempt to show the window, the modal loop's own included, leaves
  // it hidden until the tray opens it.
  if (m_bHidden) pos->flags &= ~SWP_SHOWWINDOW;
  return Default();
}

void CVantrelDlg::OnToggleEnable() {
  if (m_bDisabled) {
    m_bDisabled = false;
    if (SetTimer(kRefreshTimer, kRefreshElapseMs) == 0) {
      MessageBox("Timer failed to start. The system is low on resources.", "System error", MB_OK | MB_ICONEXCLAMATION);
      ForceClose();
      return;
    }
    m_trayIcon.ShowIconWithTip(IDI_TRAY_ENABLED, "Enabled");
    RefreshMemory();
    CheckDriveSpace();
    SetWindowText(kTitle);
  } else {
    if (!m_settings.DisableNotify) {
      CDisableNoticeDlg notice(m_settings.DisableNotify);
      notice.DoModal();
    }
    m_bDisabled = true;
    KillTimer(kRefreshTimer);
    m_trayIcon.ShowIconWithTip(IDI_TRAY_DISABLED, "Disabled");
    for (int bar : {IDC_MEMORY_COUNTDOWN, IDC_DRIVE_COUNTDOWN}) ::SendDlgItemMessageA(m_hWnd, bar, PBM_SETPOS, 0, 0);
    SetWindowText(kDisabledTitle);
  }
  UpdateData(FALSE);
}

void CVantrelDlg::OnTaskbarCreated() {
  // The new tray knows nothing of the icon, and the tray menu is the only way
  // back into a window closed or started hidden: the icon goes back at once,
  // with its tooltip and the state it shows.
  m_trayIcon.RestoreIcon(m_bDisabled ? IDI_TRAY_DISABLED : IDI_TRAY_ENABLED);
}

}  // namespace vantrel
