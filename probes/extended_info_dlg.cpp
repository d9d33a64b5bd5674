#include "probes/extended_info_dlg.h"

#include "fw/ddx.h"
#include "probes/extended_texts.h"
#include "probes/system_facts.h"
#include "res/resource.h"
#include "views/hand_controls.h"

namespace vantrel {

CExtendedInfoDlg::CExtendedInfoDlg(const TextColours& colours, fw::CWnd* parent)
    : CProgramDialog(IDD_EXTENDED_INFO, parent), m_colours(colours) {}

void CExtendedInfoDlg::DoDataExchange(fw::CDataExchange* dx) {
  fw::CDialog::DoDataExchange(dx);
  fw::DDX_Text(dx, IDC_EXT_BUILD, m_strBuild);
  fw::DDX_Text(dx, IDC_EXT_EXTRA, m_strExtra);
  fw::DDX_Text(dx, IDC_EXT_OS_NAME, m_strOsName);
  fw::DDX_Text(dx, IDC_EXT_VERSION, m_strVersion);
  fw::DDX_Text(dx, IDC_EXT_AC_STATUS, m_strAcStatus);
  fw::DDX_Text(dx, IDC_EXT_BATTERY_STATUS, m_strBatteryStatus);
  fw::DDX_Text(dx, IDC_EXT_CHARGE, m_strCharge);
  fw::DDX_Text(dx, IDC_EXT_FULL_LIFE, m_strFullLife);
  fw::DDX_Text(dx, IDC_EXT_LIFE_LEFT, m_strLifeLeft);
  fw::DDX_Text(dx, IDC_EXT_BITS_PER_PIXEL, m_strBitsPerPixel);
  fw::DDX_Text(dx, IDC_EXT_RESOLUTION, m_strResolution);
  fw::DDX_Text(dx, IDC_EXT_MONITOR, m_strMonitor);
}

BOOL CExtendedInfoDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  const ExtendedTexts t = DescribeExtended(ReadOsVersion(), ReadPowerStatus(), ReadDisplayFacts());
  m_strOsName = t.osName;
  m_strVersion = t.version;
  m_strBuild = t.build;
  m_strExtra = t.extra;
  m_strAcStatus = t.acStatus;
  m_strBatteryStatus = t.batteryStatus;
  m_strCharge = t.charge;
  m_strLifeLeft = t.lifeLeft;
  m_strFullLife = t.fullLife;
  m_strResolution = t.resolution;
  m_strBitsPerPixel = t.bitsPerPixel;
  m_strMonitor = t.monitor;
  UpdateData(FALSE);
  return TRUE;
}

}  // namespace vantrel
