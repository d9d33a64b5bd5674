// CUiPage: the options sheet's third tab, "Interface": what the tray
// tooltip shows, and the text colours of labels and of lists and edits, with
// a sample of each that shows the colour chosen so far.
#pragma once

#include <windows.h>

#include "app/settings.h"
#include "fw/property_sheet.h"
#include "views/hand_controls.h"

namespace vantrel {

class CUiPage : public fw::CPropertyPage {
 public:
  explicit CUiPage(Settings& settings);

  int m_nTooltip = -1;      // checked button of 1067..1071, -1 for none
  int m_nColorTarget = -1;  // checked button of 1057 (labels) and 1058 (lists)
  COLORREF m_clrLabel = 0;  // working copies until OK
  COLORREF m_clrList = 0;

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  // The samples in the working colours.
  LRESULT OnCtlColor(UINT msg, HDC dc, HWND control) override;

 private:
  void OnTextColor();

  Settings& m_settings;
  fw::CWnd m_sample;
  CHandListBox m_sampleList;
};

}  // namespace vantrel
