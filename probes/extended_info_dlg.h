// CExtendedInfoDlg: the "Extended Information" window: the operating system,
// the display and the power supply, gathered once when the window opens.
#pragma once

#include <string>

#include "views/program_dialog.h"

namespace vantrel {

class CExtendedInfoDlg : public CProgramDialog {
 public:
  // `colours` are the text colours of the main window's colour rule.
  explicit CExtendedInfoDlg(const TextColours& colours, fw::CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  TextColours Colours() const override { return m_colours; }

 private:
  std::string m_strBuild, m_strExtra, m_strOsName, m_strVersion, m_strAcStatus, m_strBatteryStatus, m_strCharge,
      m_strFullLife, m_strLifeLeft, m_strBitsPerPixel, m_strResolution;
  std::wstring m_strMonitor;
  TextColours m_colours;
};

}  // namespace vantrel
