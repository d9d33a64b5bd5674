// CRefreshPage: the options sheet's second tab, "Refresh": sliders for the
// low-space threshold and the memory and drive refresh periods, each with a
// label that follows it while it moves.
#pragma once

#include <string>

#include "app/settings.h"
#include "fw/property_sheet.h"
#include "views/hand_controls.h"

namespace vantrel {

class CRefreshPage : public fw::CPropertyPage {
 public:
  explicit CRefreshPage(Settings& settings);

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  LRESULT OnHScroll(UINT code, HWND bar) override;

 private:

  Settings& m_settings;
  CHandSliderCtrl m_sliderThreshold, m_sliderMemory, m_sliderDrive;
  std::string m_strThreshold, m_strMemory, m_strDrive;
};

}  // namespace vantrel
