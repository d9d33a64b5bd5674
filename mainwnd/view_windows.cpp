// The main window's directory view (button 1023) and drive usage pie (button
// 1073, created hidden at initialisation and kept beside the window as it
// moves).
#include "mainwnd/vantrel_dlg.h"
#include "res/resource.h"
#include "views/dir_info_dlg.h"

namespace vantrel {

void CVantrelDlg::CreatePieWindow() {
  m_pPieWnd = std::make_unique<CUsagePieDlg>();
  if (!m_pPieWnd->Create(IDD_USAGE_PIE, this)) m_pPieWnd.reset();
}

RECT CVantrelDlg::ClientRectOnScreen() const {
  RECT rc = GetClientRect();
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void CVantrelDlg::OnDirectoryView() {
  // Built without a parent: the framework makes this window its owner.
  CDirInfoDlg view({m_settings.labelText, m_settings.listText});
  view.DoModal();
}

void CVantrelDlg::OnPie() {
  if (!m_pPieWnd) return;
  const RECT owner = ClientRectOnScreen();
  m_pPieWnd->ShowWindow(SW_SHOW);
  m_pPieWnd->PlaceBeside(owner);
  m_pPieWnd->SetValues(m_nDriveFree, m_nDriveTotal);
  ::SetFocus(m_pPieWnd->m_hWnd);
}

void CVantrelDlg::OnMove() {
  Default();
  // Shown or not, the pie stays beside the window.
  if (m_pPieWnd) m_pPieWnd->PlaceBeside(ClientRectOnScreen());
}

}  // namespace vantrel
