// COptionsPage: the options sheet's first tab, "Main Options": whether the
// main window starts hidden. The choice takes effect at the next start.
#pragma once

#include "app/settings.h"
#include "fw/property_sheet.h"

namespace vantrel {

class COptionsPage : public fw::CPropertyPage {
 public:
  explicit COptionsPage(Settings& settings);

  int m_nHideOnStartup = 0;  // check box 1045

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  Settings& m_settings;
};

}  // namespace vantrel
