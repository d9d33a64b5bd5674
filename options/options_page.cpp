#include "options/options_page.h"

#include "fw/ddx.h"
#include "res/resource.h"

namespace vantrel {

COptionsPage::COptionsPage(Settings& settings) : fw::CPropertyPage(IDD_OPTIONS_MAIN), m_settings(settings) {}

void COptionsPage::DoDataExchange(fw::CDataExchange* dx) {
  fw::CPropertyPage::DoDataExchange(dx);
  fw::DDX_Check(dx, IDC_HIDE_ON_STARTUP, m_nHideOnStartup);
}

BOOL COptionsPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  m_nHideOnStartup = m_settings.AutoHide;
  UpdateData(FALSE);
  return TRUE;
}

void COptionsPage::OnOK() {
  UpdateData(TRUE);
  m_settings.AutoHide = m_nHideOnStartup != 0;
  fw::CPropertyPage::OnOK();
}

}  // namespace vantrel
