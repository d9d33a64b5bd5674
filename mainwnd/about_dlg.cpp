#include "mainwnd/about_dlg.h"

#include <commctrl.h>

#include "fw/ddx.h"
#include "res/resource.h"
#include "views/hand_controls.h"

namespace vantrel {

CAboutDlg::CAboutDlg() : fw::CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(fw::CDataExchange* dx) { fw::DDX_Control(dx, IDC_ABOUT_ANIMATION, m_animate); }

BOOL CAboutDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_animate.SendMessage(ACM_OPENA, reinterpret_cast<WPARAM>(::GetModuleHandleA(nullptr)),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_ABOUT_CLIP)));
  // Once, from the first frame to the last.
  m_animate.SendMessage(ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF));
  return TRUE;
}

LRESULT CAboutDlg::OnSetCursor(HWND, UINT, UINT) {
  return ApplyCursorRule(IDCUR_ARROW, [this] { return Default(); });
}

}  // namespace vantrel
