#include "mainwnd/notice_dlgs.h"

#include "fw/ddx.h"
#include "res/resource.h"
#include "views/hand_controls.h"

namespace vantrel {

CNoticeDlg::CNoticeDlg(UINT templateId, bool& dontShowAgain) : fw::CDialog(templateId), m_setting(dontShowAgain) {}

BOOL CNoticeDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_nDontShowAgain = m_setting ? 1 : 0;
  UpdateData(FALSE);
  return TRUE;
}

void CNoticeDlg::DoDataExchange(fw::CDataExchange* dx) { fw::DDX_Check(dx, IDC_DONT_SHOW_AGAIN, m_nDontShowAgain); }

void CNoticeDlg::OnDestroy() {
  fw::CDialog::OnDestroy();
  // The check box is still there: the dialog goes before its controls.
  UpdateData(TRUE);
  m_setting = m_nDontShowAgain != 0;
}

CCloseNoticeDlg::CCloseNoticeDlg(bool& closeNotify) : CNoticeDlg(IDD_CLOSE_NOTICE, closeNotify) {}

LRESULT CCloseNoticeDlg::OnSetCursor(HWND, UINT, UINT) {
  return ApplyCursorRule(IDCUR_ARROW, [this] { return Default(); });
}

CDisableNoticeDlg::CDisableNoticeDlg(bool& disableNotify) : CNoticeDlg(IDD_DISABLE_NOTICE, disableNotify) {}

}  // namespace vantrel
